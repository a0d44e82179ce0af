#include "ui/open_files_dialog.h"

#include <commdlg.h>

#include <memory>
#include <new>

#include "ui/open_files_text.h"
#include "ui/texts.h"

namespace {

constexpr DWORD kFileBufferSize = 61440;

}  // namespace

std::vector<std::string> choose_source_files(HWND owner) {
  std::unique_ptr<char[]> names(new (std::nothrow) char[kFileBufferSize]());
  if (!names) return {};
  const std::string filter = dialog_filter_from(ui_text(UiText::open_files_filter));
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 0;
  dialog.lpstrFile = names.get();
  dialog.nMaxFile = kFileBufferSize;
  dialog.lpstrTitle = ui_text(UiText::open_files_title);
  dialog.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                 OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!GetOpenFileNameA(&dialog)) return {};
  return paths_from_selection(names.get(), kFileBufferSize);
}
