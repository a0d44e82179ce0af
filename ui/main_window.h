// The program's one window, built from the window template: its members' windows, their
// event routing, the window's keyboard handling and focus, and the operations the commands
// use (member texts, member windows and drop targets, the disabled state).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/drop_target.h"
#include "ui/handles.h"
#include "ui/window_template.h"

class MainWindow {
 public:
  // Builds the window and its members while the window is hidden, raises the created
  // event and shows the window. Null when the window or a member could not be created.
  static std::unique_ptr<MainWindow> build(HINSTANCE instance, const WindowTemplate& layout);

  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The main window's handle while it exists, else null.
  HWND handle() const { return window_; }
  bool exists() const { return window_ != nullptr; }
  const WindowTemplate& layout() const { return layout_; }

  HWND window_handle_of(int32_t member) const;
  // The drop target object of a DropTarget member, or null for any other member.
  DropTarget* drop_target_of(int32_t member) const;
  std::string read_member_text(int32_t member) const;
  void write_member_text(int32_t member, const std::string& text);
  void set_window_disabled(bool disabled);
  bool disabled_state() const { return disabled_; }

  // From now on the window's end posts the quit message.
  void set_loop_begun() { loop_begun_ = true; }

  // Keyboard handling before a message is dispatched: Tab and Shift+Tab, Esc, the arrow
  // keys on a radio box and F1. True when the message has been dealt with.
  bool handle_key_message(const MSG& message);

  // Members that take part in Tab navigation now, in Tab order.
  std::vector<int32_t> tab_order() const;

  // The member whose window is `window` or holds it, or -1.
  int32_t member_of_window(HWND window) const;

  void raise_event(int32_t member, int32_t event, const std::string& argument = std::string());

 private:
  MainWindow(HINSTANCE instance, const WindowTemplate& layout);

  bool create_frame();
  bool create_members();
  void place_in_group_boxes();
  void stack_members();
  void show_members();

  void move_focus(bool backwards);
  void move_between_radio_boxes(int32_t radio, bool backwards);
  void focus_first_member();

  LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT on_colour_query(HDC dc, HWND control);
  bool on_set_cursor(HWND control, UINT hit_test);
  void on_final_message();

  static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HINSTANCE instance_;
  const WindowTemplate& layout_;
  HWND window_ = nullptr;
  std::vector<HWND> member_windows_;
  std::vector<UniqueFont> member_fonts_;
  std::vector<UniqueBrush> member_brushes_;
  std::vector<DropTarget::Owner> member_drop_targets_;  // raise their member's got-file event
  HFONT font_ = nullptr;  // the stock font it was given; not owned
  UniqueIcon big_icon_;
  UniqueIcon small_icon_;
  int32_t focus_memory_ = -1;
  bool disabled_ = false;
  bool loop_begun_ = false;
};
