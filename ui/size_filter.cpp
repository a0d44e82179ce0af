#include "ui/size_filter.h"

namespace {

const char kOriginalProcProperty[] = "QuorvaneFilteredProc";

LRESULT CALLBACK digits_filter_proc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto original = reinterpret_cast<WNDPROC>(GetPropA(edit, kOriginalProcProperty));
  if (message == WM_CHAR && !typed_character_passes(wparam)) return 0;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropA(edit, kOriginalProcProperty);
  }
  return CallWindowProcA(original, edit, message, wparam, lparam);
}

}  // namespace

bool typed_character_passes(WPARAM character) {
  if (character < 0x20) return true;
  return (character >= '0' && character <= '9') || character == '-';
}

bool attach_digits_filter(HWND edit) {
  const LONG_PTR original = GetWindowLongPtrA(edit, GWLP_WNDPROC);
  if (original == 0) return false;
  if (!SetPropA(edit, kOriginalProcProperty, reinterpret_cast<HANDLE>(original))) return false;
  SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(digits_filter_proc));
  return true;
}
