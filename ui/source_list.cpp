#include "ui/source_list.h"

#include <commctrl.h>

#include <cstring>
#include <new>
#include <vector>

namespace source_list {

void append_path(HWND list, const std::string& path) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
  item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = const_cast<char*>(path.c_str());
  item.iImage = -1;
  SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int32_t count(HWND list) { return static_cast<int32_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string item_text(HWND list, int32_t index) {
  // The list view copies at most the buffer size less one byte, and in a double-byte code
  // page one byte less when a character does not fit whole: a text that comes back within
  // two bytes of the buffer's size may have been cut, so the buffer is doubled and the text
  // read again until it comes back shorter.
  std::vector<char> buffer;
  for (std::size_t size = 512;; size *= 2) {
    try {
      buffer.assign(size, '\0');
    } catch (const std::bad_alloc&) {
      return std::string();  // no text rather than a cut one
    }
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const LRESULT length =
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    if (length < 0) return std::string();
    const std::size_t copied = strnlen(buffer.data(), size);
    if (static_cast<std::size_t>(length) + 2 < size && copied + 2 < size) {
      return std::string(buffer.data(), copied);
    }
    if (size > (1u << 30)) return std::string();
  }
}

void clear(HWND list) { SendMessageA(list, LVM_DELETEALLITEMS, 0, 0); }

}  // namespace source_list
