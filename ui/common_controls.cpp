#include "ui/common_controls.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

bool load_list_view_classes() {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  // Kept loaded for the life of the process: the window classes it registers live in it.
  const HMODULE library = LoadLibraryA((std::string(folder, length) + "\\comctl32.dll").c_str());
  if (!library) return false;
  using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = reinterpret_cast<InitFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  return init && init(&controls);
}
