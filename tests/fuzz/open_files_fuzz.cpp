// The texts of the open-files dialog for any bytes: the paths read from a multiple-selection
// buffer, never reading past its end, and the filter built from a filter text.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/fuzz/code_page.h"
#include "tests/fuzz/fuzz_input.h"
#include "ui/open_files_text.h"

namespace {

// The NUL-separated strings of the buffer, up to the first empty one or the buffer's end.
std::vector<std::string> strings_of(const std::string& buffer) {
  std::vector<std::string> strings;
  std::size_t at = 0;
  while (at < buffer.size() && buffer[at] != '\0') {
    const std::size_t end = std::min(buffer.find('\0', at), buffer.size());
    strings.push_back(buffer.substr(at, end - at));
    at = end + 1;
  }
  return strings;
}

// A folder is joined to its names as it is when its last character is a backslash, or, when
// it has no backslash at all, a slash; otherwise with one backslash between. Characters are
// those of the double-byte walk.
bool joined_as_is(const std::string& folder) {
  bool has_backslash = false;
  char last = '\0';
  for (std::size_t i = 0; i < folder.size();) {
    const bool single = static_cast<unsigned char>(folder[i]) < 0x80;
    last = single ? folder[i] : '\0';
    if (single && folder[i] == '\\') has_backslash = true;
    i += single ? 1 : 2;
  }
  return last == '\\' || (!has_backslash && last == '/');
}

void check_selection(const std::string& bytes) {
  const std::unique_ptr<char[]> buffer(new char[bytes.size()]);  // not a byte to spare
  if (!bytes.empty()) std::memcpy(buffer.get(), bytes.data(), bytes.size());
  const std::vector<std::string> paths = paths_from_selection(buffer.get(), bytes.size());
  const std::vector<std::string> strings = strings_of(bytes);
  if (strings.size() <= 1) {
    FUZZ_CHECK(paths == strings);
    return;
  }
  const std::string& folder = strings[0];
  FUZZ_CHECK(paths.size() == strings.size() - 1);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string& name = strings[i + 1];
    const std::string& path = paths[i];
    FUZZ_CHECK(path.size() >= folder.size() + name.size());
    FUZZ_CHECK(path.compare(0, folder.size(), folder) == 0);
    FUZZ_CHECK(path.compare(path.size() - name.size(), name.size(), name) == 0);
    const std::string between =
        path.substr(folder.size(), path.size() - folder.size() - name.size());
    FUZZ_CHECK(between == (joined_as_is(folder) ? "" : "\\"));
  }
}

void check_filter(const std::string& text) {
  const std::string filter = dialog_filter_from(text);
  FUZZ_CHECK(!filter.empty() && filter.back() == '\0');
  if (text.find('\0') != std::string::npos || !is_valid_cp936(text)) return;
  // The dialog reads pairs of strings up to an empty one: the filter ends in two NULs and
  // keeps no "|" that is a character of its own.
  FUZZ_CHECK(filter.size() >= 2 && filter[filter.size() - 2] == '\0');
  std::vector<bool> starts;
  FUZZ_CHECK(is_valid_cp936(filter, &starts));
  for (std::size_t i = 0; i < filter.size(); ++i) FUZZ_CHECK(!(starts[i] && filter[i] == '|'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const uint32_t mode = input.number(1);
  const std::string bytes = input.rest();
  if (mode % 2 == 0) {
    check_selection(bytes);
  } else {
    check_filter(bytes);
  }
  return 0;
}
