// The file-list text that a drop hands to the window: the dropped paths as one byte text.
#pragma once

#include <string>
#include <vector>

// One path: the path alone. Several: each path followed by CR LF, the last one too.
// None: the empty text.
std::string file_list_text(const std::vector<std::string>& paths);

// The paths in a file-list text: the non-empty pieces between CR LFs, in order. A text
// without CR LF is one path.
std::vector<std::string> paths_in_file_list_text(const std::string& text);
