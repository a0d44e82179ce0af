// The stem for any path, in both path syntaxes: a separator followed by the file name
// without its extension, where the file name follows the path's last separator.
#include <string>

#include "split/piece_name.h"
#include "tests/fuzz/code_page.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

bool is_separator(char c, PathSyntax syntax) {
  return c == '/' || (syntax == PathSyntax::windows_ansi && c == '\\');
}

// Offset of the last separator that is a character of its own (every 0x2F byte in UTF-8;
// in the double-byte walk, no trail byte), or npos.
std::size_t last_separator(const std::string& path, PathSyntax syntax) {
  std::size_t found = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (is_separator(path[i], syntax) &&
        (syntax == PathSyntax::posix_utf8 || walk_boundary(path, 0, i))) {
      found = i;
    }
  }
  return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const PathSyntax syntax =
      input.number(1) % 2 == 0 ? PathSyntax::windows_ansi : PathSyntax::posix_utf8;
  const std::string path = input.rest();
  const std::string stem = stem_of(path, syntax);

  FUZZ_CHECK(!stem.empty() && is_separator(stem[0], syntax));
  const std::string name = stem.substr(1);
  const std::size_t sep = last_separator(path, syntax);
  const std::size_t name_at = sep == std::string::npos ? 0 : sep + 1;
  if (sep == std::string::npos) {
    FUZZ_CHECK(stem[0] == (syntax == PathSyntax::windows_ansi ? '\\' : '/'));
  } else {
    FUZZ_CHECK(stem[0] == path[sep]);
  }
  // The stem's name is the start of the file name...
  FUZZ_CHECK(path.compare(name_at, name.size(), name) == 0);
  // ...and what it leaves out is nothing or the extension: a dot and no dot after it. Under
  // the double-byte walk a dot is only sure to be one in valid text.
  const std::string extension = path.substr(name_at + name.size());
  if (syntax == PathSyntax::posix_utf8 || is_valid_cp936(path)) {
    if (extension.empty()) {
      FUZZ_CHECK(name.find('.') == std::string::npos);
    } else {
      FUZZ_CHECK(extension[0] == '.' && extension.find('.', 1) == std::string::npos);
    }
  }
  return 0;
}
