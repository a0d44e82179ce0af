#include "ui/output_folder.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "split/byte_text.h"

namespace {

struct TopWindowState {
  HWND window;
  BOOL enabled;
};

BOOL CALLBACK collect_top_window(HWND window, LPARAM param) {
  if (GetParent(window) == nullptr) {
    reinterpret_cast<std::vector<TopWindowState>*>(param)->push_back(
        {window, IsWindowEnabled(window)});
  }
  return TRUE;
}

std::string path_from_item_list(LPITEMIDLIST items) {
  char buffer[MAX_PATH] = {};
  std::string path;
  if (SHGetPathFromIDListA(items, buffer)) path = buffer;
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
    allocator->Free(items);
    allocator->Release();
  }
  return path;
}

}  // namespace

std::string with_trailing_backslash(const std::string& path) {
  if (path.empty()) return path;
  const int32_t last = last_position_of(path, "\\");
  if (last > 0 && static_cast<std::size_t>(last) == path.size()) return path;
  return path + "\\";
}

std::string desktop_folder_text() {
  // The platform writes at most MAX_PATH bytes here; the separator is added to a copy, so a
  // path of 259 bytes keeps its separator as well.
  char buffer[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_DESKTOPDIRECTORY, FALSE)) {
    return std::string();
  }
  buffer[MAX_PATH - 1] = '\0';
  return with_trailing_backslash(buffer);
}

std::string browse_for_folder(const char* title) {
  char display_name[MAX_PATH] = {};
  BROWSEINFOA browse = {};
  HWND owner = GetActiveWindow();
  browse.hwndOwner = IsWindow(owner) ? owner : nullptr;
  browse.pszDisplayName = display_name;
  browse.lpszTitle = title;
  browse.ulFlags = BIF_EDITBOX;

  HWND foreground = GetForegroundWindow();
  std::vector<TopWindowState> windows;
  EnumThreadWindows(GetCurrentThreadId(), collect_top_window,
                    reinterpret_cast<LPARAM>(&windows));
  for (const TopWindowState& state : windows) EnableWindow(state.window, FALSE);

  LPITEMIDLIST items = SHBrowseForFolderA(&browse);

  for (const TopWindowState& state : windows) {
    if (IsWindow(state.window)) EnableWindow(state.window, state.enabled);
  }
  if (foreground && IsWindow(foreground)) SetForegroundWindow(foreground);
  if (browse.hwndOwner && IsWindow(browse.hwndOwner)) SetActiveWindow(browse.hwndOwner);

  return items ? path_from_item_list(items) : std::string();
}
