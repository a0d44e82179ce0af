#include "ui/window_template.h"

#include <cstring>
#include <iterator>

#include "ui/commands.h"

namespace {

constexpr FontSpec kStartFont = {"宋体", -35, 700};

constexpr EventBinding kWindowEvents[] = {
    {window_created, on_window_created},
    {window_will_be_destroyed, on_window_will_be_destroyed},
};
constexpr EventBinding kStartEvents[] = {{button_clicked, start_split_clicked}};
constexpr EventBinding kClearEvents[] = {{button_clicked, clear_list_clicked}};
constexpr EventBinding kAddEvents[] = {{button_clicked, add_files_clicked}};
constexpr EventBinding kBrowseEvents[] = {{button_clicked, browse_folder_clicked}};
constexpr EventBinding kDropEvents[] = {{drop_got_file, files_dropped}};

#define EVENTS(table) table, std::size(table)
#define NO_EVENTS nullptr, 0

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlue = 0xFF0000;

// clang-format off
constexpr MemberRecord kMembers[] = {
  // kind, name, parent, left, top, width, height, text,
  // visible, disabled, tab stop, tab order, pointer, kind style, font, text colour, back colour,
  // digits filter, events
  {MemberKind::window, "Quorvane", -1, 50, 50, 640, 480, "Quorvane",
   true, false, false, 0, 0, 0, nullptr, kBlack, kDefaultColour, false, EVENTS(kWindowEvents)},
  {MemberKind::Button, "按钮4", main_window, 376, 264, 216, 144, "开始分割",
   true, false, true, 0, kHandPointer, BS_CENTER | BS_VCENTER, &kStartFont, kBlack,
   kDefaultColour, false, EVENTS(kStartEvents)},
  {MemberKind::RadioBox, "单选框3", 分组框2, 16, 24, 96, 24, "文件名+序号",
   true, false, true, 0, 0, BS_LEFT | BS_VCENTER, nullptr, kBlack, kDefaultColour, false,
   NO_EVENTS},
  {MemberKind::GroupBox, "分组框2", main_window, 344, 168, 280, 56, "生成选择",
   true, false, false, 0, 0, BS_LEFT, nullptr, kBlue, kDefaultColour, false, NO_EVENTS},
  {MemberKind::RadioBox, "单选框1", 分组框1, 8, 24, 80, 20, "按长度",
   true, false, true, 0, 0, BS_LEFT | BS_VCENTER, nullptr, kBlack, kDefaultColour, false,
   NO_EVENTS},
  {MemberKind::Label, "标签3", 分组框1, 192, 24, 80, 20, "KB",
   true, false, false, 0, 0, 0, nullptr, kBlack, kDefaultColour, false, NO_EVENTS},
  {MemberKind::EditBox, "编辑框2", 分组框1, 104, 24, 80, 20, "1000",
   true, false, true, 0, 0, ES_CENTER, nullptr, kBlack, kWhite, true, NO_EVENTS},
  {MemberKind::GroupBox, "分组框1", main_window, 344, 112, 280, 48, "分割选项",
   true, false, false, 0, 0, BS_LEFT, nullptr, kBlue, kDefaultColour, false, NO_EVENTS},
  {MemberKind::Label, "标签1", main_window, 344, 48, 80, 20, "输出目录",
   true, false, false, 0, 0, 0, nullptr, kBlack, kDefaultColour, false, NO_EVENTS},
  {MemberKind::EditBox, "编辑框1", main_window, 344, 80, 256, 20, "C:\\",
   true, false, true, 0, 0, ES_LEFT, nullptr, kBlack, kWhite, false, NO_EVENTS},
  {MemberKind::Button, "按钮1", main_window, 600, 80, 25, 20, ">>",
   true, false, true, 0, 0, BS_CENTER | BS_BOTTOM, nullptr, kBlack, kDefaultColour, false,
   EVENTS(kBrowseEvents)},
  {MemberKind::Button, "按钮3", main_window, 96, 8, 80, 32, "清空列表",
   true, false, true, 0, 0, BS_CENTER | BS_VCENTER, nullptr, kBlack, kDefaultColour, false,
   EVENTS(kClearEvents)},
  {MemberKind::Button, "按钮2", main_window, 8, 8, 80, 32, "添加文件",
   true, false, true, 0, 0, BS_CENTER | BS_VCENTER, nullptr, kBlack, kDefaultColour, false,
   EVENTS(kAddEvents)},
  {MemberKind::DropTarget, "拖放对象1", main_window, 280, 63, 26, 26, "",
   false, false, false, 0, 0, 0, nullptr, kBlack, kDefaultColour, false, EVENTS(kDropEvents)},
  {MemberKind::ListView, "超级列表框1", main_window, 8, 48, 328, 392, "",
   true, false, true, 0, 0, 0, nullptr, kBlack, kWhite, false, NO_EVENTS},
};
// clang-format on

constexpr WindowTemplate kTemplate = {kMembers, std::size(kMembers)};

}  // namespace

const WindowTemplate& main_window_template() { return kTemplate; }

bool template_is_valid(const WindowTemplate& layout) {
  if (layout.members == nullptr || layout.count == 0) return false;
  if (layout.members[0].kind != MemberKind::window || layout.members[0].parent != -1) return false;
  for (std::size_t i = 0; i < layout.count; ++i) {
    const MemberRecord& member = layout.members[i];
    if (member.name == nullptr || member.text == nullptr) return false;
    if (member.width <= 0 || member.height <= 0) return false;
    if (member.event_count != 0 && member.events == nullptr) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (std::strcmp(layout.members[j].name, member.name) == 0) return false;
    }
    if (i == 0) continue;
    if (member.kind == MemberKind::window) return false;
    const int32_t parent = member.parent;
    // A parent may come later in the template order: members are created in reverse
    // order and moved into their group boxes afterwards.
    if (parent < 0 || static_cast<std::size_t>(parent) >= layout.count ||
        static_cast<std::size_t>(parent) == i) {
      return false;
    }
    const MemberKind parent_kind = layout.members[parent].kind;
    if (parent_kind != MemberKind::window && parent_kind != MemberKind::GroupBox) return false;
  }
  return true;
}

EventHandler find_handler(const MemberRecord& member, int32_t event) {
  for (std::size_t i = 0; i < member.event_count; ++i) {
    if (member.events[i].event == event) return member.events[i].handler;
  }
  return nullptr;
}
