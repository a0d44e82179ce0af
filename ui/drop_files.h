// The paths in a dropped file list: a global memory block holding a DROPFILES header and the
// names after it, as OLE hands it over for CF_HDROP. The block comes from another program,
// so its layout is checked before the shell reads it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The number of names when `size` bytes at `block` hold a DROPFILES header whose names start
// after it and form, inside the block, a list of NUL-terminated names (bytes, or UTF-16
// units when the header says wide) closed by an empty name; none otherwise.
std::optional<std::size_t> drop_files_name_count(const void* block, std::size_t size);

// The paths of the file list in `files`, in the list's order, each in the ANSI code page and
// whole, whatever its length. None for a malformed list or a block that can't be read.
std::optional<std::vector<std::string>> paths_of_drop_files(HGLOBAL files);
