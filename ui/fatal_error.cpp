#include "ui/fatal_error.h"

#include <windows.h>

#include "ui/texts.h"

std::string fatal_error_text(const std::string& message, std::optional<int32_t> code) {
  std::string text = ui_text(UiText::fatal_heading);
  if (code) {
    text += ui_text(UiText::fatal_code_label);
    text += std::to_string(*code);
    text += "\r\n\r\n";
  }
  text += ui_text(UiText::fatal_message_label);
  text += message;
  text += "\r\n";
  return text;
}

void report_fatal_error(const std::string& message, std::optional<int32_t> code) {
  const std::string text = fatal_error_text(message, code);
  MessageBoxA(nullptr, text.c_str(), ui_text(UiText::fatal_caption), MB_ICONERROR);
  ExitProcess(static_cast<UINT>(-1));
}
