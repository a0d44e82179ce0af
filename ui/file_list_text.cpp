#include "ui/file_list_text.h"

namespace {

const char kLineEnd[] = "\r\n";

}  // namespace

std::string file_list_text(const std::vector<std::string>& paths) {
  if (paths.size() == 1) return paths.front();
  std::string text;
  for (const std::string& path : paths) {
    text += path;
    text += kLineEnd;
  }
  return text;
}

std::vector<std::string> paths_in_file_list_text(const std::string& text) {
  // Lead and trail bytes of code page 936 are never CR or LF, so a byte search is safe.
  std::vector<std::string> paths;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(kLineEnd, start);
    const std::size_t stop = end == std::string::npos ? text.size() : end;
    if (stop > start) paths.push_back(text.substr(start, stop - start));
    if (end == std::string::npos) return paths;
    start = end + 2;
  }
}
