#include "ui/member_factory.h"

#include <commctrl.h>

#include "ui/label_window.h"
#include "ui/size_filter.h"
#include "ui/texts.h"

namespace {

constexpr DWORD kChildStyles = WS_CHILD | WS_CLIPSIBLINGS;

DWORD common_styles(const MemberRecord& record) {
  DWORD style = kChildStyles;
  if (record.tab_stop) style |= WS_TABSTOP;
  if (record.disabled) style |= WS_DISABLED;
  return style;
}

HWND make_window(HINSTANCE instance, HWND parent, const MemberRecord& record, int32_t position,
                 DWORD ex_style, const char* window_class, DWORD style, const char* text) {
  return CreateWindowExA(ex_style, window_class, text, style, record.left, record.top,
                         record.width, record.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id_of(position))),
                         instance, nullptr);
}

void set_font(HWND window, HFONT font) {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

HWND create_button(HINSTANCE instance, HWND parent, const MemberRecord& record,
                   int32_t position, const MemberFonts& fonts) {
  const DWORD style = common_styles(record) | BS_PUSHBUTTON | BS_MULTILINE | record.kind_style;
  HWND button = make_window(instance, parent, record, position, 0, "BUTTON", style, record.text);
  if (button) set_font(button, fonts.own_font ? fonts.own_font : fonts.default_font);
  return button;
}

HWND create_edit_box(HINSTANCE instance, HWND parent, const MemberRecord& record,
                     int32_t position, const MemberFonts& fonts) {
  const DWORD style = common_styles(record) | ES_AUTOHSCROLL | record.kind_style;
  HWND edit = make_window(instance, parent, record, position, WS_EX_CLIENTEDGE, "EDIT", style,
                          record.text);
  if (!edit) return nullptr;
  set_font(edit, fonts.default_font);
  SendMessageA(edit, EM_LIMITTEXT, 0, 0);
  if (record.digits_filter && !attach_digits_filter(edit)) {
    DestroyWindow(edit);
    return nullptr;
  }
  return edit;
}

HWND create_label(HINSTANCE instance, HWND parent, const MemberRecord& record, int32_t position,
                  const MemberFonts& fonts) {
  HWND label = make_window(instance, parent, record, position, 0, kLabelClassName,
                           common_styles(record), record.text);
  if (label) set_font(label, fonts.default_font);
  return label;
}

// A group box is the parent of the members placed in it; it hands the notifications and
// colour queries of those members on to the main window, which answers them for every
// member alike.
const char kGroupBoxProcProperty[] = "QuorvaneGroupBoxProc";

LRESULT CALLBACK group_box_proc(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto original = reinterpret_cast<WNDPROC>(GetPropA(box, kGroupBoxProcProperty));
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (HWND owner = GetAncestor(box, GA_ROOT); owner && owner != box) {
        return SendMessageA(owner, message, wparam, lparam);
      }
      break;
    case WM_ERASEBKGND:
      // The main window clips its children, so the box fills its own inside with the
      // background the main window gives it.
      if (HWND owner = GetParent(box)) {
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageA(owner, WM_CTLCOLORSTATIC, wparam, reinterpret_cast<LPARAM>(box)));
        RECT area;
        GetClientRect(box, &area);
        FillRect(reinterpret_cast<HDC>(wparam), &area,
                 brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
      }
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      RemovePropA(box, kGroupBoxProcProperty);
      break;
    default:
      break;
  }
  return CallWindowProcA(original, box, message, wparam, lparam);
}

HWND create_group_box(HINSTANCE instance, HWND parent, const MemberRecord& record,
                      int32_t position, const MemberFonts& fonts) {
  const DWORD style = kChildStyles | BS_GROUPBOX | record.kind_style;
  HWND box = make_window(instance, parent, record, position, 0, "BUTTON", style, record.text);
  if (!box) return nullptr;
  set_font(box, fonts.default_font);
  const LONG_PTR original = GetWindowLongPtrA(box, GWLP_WNDPROC);
  if (!SetPropA(box, kGroupBoxProcProperty, reinterpret_cast<HANDLE>(original))) {
    DestroyWindow(box);
    return nullptr;
  }
  SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(group_box_proc));
  return box;
}

HWND create_radio_box(HINSTANCE instance, HWND parent, const MemberRecord& record,
                      int32_t position, const MemberFonts& fonts) {
  const DWORD style =
      common_styles(record) | BS_AUTORADIOBUTTON | BS_MULTILINE | record.kind_style;
  HWND radio = make_window(instance, parent, record, position, 0, "BUTTON", style, record.text);
  if (!radio) return nullptr;
  set_font(radio, fonts.default_font);
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  return radio;
}

HWND create_list_view(HINSTANCE instance, HWND parent, const MemberRecord& record,
                      int32_t position, const MemberFonts& fonts) {
  const DWORD style = common_styles(record) | WS_CLIPCHILDREN | LVS_REPORT | LVS_SINGLESEL;
  HWND list = make_window(instance, parent, record, position, WS_EX_CLIENTEDGE, WC_LISTVIEWA,
                          style, "");
  if (!list) return nullptr;
  set_font(list, fonts.default_font);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES);
  SendMessageA(list, LVM_SETTEXTCOLOR, 0, record.text_colour);
  SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, record.back_colour);
  SendMessageA(list, LVM_SETBKCOLOR, 0, record.back_colour);
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.fmt = LVCFMT_LEFT;
  column.cx = 300;
  column.pszText = const_cast<char*>(ui_text(UiText::source_list_column));
  if (SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)) != 0) {
    DestroyWindow(list);
    return nullptr;
  }
  return list;
}

}  // namespace

HWND create_member_window(HINSTANCE instance, HWND parent, const MemberRecord& record,
                          int32_t position, const MemberFonts& fonts, bool& made) {
  HWND window = nullptr;
  switch (record.kind) {
    case MemberKind::Button:
      window = create_button(instance, parent, record, position, fonts);
      break;
    case MemberKind::EditBox:
      window = create_edit_box(instance, parent, record, position, fonts);
      break;
    case MemberKind::Label:
      window = create_label(instance, parent, record, position, fonts);
      break;
    case MemberKind::GroupBox:
      window = create_group_box(instance, parent, record, position, fonts);
      break;
    case MemberKind::RadioBox:
      window = create_radio_box(instance, parent, record, position, fonts);
      break;
    case MemberKind::ListView:
      window = create_list_view(instance, parent, record, position, fonts);
      break;
    case MemberKind::DropTarget:
      made = true;  // no window: the drop target binds itself to another member's window
      return nullptr;
    case MemberKind::window:
      break;
  }
  made = window != nullptr;
  return window;
}
