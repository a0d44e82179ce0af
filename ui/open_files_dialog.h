// Add files: the multiple-selection open-files dialog for text files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The full paths the user chose, in the dialog's order; empty after Cancel or a failure.
std::vector<std::string> choose_source_files(HWND owner);
