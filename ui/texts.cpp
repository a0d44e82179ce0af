#include "ui/texts.h"

namespace {

struct TextRecord {
  UiText which;
  const char* text;
};

constexpr TextRecord kTexts[] = {
    {UiText::message_caption, "信息："},
    {UiText::fatal_caption, "错误"},
    {UiText::fatal_heading, "运行时出错!\r\n\r\n"},
    {UiText::fatal_code_label, "错误代码："},
    {UiText::fatal_message_label, "错误信息："},
    {UiText::template_unreadable, "载入窗口模板数据段出错!"},
    {UiText::window_load_failed, "载入启动窗口失败"},
    {UiText::window_not_built, "未载入欲访问窗口组件所在的窗口"},
    {UiText::member_window_missing, "指定窗口尚未载入"},
    {UiText::member_handle_missing, "指定窗口或窗口组件不存在或尚未载入"},
    {UiText::open_files_title, "请选择需要分割的文本文件"},
    {UiText::open_files_filter, "文本文件（*.txt）|*.txt"},
    {UiText::source_list_column, "文件路径"},
    {UiText::browse_folder_title, "请选择输出目录"},
};

}  // namespace

const char* ui_text(UiText which) {
  for (const TextRecord& record : kTexts) {
    if (record.which == which) return record.text;
  }
  return "";
}
