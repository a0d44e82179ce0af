#include "ui/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/common_controls.h"
#include "ui/fatal_error.h"
#include "ui/label_window.h"
#include "ui/member_factory.h"
#include "ui/texts.h"

namespace {

const char kMainWindowClass[] = "QuorvaneMainWindow";
constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

bool register_main_window_class(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, kMainWindowClass, &existing)) return true;
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  window_class.lpszClassName = kMainWindowClass;
  return RegisterClassExA(&window_class) != 0;
}

HFONT default_gui_font() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HFONT create_member_font(const FontSpec& font_spec) {
  LOGFONTA font = {};
  font.lfHeight = font_spec.height;
  font.lfWeight = font_spec.weight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  lstrcpynA(font.lfFaceName, font_spec.face, LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

COLORREF resolve_colour(COLORREF colour) {
  return colour == kDefaultColour ? GetSysColor(COLOR_BTNFACE) : colour;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, const WindowTemplate& layout)
    : instance_(instance), layout_(layout), member_windows_(layout.count, nullptr) {
  member_fonts_.resize(layout.count);
  member_brushes_.resize(layout.count);
  member_drop_targets_.resize(layout.count);
}

MainWindow::~MainWindow() {
  if (window_) DestroyWindow(window_);
}

std::unique_ptr<MainWindow> MainWindow::build(HINSTANCE instance, const WindowTemplate& layout) {
  if (!template_is_valid(layout)) return nullptr;
  std::unique_ptr<MainWindow> window(new MainWindow(instance, layout));
  if (!window->create_frame() || !window->create_members()) return nullptr;
  window->place_in_group_boxes();
  window->stack_members();
  window->show_members();
  window->raise_event(main_window, window_created);
  if (window->exists()) ShowWindow(window->window_, SW_SHOW);
  return window;
}

bool MainWindow::create_frame() {
  if (!register_main_window_class(instance_, window_proc) || !register_label_class(instance_)) {
    return false;
  }
  const MemberRecord& frame = layout_.members[main_window];
  const int x = (GetSystemMetrics(SM_CXSCREEN) - frame.width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - frame.height) / 2;
  CreateWindowExA(0, kMainWindowClass, frame.text, kMainWindowStyle, x, y, frame.width,
                  frame.height, nullptr, nullptr, instance_, this);
  if (!window_) return false;
  member_windows_[main_window] = window_;
  RECT outer;
  GetWindowRect(window_, &outer);
  if (outer.right - outer.left != frame.width || outer.bottom - outer.top != frame.height) {
    MoveWindow(window_, x, y, frame.width, frame.height, FALSE);
  }
  big_icon_.reset(static_cast<HICON>(LoadImageA(instance_, "DEFAULT_ICON", IMAGE_ICON, 32, 32, 0)));
  small_icon_.reset(
      static_cast<HICON>(LoadImageA(instance_, "DEFAULT_ICON", IMAGE_ICON, 16, 16, 0)));
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
  SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(default_gui_font()), FALSE);
  return true;
}

bool MainWindow::create_members() {
  load_list_view_classes();  // a failure shows when the list view cannot be created
  for (int32_t position = static_cast<int32_t>(layout_.count) - 1; position > 0; --position) {
    const MemberRecord& record = layout_.members[position];
    if (record.font) member_fonts_[position].reset(create_member_font(*record.font));
    if (record.back_colour != kDefaultColour) {
      member_brushes_[position].reset(CreateSolidBrush(record.back_colour));
    }
    if (record.kind == MemberKind::DropTarget) {
      member_drop_targets_[position] =
          DropTarget::create([this, position](const std::string& text) {
            raise_event(position, drop_got_file, text);
          });
      if (!member_drop_targets_[position]) return false;
      continue;
    }
    const MemberFonts fonts = {default_gui_font(), member_fonts_[position].get()};
    bool made = false;
    member_windows_[position] =
        create_member_window(instance_, window_, record, position, fonts, made);
    if (!made) return false;
  }
  return true;
}

void MainWindow::place_in_group_boxes() {
  for (std::size_t position = 1; position < layout_.count; ++position) {
    const int32_t parent = layout_.members[position].parent;
    if (parent == main_window || !member_windows_[position]) continue;
    SetParent(member_windows_[position], member_windows_[parent]);
  }
}

void MainWindow::stack_members() {
  for (std::size_t position = 1; position < layout_.count; ++position) {
    HWND member = member_windows_[position];
    if (!member) continue;
    HWND after = HWND_TOP;
    for (std::size_t earlier = position - 1; earlier >= 1; --earlier) {
      if (member_windows_[earlier] &&
          layout_.members[earlier].parent == layout_.members[position].parent) {
        after = member_windows_[earlier];
        break;
      }
    }
    SetWindowPos(member, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void MainWindow::show_members() {
  for (int32_t position = static_cast<int32_t>(layout_.count) - 1; position > 0; --position) {
    if (member_windows_[position] && layout_.members[position].visible) {
      ShowWindow(member_windows_[position], SW_SHOWNA);
    }
  }
}

HWND MainWindow::window_handle_of(int32_t member) const {
  if (member < 0 || static_cast<std::size_t>(member) >= layout_.count ||
      !member_windows_[member]) {
    report_fatal_error(ui_text(UiText::member_handle_missing));
  }
  return member_windows_[member];
}

DropTarget* MainWindow::drop_target_of(int32_t member) const {
  if (member < 0 || static_cast<std::size_t>(member) >= layout_.count) return nullptr;
  return member_drop_targets_[member].get();
}

std::string MainWindow::read_member_text(int32_t member) const {
  if (!window_) report_fatal_error(ui_text(UiText::window_not_built));
  if (member < 0 || static_cast<std::size_t>(member) >= layout_.count ||
      !member_windows_[member]) {
    report_fatal_error(ui_text(UiText::member_window_missing));
  }
  HWND control = member_windows_[member];
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return std::string();
  // The length may be larger than the text in a double-byte code page, never smaller.
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(control, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void MainWindow::write_member_text(int32_t member, const std::string& text) {
  if (!window_) report_fatal_error(ui_text(UiText::window_not_built));
  if (member < 0 || static_cast<std::size_t>(member) >= layout_.count ||
      !member_windows_[member]) {
    report_fatal_error(ui_text(UiText::member_window_missing));
  }
  SetWindowTextA(member_windows_[member], text.c_str());
}

void MainWindow::set_window_disabled(bool disabled) {
  disabled_ = disabled;
  if (window_) EnableWindow(window_, disabled ? FALSE : TRUE);
}

int32_t MainWindow::member_of_window(HWND window) const {
  for (HWND current = window; current; current = GetParent(current)) {
    for (std::size_t position = 1; position < layout_.count; ++position) {
      if (member_windows_[position] == current) return static_cast<int32_t>(position);
    }
    if (current == window_) break;
  }
  return -1;
}

std::vector<int32_t> MainWindow::tab_order() const {
  std::vector<int32_t> order;
  for (int32_t position = static_cast<int32_t>(layout_.count) - 1; position > 0; --position) {
    HWND member = member_windows_[position];
    if (!member || !layout_.members[position].tab_stop) continue;
    const bool visible = (GetWindowLongA(member, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible && IsWindowEnabled(member)) order.push_back(position);
  }
  std::stable_sort(order.begin(), order.end(), [this](int32_t a, int32_t b) {
    return layout_.members[a].tab_order < layout_.members[b].tab_order;
  });
  return order;
}

void MainWindow::move_focus(bool backwards) {
  const std::vector<int32_t> order = tab_order();
  if (order.empty()) return;
  const int32_t current = member_of_window(GetFocus());
  const auto found = std::find(order.begin(), order.end(), current);
  std::size_t next = 0;
  if (found != order.end()) {
    const std::size_t at = static_cast<std::size_t>(found - order.begin());
    next = backwards ? (at + order.size() - 1) % order.size() : (at + 1) % order.size();
  } else if (backwards) {
    next = order.size() - 1;
  }
  SetFocus(member_windows_[order[next]]);
}

void MainWindow::move_between_radio_boxes(int32_t radio, bool backwards) {
  std::vector<int32_t> radios;
  for (std::size_t position = 1; position < layout_.count; ++position) {
    const MemberRecord& record = layout_.members[position];
    if (record.kind == MemberKind::RadioBox && record.parent == layout_.members[radio].parent &&
        member_windows_[position]) {
      radios.push_back(static_cast<int32_t>(position));
    }
  }
  const auto found = std::find(radios.begin(), radios.end(), radio);
  if (found == radios.end()) return;
  const std::size_t at = static_cast<std::size_t>(found - radios.begin());
  const std::size_t next =
      backwards ? (at + radios.size() - 1) % radios.size() : (at + 1) % radios.size();
  HWND target = member_windows_[radios[next]];
  SetFocus(target);
  for (int32_t other : radios) {
    SendMessageA(member_windows_[other], BM_SETCHECK,
                 other == radios[next] ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

bool MainWindow::handle_key_message(const MSG& message) {
  if (!window_ || message.message != WM_KEYDOWN) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  switch (message.wParam) {
    case VK_TAB:
      move_focus(GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_ESCAPE:
      SendMessageA(window_, WM_CLOSE, 0, 0);
      return true;
    case VK_F1:
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      const int32_t focused = member_of_window(GetFocus());
      if (focused < 0 || layout_.members[focused].kind != MemberKind::RadioBox) return false;
      move_between_radio_boxes(focused, message.wParam == VK_LEFT || message.wParam == VK_UP);
      return true;
    }
    default:
      return false;
  }
}

void MainWindow::focus_first_member() {
  const std::vector<int32_t> order = tab_order();
  if (!order.empty()) SetFocus(member_windows_[order.front()]);
}

void MainWindow::raise_event(int32_t member, int32_t event, const std::string& argument) {
  if (member < 0 || static_cast<std::size_t>(member) >= layout_.count) return;
  if (EventHandler handler = find_handler(layout_.members[member], event)) {
    handler(*this, argument);
  }
}

LRESULT MainWindow::on_colour_query(HDC dc, HWND control) {
  const int32_t member = member_of_window(control);
  if (member < 0 || member_windows_[member] != control) return 0;
  const MemberRecord& record = layout_.members[member];
  SetTextColor(dc, resolve_colour(record.text_colour));
  SetBkColor(dc, resolve_colour(record.back_colour));
  if (member_brushes_[member]) return reinterpret_cast<LRESULT>(member_brushes_[member].get());
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool MainWindow::on_set_cursor(HWND control, UINT hit_test) {
  if (hit_test != HTCLIENT) return false;
  const int32_t member = member_of_window(control);
  if (member < 0 || layout_.members[member].pointer == 0) return false;
  SetCursor(LoadCursor(nullptr, MAKEINTRESOURCE(layout_.members[member].pointer)));
  return true;
}

void MainWindow::on_final_message() {
  window_ = nullptr;
  std::fill(member_windows_.begin(), member_windows_.end(), nullptr);
  big_icon_.reset();
  small_icon_.reset();
  if (loop_begun_) PostQuitMessage(0);
}

LRESULT MainWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int32_t member = member_of_window(reinterpret_cast<HWND>(lparam));
      if (member > 0 && HIWORD(wparam) == BN_CLICKED &&
          layout_.members[member].kind == MemberKind::Button) {
        raise_event(member, button_clicked);
      }
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (LRESULT brush = on_colour_query(reinterpret_cast<HDC>(wparam),
                                          reinterpret_cast<HWND>(lparam))) {
        return brush;
      }
      break;
    case WM_ERASEBKGND: {
      RECT area;
      GetClientRect(window_, &area);
      FillRect(reinterpret_cast<HDC>(wparam), &area, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wparam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETCURSOR:
      if (on_set_cursor(reinterpret_cast<HWND>(wparam), LOWORD(lparam))) return TRUE;
      break;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        const int32_t focused = member_of_window(GetFocus());
        if (focused > 0) focus_memory_ = focused;
      }
      break;
    case WM_SETFOCUS:
      if (focus_memory_ > 0 && IsWindow(member_windows_[focus_memory_])) {
        SetFocus(member_windows_[focus_memory_]);
        focus_memory_ = -1;
      } else {
        focus_first_member();
      }
      return 0;
    case WM_CLOSE:
      raise_event(main_window, window_close_query);
      DestroyWindow(window_);
      return 0;
    case WM_QUERYENDSESSION:
      raise_event(main_window, window_close_query);
      return TRUE;
    case WM_DESTROY: {
      const LRESULT result = DefWindowProcA(window_, message, wparam, lparam);
      raise_event(main_window, window_will_be_destroyed);
      return result;
    }
    case WM_NCDESTROY: {
      const LRESULT result = DefWindowProcA(window_, message, wparam, lparam);
      on_final_message();
      return result;
    }
    default:
      break;
  }
  return DefWindowProcA(window_, message, wparam, lparam);
}

LRESULT CALLBACK MainWindow::window_proc(HWND window, UINT message, WPARAM wparam,
                                         LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self || self->window_ != window) return DefWindowProcA(window, message, wparam, lparam);
  return self->on_message(message, wparam, lparam);
}
