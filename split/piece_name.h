// Naming pieces: folder text + stem + number + ".txt".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class PathSyntax {
  windows_ansi,  // '\' and '/' separate; the double-byte walk, so a 0x5C trail byte is no separator
  posix_utf8,    // '/' separates, wherever it stands
#ifdef _WIN32
  native = windows_ansi,
#else
  native = posix_utf8,
#endif
};

// A path separator followed by the source's file name without its extension. The file name
// follows the last separator (the whole path when there is none, and then the platform's own
// separator leads the stem); the extension starts at the file name's last dot.
std::string stem_of(std::string_view source_path, PathSyntax syntax = PathSyntax::native);

// The folder text is used exactly as typed: no separator is added or removed.
std::string piece_path(std::string_view folder_text, std::string_view stem, uint32_t number);
