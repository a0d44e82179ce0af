// Windows half of the file layer, on the ANSI entry points.
#include <windows.h>

#include <utility>

#include "split/file_io_common.h"
#include "split/file_io.h"

namespace {

HANDLE handle_of(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
intptr_t value_of(HANDLE handle) { return reinterpret_cast<intptr_t>(handle); }

bool identity_of_handle(HANDLE h, FileIdentity* id) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h, &info)) return false;
  id->volume = info.dwVolumeSerialNumber;
  id->index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}


// One read of at most `length` bytes at `offset`; false on an error. End of file is not one.
// The file pointer is moved rather than the offset passed in an OVERLAPPED: under Wine every
// OVERLAPPED read costs an extra round trip to the server, and only this program moves it.
bool read_once(HANDLE h, uint64_t offset, char* buffer, DWORD length, DWORD* got) {
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && ReadFile(h, buffer, length, got, nullptr);
}

}  // namespace

SourceFile::~SourceFile() {
  if (is_open()) CloseHandle(handle_of(handle_));
}

SourceFile::SourceFile(SourceFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoHandle)) {}

SourceFile& SourceFile::operator=(SourceFile&& other) noexcept {
  if (this != &other) {
    if (is_open()) CloseHandle(handle_of(handle_));
    handle_ = std::exchange(other.handle_, kNoHandle);
  }
  return *this;
}

SourceFile SourceFile::open(const std::string& path) {
  if (path.empty()) return SourceFile();
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return SourceFile();
  if (GetFileType(h) != FILE_TYPE_DISK) {  // a device or a pipe is no source
    CloseHandle(h);
    return SourceFile();
  }
  return SourceFile(value_of(h));
}

bool SourceFile::size(uint64_t* bytes) const {
  LARGE_INTEGER n;
  if (!is_open() || !GetFileSizeEx(handle_of(handle_), &n)) return false;
  *bytes = static_cast<uint64_t>(n.QuadPart);
  return true;
}

bool SourceFile::identity(FileIdentity* id) const {
  return is_open() && identity_of_handle(handle_of(handle_), id);
}

int64_t SourceFile::read_at(uint64_t offset, char* buffer, std::size_t length) const {
  if (!is_open()) return -1;
  std::size_t done = 0;
  while (done < length) {
    const std::size_t rest = length - done;
    const DWORD want = rest > 0x40000000u ? 0x40000000u : static_cast<DWORD>(rest);
    DWORD got = 0;
    if (!read_once(handle_of(handle_), offset + done, buffer + done, want, &got)) return -1;
    if (got == 0) break;
    done += got;
  }
  return static_cast<int64_t>(done);
}

bool identity_of_path(const std::string& path, FileIdentity* id) {
  if (path.empty()) return false;
  // No access asked: this opens even a file that another handle holds without sharing.
  HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool ok = identity_of_handle(h, id);
  CloseHandle(h);
  return ok;
}

PieceFile::~PieceFile() {
  if (is_open()) discard();
}

PieceFile::PieceFile(PieceFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoHandle)), path_(std::move(other.path_)) {}

PieceFile& PieceFile::operator=(PieceFile&& other) noexcept {
  if (this != &other) {
    if (is_open()) discard();
    handle_ = std::exchange(other.handle_, kNoHandle);
    path_ = std::move(other.path_);
  }
  return *this;
}

PieceOpenResult PieceFile::create(const std::string& path,
                                  const std::vector<FileIdentity>& protected_files,
                                  PieceFile* piece) {
  if (path.empty()) return PieceOpenResult::failed;
  // Opened without truncating, so that a listed source found at the path is left intact.
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    // The source being split is held open, so writing over it fails to share: say why.
    FileIdentity existing;
    if (identity_of_path(path, &existing) && contains_identity(protected_files, existing)) {
      return PieceOpenResult::is_listed_source;
    }
    return PieceOpenResult::failed;
  }
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  if (GetFileType(h) != FILE_TYPE_DISK) {  // a device name such as NUL
    CloseHandle(h);
    return PieceOpenResult::failed;
  }
  if (existed) {  // a file just made is no source: only one found there is asked
    FileIdentity id;
    PieceOpenResult refusal = PieceOpenResult::opened;
    if (!identity_of_handle(h, &id)) {
      refusal = PieceOpenResult::failed;
    } else if (contains_identity(protected_files, id)) {
      refusal = PieceOpenResult::is_listed_source;
    } else if (!SetEndOfFile(h)) {
      refusal = PieceOpenResult::failed;
    }
    if (refusal != PieceOpenResult::opened) {
      CloseHandle(h);
      return refusal;
    }
  }
  *piece = PieceFile();
  piece->handle_ = value_of(h);
  piece->path_ = path;
  return PieceOpenResult::opened;
}

bool PieceFile::write(const char* data, std::size_t length) {
  if (!is_open()) return false;
  while (length > 0) {
    const DWORD want = length > 0x40000000u ? 0x40000000u : static_cast<DWORD>(length);
    DWORD written = 0;
    if (!WriteFile(handle_of(handle_), data, want, &written, nullptr) || written == 0) return false;
    data += written;
    length -= written;
  }
  return true;
}

bool PieceFile::finish() {
  if (!is_open()) return false;
  const intptr_t handle = std::exchange(handle_, kNoHandle);
  if (CloseHandle(handle_of(handle)) != 0) return true;
  DeleteFileA(path_.c_str());  // the close reported a write that did not reach the disk
  return false;
}

void PieceFile::discard() {
  if (is_open()) CloseHandle(handle_of(std::exchange(handle_, kNoHandle)));
  if (!path_.empty()) DeleteFileA(path_.c_str());
  path_.clear();
}

CopyResult copy_range(const SourceFile& source, uint64_t offset, uint64_t length,
                      PieceFile& piece, char* buffer, std::size_t buffer_size,
                      bool /*kernel_copy*/) {
  return copy_through_buffer(source, offset, length, piece, buffer, buffer_size);
}
