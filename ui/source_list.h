// The source list: the ordered full paths of the files to split, one per row of the list
// view, which is their only store.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace source_list {

// Adds one row at the end, whatever row is selected; the list view keeps its own copy.
void append_path(HWND list, const std::string& path);

int32_t count(HWND list);

// The whole text of the row at `index` (from 0); never cut short.
std::string item_text(HWND list, int32_t index);

void clear(HWND list);

}  // namespace source_list
