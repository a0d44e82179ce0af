// A bad spot in one file: while a ReadFault lives, every read of that file that covers the
// byte at `offset` fails with an I/O error, as a damaged disk does; other reads are untouched.
// It works under the split's own file layer, at the system interface: on Linux the test
// program's own pread/copy_file_range stand in front of the C library's; on Windows the
// program's import of ReadFile is redirected.
#pragma once

#include <cstdint>
#include <string>

class ReadFault {
 public:
  ReadFault(const std::string& path, uint64_t offset);
  ~ReadFault();
  ReadFault(const ReadFault&) = delete;
  ReadFault& operator=(const ReadFault&) = delete;

  bool armed() const { return armed_; }
  // How many reads were refused so far.
  static int refusals();

 private:
  bool armed_ = false;
};
