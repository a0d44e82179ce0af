// The texts the open-files dialog takes and gives: its filter, written with "|" between
// display texts and patterns, and the names it hands back in its file buffer. Both walk the
// text by characters of the double-byte code page, so the second byte of a character is
// never taken for a "|" or a "\".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The filter in the dialog's form: trailing white space removed, "||" appended unless the
// text ends with it, then every "|" character turned into NUL.
std::string dialog_filter_from(const std::string& text);

// The full paths in a multiple-selection buffer of `size` bytes: NUL-separated strings
// ended by an empty one. One string is the path itself; otherwise the first is a folder
// and each further one a name in it, joined with one "\" unless the folder ends in one
// (or, when it has no "\", in "/"). Nothing is read beyond `size` bytes.
std::vector<std::string> paths_from_selection(const char* buffer, std::size_t size);
