#include "ui/drop_files.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

namespace {

// Counts the names from `offset`, `unit` bytes per character, up to the closing empty name;
// none when the list runs past the end.
std::optional<std::size_t> names_inside(const unsigned char* bytes, std::size_t size,
                                        std::size_t offset, std::size_t unit) {
  auto is_nul = [&](std::size_t at) {
    for (std::size_t i = 0; i < unit; ++i) {
      if (bytes[at + i] != 0) return false;
    }
    return true;
  };
  for (std::size_t count = 0;; ++count) {
    if (size - offset < unit) return std::nullopt;
    if (is_nul(offset)) return count;  // the empty name closes the list
    while (!is_nul(offset)) {
      offset += unit;
      if (size - offset < unit) return std::nullopt;
    }
    offset += unit;
  }
}

class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), bytes_(GlobalLock(memory)) {}
  ~GlobalLockGuard() {
    if (bytes_) GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  const void* bytes() const { return bytes_; }

 private:
  HGLOBAL memory_;
  void* bytes_;
};

std::optional<std::size_t> name_count_of(HGLOBAL files) {
  GlobalLockGuard lock(files);
  if (!lock.bytes()) return std::nullopt;
  return drop_files_name_count(lock.bytes(), GlobalSize(files));
}

}  // namespace

std::optional<std::size_t> drop_files_name_count(const void* block, std::size_t size) {
  if (!block || size < sizeof(DROPFILES)) return std::nullopt;
  DROPFILES header;
  std::memcpy(&header, block, sizeof header);
  if (header.pFiles < sizeof(DROPFILES) || header.pFiles > size) return std::nullopt;
  return names_inside(static_cast<const unsigned char*>(block), size, header.pFiles,
                      header.fWide ? sizeof(WCHAR) : 1);
}

std::optional<std::vector<std::string>> paths_of_drop_files(HGLOBAL files) {
  const std::optional<std::size_t> count = files ? name_count_of(files) : std::nullopt;
  if (!count) return std::nullopt;
  std::vector<std::string> paths;
  // The shell's count of an empty list reads past the closing name: it is not asked then.
  if (*count == 0) return paths;
  auto drop = static_cast<HDROP>(files);
  if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) != *count) return std::nullopt;
  for (UINT index = 0; index < *count; ++index) {
    // The length in bytes without the NUL, then the path into a buffer one byte longer.
    const UINT length = DragQueryFileA(drop, index, nullptr, 0);
    std::string path(static_cast<std::size_t>(length) + 1, '\0');
    DragQueryFileA(drop, index, path.data(), length + 1);
    path.resize(strnlen(path.data(), path.size()));
    paths.push_back(std::move(path));
  }
  return paths;
}
