#include "split/piece_name.h"

#include "split/byte_text.h"

namespace {

bool is_separator(char c, PathSyntax syntax) {
  return c == '/' || (syntax == PathSyntax::windows_ansi && c == '\\');
}

// Offset of the last separator, or npos. Under the double-byte walk only bytes that are
// characters by themselves count; UTF-8 never uses 0x2F inside a character.
std::size_t last_separator(std::string_view path, PathSyntax syntax) {
  std::size_t found = std::string_view::npos;
  if (syntax == PathSyntax::posix_utf8) return path.rfind('/');
  for (std::size_t i = 0; i < path.size();) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (c >= 0x80) {
      i += 2;
      continue;
    }
    if (is_separator(path[i], syntax)) found = i;
    ++i;
  }
  return found;
}

}  // namespace

std::string stem_of(std::string_view source_path, PathSyntax syntax) {
  const std::size_t sep = last_separator(source_path, syntax);
  const std::string_view name =
      sep == std::string_view::npos ? source_path : source_path.substr(sep + 1);
  const char separator = sep != std::string_view::npos ? source_path[sep]
                         : syntax == PathSyntax::windows_ansi ? '\\'
                                                               : '/';
  // A dot is never a trail byte in the code pages served, nor inside a UTF-8 character.
  const std::size_t dot = name.rfind('.');
  std::string stem(1, separator);
  stem.append(name.substr(0, dot));
  return stem;
}

std::string piece_path(std::string_view folder_text, std::string_view stem, uint32_t number) {
  return join_texts({folder_text, stem, std::to_string(number), ".txt"});
}
