#include "ui/open_files_text.h"

#include <cstring>

#include "split/byte_text.h"

namespace {

bool is_white_space(unsigned char byte) {
  return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\v' ||
         byte == '\f';
}

// Offsets at which the characters of `text` start, in the double-byte walk.
std::vector<std::size_t> character_starts(const std::string& text) {
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at < text.size();) {
    starts.push_back(at);
    at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
  }
  return starts;
}

bool is_single(const std::string& text, std::size_t at, char byte) {
  return at < text.size() && text[at] == byte;
}

}  // namespace

std::string dialog_filter_from(const std::string& text) {
  const std::vector<std::size_t> starts = character_starts(text);
  std::size_t kept = 0;  // characters kept after trimming
  for (std::size_t i = 0; i < starts.size(); ++i) {
    const bool single = static_cast<unsigned char>(text[starts[i]]) < 0x80;
    if (!single || !is_white_space(static_cast<unsigned char>(text[starts[i]]))) kept = i + 1;
  }
  std::string filter = kept < starts.size() ? text.substr(0, starts[kept]) : text;
  const bool ends_with_two_bars = kept >= 2 && is_single(text, starts[kept - 1], '|') &&
                                  is_single(text, starts[kept - 2], '|');
  if (!ends_with_two_bars) filter += "||";
  for (std::size_t at : character_starts(filter)) {
    if (filter[at] == '|') filter[at] = '\0';
  }
  return filter;
}

std::vector<std::string> paths_from_selection(const char* buffer, std::size_t size) {
  std::vector<std::string> strings;
  for (std::size_t at = 0; at < size && buffer[at] != '\0';) {
    const std::size_t length = strnlen(buffer + at, size - at);
    strings.emplace_back(buffer + at, length);
    at += length + 1;
  }
  if (strings.size() <= 1) return strings;
  const std::string& folder = strings.front();
  int32_t last_separator = last_position_of(folder, "\\");
  if (last_separator < 0) last_separator = last_position_of(folder, "/");
  const bool ends_in_separator =
      last_separator > 0 && static_cast<std::size_t>(last_separator) == folder.size();
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < strings.size(); ++i) {
    paths.push_back(ends_in_separator ? folder + strings[i] : folder + "\\" + strings[i]);
  }
  return paths;
}
