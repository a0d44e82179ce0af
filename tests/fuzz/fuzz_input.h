// Taking a fuzz input apart: numbers from its first bytes, the rest as text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // A number from the next `bytes` bytes (0 when the input has run out).
  uint32_t number(int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes && at_ < size_; ++i) value = value << 8 | data_[at_++];
    return value;
  }
  // Everything not taken yet.
  std::string rest() {
    std::string text(reinterpret_cast<const char*>(data_ + at_), size_ - at_);
    at_ = size_;
    return text;
  }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Stops the fuzzer with a message when a property does not hold.
#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)
