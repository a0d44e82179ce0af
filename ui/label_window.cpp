#include "ui/label_window.h"

const char kLabelClassName[] = "QuorvaneLabel";

namespace {

// The label keeps the font it was given in its window extra bytes.
constexpr int kFontSlot = 0;

HFONT label_font(HWND label) {
  return reinterpret_cast<HFONT>(GetWindowLongPtrA(label, kFontSlot));
}

void paint_label(HWND label) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(label, &paint);
  RECT area;
  GetClientRect(label, &area);
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  char text[512];
  const int length = GetWindowTextA(label, text, sizeof text);
  HGDIOBJ old_font = nullptr;
  if (HFONT font = label_font(label)) old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextA(dc, text, length, &area, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (old_font) SelectObject(dc, old_font);
  EndPaint(label, &paint);
}

LRESULT CALLBACK label_window_proc(HWND label, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      paint_label(label);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole label
    case WM_SETFONT:
      SetWindowLongPtrA(label, kFontSlot, static_cast<LONG_PTR>(wparam));
      if (LOWORD(lparam)) InvalidateRect(label, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(label_font(label));
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(label, message, wparam, lparam);
      InvalidateRect(label, nullptr, TRUE);
      return result;
    }
    default:
      return DefWindowProcA(label, message, wparam, lparam);
  }
}

}  // namespace

bool register_label_class(HINSTANCE instance) {
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, kLabelClassName, &existing)) return true;
  WNDCLASSEXA label_class = {};
  label_class.cbSize = sizeof label_class;
  label_class.lpfnWndProc = label_window_proc;
  label_class.cbWndExtra = sizeof(LONG_PTR);
  label_class.hInstance = instance;
  label_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  label_class.lpszClassName = kLabelClassName;
  return RegisterClassExA(&label_class) != 0;
}
