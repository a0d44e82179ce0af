#include "cli/console_host.h"

#include <climits>

int32_t ConsoleHost::source_count() {
  return sources_.size() > INT32_MAX ? INT32_MAX : static_cast<int32_t>(sources_.size());
}

std::string ConsoleHost::source_path(int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= sources_.size()) return std::string();
  return sources_[static_cast<std::size_t>(index)];
}

void ConsoleHost::show_message(const std::string& text) {
  // Messages break lines with CR LF, as a message box wants; a console takes '\n' (which a
  // Windows console stream turns back into CR LF).
  std::string lines;
  lines.reserve(text.size() + 1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lines.push_back(text[i]);
  }
  lines.push_back('\n');
  std::fwrite(lines.data(), 1, lines.size(), out_);
  std::fflush(out_);
}
