#include "ui/window_host.h"

#include <windows.h>

#include "ui/main_window.h"
#include "ui/source_list.h"
#include "ui/texts.h"

std::string WindowHost::output_folder_text() { return window_.read_member_text(编辑框1); }

std::string WindowHost::size_text() { return window_.read_member_text(编辑框2); }

int32_t WindowHost::source_count() {
  return source_list::count(window_.window_handle_of(超级列表框1));
}

std::string WindowHost::source_path(int32_t index) {
  return source_list::item_text(window_.window_handle_of(超级列表框1), index);
}

void WindowHost::set_window_disabled(bool disabled) { window_.set_window_disabled(disabled); }

void WindowHost::show_message(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), ui_text(UiText::message_caption), MB_OK | MB_TASKMODAL);
}
