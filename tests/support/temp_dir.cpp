#include "tests/support/temp_dir.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::random_device rd;
  std::error_code ec;
  const std::string base = fs::temp_directory_path(ec).string();
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const std::string candidate = base + (base.back() == sep()[0] ? "" : sep()) + "quorvane-" +
                                  std::to_string(rd()) + std::to_string(attempt);
    if (make_dir(candidate)) path_ = candidate;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  if (!path_.empty()) fs::remove_all(fs::path(path_), ec);
}

const char* TempDir::sep() {
#ifdef _WIN32
  return "\\";
#else
  return "/";
#endif
}

bool write_bytes(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool read_bytes(const std::string& path, std::string* bytes) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bytes->clear();
  char block[65536];
  std::size_t n;
  while ((n = std::fread(block, 1, sizeof block, f)) > 0) bytes->append(block, n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

bool file_exists(const std::string& path) {
#ifdef _WIN32
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
#endif
}

bool make_dir(const std::string& path) {
#ifdef _WIN32
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
#else
  return ::mkdir(path.c_str(), 0777) == 0;
#endif
}

std::vector<std::string> list_dir(const std::string& path) {
  std::vector<std::string> names;
#ifdef _WIN32
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((path + "\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
#else
  if (DIR* d = ::opendir(path.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(d);
  }
#endif
  std::sort(names.begin(), names.end());
  return names;
}

#ifdef _WIN32
namespace {
HANDLE open_for(const std::string& path, DWORD access, DWORD disposition) {
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}
}  // namespace

bool set_file_size(const std::string& path, uint64_t size) {
  HANDLE h = open_for(path, GENERIC_WRITE, OPEN_ALWAYS);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(size);
  const bool ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h);
  CloseHandle(h);
  return ok;
}

bool write_bytes_at(const std::string& path, uint64_t offset, const std::string& bytes) {
  HANDLE h = open_for(path, GENERIC_WRITE, OPEN_ALWAYS);
  if (h == INVALID_HANDLE_VALUE) return false;
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD written = 0;
  const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, &at) &&
                  written == bytes.size();
  CloseHandle(h);
  return ok;
}

bool read_bytes_at(const std::string& path, uint64_t offset, std::size_t length, std::string* bytes) {
  HANDLE h = open_for(path, GENERIC_READ, OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE) return false;
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  bytes->assign(length, '\0');
  DWORD got = 0;
  const bool ok = ReadFile(h, &(*bytes)[0], static_cast<DWORD>(length), &got, &at);
  bytes->resize(got);
  CloseHandle(h);
  return ok;
}

uint64_t file_size(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
#else
bool set_file_size(const std::string& path, uint64_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0666);
  if (fd < 0) return false;
  const bool ok = ::ftruncate(fd, static_cast<off_t>(size)) == 0;
  return ::close(fd) == 0 && ok;
}

bool write_bytes_at(const std::string& path, uint64_t offset, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0666);
  if (fd < 0) return false;
  const bool ok = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) ==
                  static_cast<ssize_t>(bytes.size());
  return ::close(fd) == 0 && ok;
}

bool read_bytes_at(const std::string& path, uint64_t offset, std::size_t length, std::string* bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  bytes->assign(length, '\0');
  const ssize_t got = ::pread(fd, &(*bytes)[0], length, static_cast<off_t>(offset));
  ::close(fd);
  if (got < 0) return false;
  bytes->resize(static_cast<std::size_t>(got));
  return true;
}

uint64_t file_size(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
}
#endif
