// The main window's template: one record per member, the window itself first, then its
// members from the top of the stacking order downwards. The window is built from it at
// start-up, and its event tables route every event to its handler.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

class MainWindow;

enum class MemberKind { window, Button, EditBox, Label, GroupBox, RadioBox, ListView, DropTarget };

// Positions of the members in the template order. The names are the template's own.
enum Member : int32_t {
  main_window = 0,
  按钮4 = 1,
  单选框3 = 2,
  分组框2 = 3,
  单选框1 = 4,
  标签3 = 5,
  编辑框2 = 6,
  分组框1 = 7,
  标签1 = 8,
  编辑框1 = 9,
  按钮1 = 10,
  按钮3 = 11,
  按钮2 = 12,
  拖放对象1 = 13,
  超级列表框1 = 14,
};

// Event numbers, per kind.
enum : int32_t {
  window_created = 0,
  window_close_query = 1,
  window_will_be_destroyed = 2,
  button_clicked = 0,
  drop_got_file = 3,
};

// A handler gets the window and the event's argument (the file-list text of a drop,
// empty for every other event).
using EventHandler = void (*)(MainWindow& window, const std::string& argument);

struct EventBinding {
  int32_t event;
  EventHandler handler;
};

struct FontSpec {
  const char* face;
  int32_t height;
  int32_t weight;
};

// 0xFF000000 stands for the system colour COLOR_BTNFACE.
constexpr COLORREF kDefaultColour = 0xFF000000;
constexpr int32_t kHandPointer = 32649;

struct MemberRecord {
  MemberKind kind;
  const char* name;
  int32_t parent;  // template position of the parent window; -1 for the window itself
  int32_t left, top, width, height;
  const char* text;
  bool visible;
  bool disabled;
  bool tab_stop;
  int32_t tab_order;
  int32_t pointer;           // pointer number, 0 for the default one
  DWORD kind_style;          // alignment and look bits added to the kind's own styles
  const FontSpec* font;      // null: DEFAULT_GUI_FONT
  COLORREF text_colour;
  COLORREF back_colour;
  bool digits_filter;        // EditBox: typed characters limited to digits and "-"
  const EventBinding* events;
  std::size_t event_count;
};

struct WindowTemplate {
  const MemberRecord* members;
  std::size_t count;
};

const WindowTemplate& main_window_template();

// Checks what building relies on: the window first and only there, every member's parent
// an earlier record that is the window or a group box, unique names, positive sizes.
bool template_is_valid(const WindowTemplate& layout);

// The handler bound to an event of a member, or null.
EventHandler find_handler(const MemberRecord& member, int32_t event);

// Control identifier of a member's window; the window's members are told apart by it.
inline int control_id_of(int32_t member) { return 1000 + member; }
