// POSIX half of the file layer.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "split/file_io_common.h"
#include "split/file_io.h"

namespace {

int fd_of(intptr_t handle) { return static_cast<int>(handle); }

FileIdentity identity_from(const struct stat& st) {
  return FileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}


bool write_all(int fd, const char* data, std::size_t length) {
  while (length > 0) {
    const ssize_t n = ::write(fd, data, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    length -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

SourceFile::~SourceFile() {
  if (is_open()) ::close(fd_of(handle_));
}

SourceFile::SourceFile(SourceFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoHandle)) {}

SourceFile& SourceFile::operator=(SourceFile&& other) noexcept {
  if (this != &other) {
    if (is_open()) ::close(fd_of(handle_));
    handle_ = std::exchange(other.handle_, kNoHandle);
  }
  return *this;
}

SourceFile SourceFile::open(const std::string& path) {
  if (path.empty()) return SourceFile();
  // O_NONBLOCK keeps a named pipe from stalling the open; it is refused just below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return SourceFile();
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return SourceFile();
  }
  return SourceFile(fd);  // O_NONBLOCK stays: it changes nothing for a regular file
}

bool SourceFile::size(uint64_t* bytes) const {
  struct stat st;
  if (!is_open() || ::fstat(fd_of(handle_), &st) != 0) return false;
  *bytes = static_cast<uint64_t>(st.st_size);
  return true;
}

bool SourceFile::identity(FileIdentity* id) const {
  struct stat st;
  if (!is_open() || ::fstat(fd_of(handle_), &st) != 0) return false;
  *id = identity_from(st);
  return true;
}

int64_t SourceFile::read_at(uint64_t offset, char* buffer, std::size_t length) const {
  if (!is_open()) return -1;
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::pread(fd_of(handle_), buffer + done, length - done,
                              static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<int64_t>(done);
}

bool identity_of_path(const std::string& path, FileIdentity* id) {
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;
  *id = identity_from(st);
  return true;
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
  // A new file cannot be a source, even when it reuses the inode of a source deleted
  // meanwhile; a file already there is opened without truncating, so that a listed source
  // found at the path is left intact.
  constexpr int kFlags = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  int fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0666);
  const bool existed = fd < 0 && errno == EEXIST;
  if (existed) fd = ::open(path.c_str(), kFlags);
  if (fd < 0) return PieceOpenResult::failed;
  // A file this call created is an empty regular file: only one found there is asked.
  if (existed) {
    struct stat st;
    PieceOpenResult refusal = PieceOpenResult::opened;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      refusal = PieceOpenResult::failed;
    } else if (contains_identity(protected_files, identity_from(st))) {
      refusal = PieceOpenResult::is_listed_source;
    } else if (st.st_size != 0 && ::ftruncate(fd, 0) != 0) {
      refusal = PieceOpenResult::failed;
    }
    if (refusal != PieceOpenResult::opened) {
      ::close(fd);
      return refusal;
    }
  }
  // O_NONBLOCK stays: it changes nothing for a regular file, and saves two calls a piece.
  *piece = PieceFile();
  piece->handle_ = fd;
  piece->path_ = path;
  return PieceOpenResult::opened;
}

bool PieceFile::write(const char* data, std::size_t length) {
  return is_open() && write_all(fd_of(handle_), data, length);
}

bool PieceFile::finish() {
  if (!is_open()) return false;
  const intptr_t handle = std::exchange(handle_, kNoHandle);
  if (::close(fd_of(handle)) == 0) return true;
  ::unlink(path_.c_str());  // the close reported a write that did not reach the disk
  return false;
}

void PieceFile::discard() {
  if (is_open()) ::close(fd_of(std::exchange(handle_, kNoHandle)));
  if (!path_.empty()) ::unlink(path_.c_str());
  path_.clear();
}

CopyResult copy_range(const SourceFile& source, uint64_t offset, uint64_t length,
                      PieceFile& piece, char* buffer, std::size_t buffer_size,
                      bool kernel_copy) {
#ifdef __linux__
  // The kernel moves the bytes from file to file without copying them through the program.
  // On any refusal or error the rest goes through the buffer, which tells read errors from
  // write errors exactly.
  while (kernel_copy && length > 0) {
    loff_t in = static_cast<loff_t>(offset);
    const std::size_t step = length > (1u << 30) ? (1u << 30) : static_cast<std::size_t>(length);
    const ssize_t n = ::copy_file_range(fd_of(source.native_handle()), &in,
                                        fd_of(piece.native_handle()), nullptr, step, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    offset += static_cast<uint64_t>(n);
    length -= static_cast<uint64_t>(n);
  }
#else
  (void)kernel_copy;
#endif
  return copy_through_buffer(source, offset, length, piece, buffer, buffer_size);
}
