// Bytes in memory seen through the reader interface of the file layer.
#pragma once

#include <cstring>
#include <string>

#include "split/file_io.h"

class MemoryReader : public ByteReader {
 public:
  explicit MemoryReader(std::string bytes) : bytes_(std::move(bytes)) {}
  int64_t read_at(uint64_t offset, char* buffer, std::size_t length) const override {
    ++reads;
    if (offset >= bytes_.size()) return 0;
    const std::size_t n = std::min<std::size_t>(length, bytes_.size() - offset);
    std::memcpy(buffer, bytes_.data() + offset, n);
    bytes_read += n;
    return static_cast<int64_t>(n);
  }
  mutable int reads = 0;
  mutable uint64_t bytes_read = 0;

 private:
  std::string bytes_;
};
