#include <dlfcn.h>
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

#include "tests/faults/read_fault.h"

namespace {

struct Target {
  std::atomic<bool> armed{false};
  dev_t device = 0;
  ino_t inode = 0;
  uint64_t offset = 0;
  std::atomic<int> refusals{0};
};
Target target;

// True when a read of `length` bytes at `at` from `fd` must fail.
bool refuse(int fd, uint64_t at, std::size_t length) {
  if (!target.armed.load() || length == 0) return false;
  if (at > target.offset || target.offset - at >= length) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || st.st_dev != target.device || st.st_ino != target.inode)
    return false;
  target.refusals.fetch_add(1);
  errno = EIO;
  return true;
}

template <typename F>
F next_definition(const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

// These take the place of the C library's functions for the whole test program, the
// split's file layer included, and pass every read they do not refuse on to it.
extern "C" {

ssize_t pread64(int fd, void* buffer, size_t length, off64_t at) {
  using Pread = ssize_t (*)(int, void*, size_t, off64_t);
  static const Pread next = next_definition<Pread>("pread64");
  if (at >= 0 && refuse(fd, static_cast<uint64_t>(at), length)) return -1;
  return next(fd, buffer, length, at);
}

ssize_t pread(int fd, void* buffer, size_t length, off_t at) {
  return pread64(fd, buffer, length, at);
}

ssize_t copy_file_range(int fd_in, off64_t* at_in, int fd_out, off64_t* at_out, size_t length,
                        unsigned int flags) {
  using Copy = ssize_t (*)(int, off64_t*, int, off64_t*, size_t, unsigned int);
  static const Copy next = next_definition<Copy>("copy_file_range");
  off64_t at = at_in != nullptr ? *at_in : ::lseek64(fd_in, 0, SEEK_CUR);
  if (at >= 0 && refuse(fd_in, static_cast<uint64_t>(at), length)) return -1;
  return next(fd_in, at_in, fd_out, at_out, length, flags);
}

}  // extern "C"

ReadFault::ReadFault(const std::string& path, uint64_t offset) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return;
  target.device = st.st_dev;
  target.inode = st.st_ino;
  target.offset = offset;
  target.refusals = 0;
  target.armed = true;
  armed_ = true;
}

ReadFault::~ReadFault() {
  if (armed_) target.armed = false;
}

int ReadFault::refusals() {
  return target.refusals.load();
}
