// Test fixtures on real disk: a fresh folder per test, byte-exact file helpers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, without a trailing separator; join names with `sep()`.
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + sep() + name; }
  static const char* sep();

 private:
  std::string path_;
};

// Byte-exact file access through the C library (ANSI names on Windows).
bool write_bytes(const std::string& path, const std::string& bytes);
bool read_bytes(const std::string& path, std::string* bytes);
bool file_exists(const std::string& path);
bool make_dir(const std::string& path);
// Positioned access for large (sparse) files: set the length, write or read at an offset.
bool set_file_size(const std::string& path, uint64_t size);
bool write_bytes_at(const std::string& path, uint64_t offset, const std::string& bytes);
bool read_bytes_at(const std::string& path, uint64_t offset, std::size_t length, std::string* bytes);
uint64_t file_size(const std::string& path);
// Names in a folder, sorted, without "." and "..".
std::vector<std::string> list_dir(const std::string& path);
