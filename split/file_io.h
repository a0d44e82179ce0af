// The file layer of the split: reading sources at 64-bit offsets and writing pieces.
// Platform-free header; file_io_posix.cpp and file_io_win.cpp are its two halves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Which file on disk a handle refers to, whatever the spelling of its path.
struct FileIdentity {
  uint64_t volume = 0;
  uint64_t index = 0;
  friend bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.volume == b.volume && a.index == b.index;
  }
  friend bool operator<(const FileIdentity& a, const FileIdentity& b) {
    return a.volume != b.volume ? a.volume < b.volume : a.index < b.index;
  }
};

// `files` sorted: one look-up per piece stays cheap with thousands of sources.
bool contains_identity(const std::vector<FileIdentity>& files, const FileIdentity& id);

// Random access to the bytes of a source: a file, or memory in the tests.
class ByteReader {
 public:
  virtual ~ByteReader() = default;
  // Reads `length` bytes at `offset`, fewer only where the bytes end; -1 on a read error.
  virtual int64_t read_at(uint64_t offset, char* buffer, std::size_t length) const = 0;
};

// A source opened for reading only; other programs may read and write it meanwhile.
class SourceFile : public ByteReader {
 public:
  SourceFile() = default;
  ~SourceFile() override;
  SourceFile(SourceFile&& other) noexcept;
  SourceFile& operator=(SourceFile&& other) noexcept;
  SourceFile(const SourceFile&) = delete;
  SourceFile& operator=(const SourceFile&) = delete;

  // Opens an existing regular file. Folders, devices and pipes are not sources.
  static SourceFile open(const std::string& path);

  bool is_open() const { return handle_ != kNoHandle; }
  bool size(uint64_t* bytes) const;
  bool identity(FileIdentity* id) const;
  // Reads `length` bytes at `offset`, fewer only where the file ends; -1 on a read error.
  int64_t read_at(uint64_t offset, char* buffer, std::size_t length) const override;
  intptr_t native_handle() const { return handle_; }

 private:
  static constexpr intptr_t kNoHandle = -1;
  explicit SourceFile(intptr_t handle) : handle_(handle) {}
  intptr_t handle_ = kNoHandle;
};

// The identity of the file at `path`, when it exists and can be asked.
bool identity_of_path(const std::string& path, FileIdentity* id);

enum class PieceOpenResult { opened, failed, is_listed_source };

// A piece being written. Created empty (an existing regular file is replaced); held
// exclusively while open. A piece that is neither finished nor discarded when it goes away
// is deleted, so that no partly written piece is ever left looking complete.
class PieceFile {
 public:
  PieceFile() = default;
  ~PieceFile();
  PieceFile(PieceFile&& other) noexcept;
  PieceFile& operator=(PieceFile&& other) noexcept;
  PieceFile(const PieceFile&) = delete;
  PieceFile& operator=(const PieceFile&) = delete;

  // Refuses a path that names one of `protected_files` (sorted; the run's sources) and
  // any existing file that is not a regular file.
  static PieceOpenResult create(const std::string& path,
                                const std::vector<FileIdentity>& protected_files,
                                PieceFile* piece);

  bool is_open() const { return handle_ != kNoHandle; }
  bool write(const char* data, std::size_t length);
  // Closes the piece; true when the close succeeded. A piece whose close fails (a write
  // error the system reported late) is deleted.
  bool finish();
  // Closes and deletes the piece.
  void discard();
  intptr_t native_handle() const { return handle_; }

 private:
  static constexpr intptr_t kNoHandle = -1;
  intptr_t handle_ = kNoHandle;
  std::string path_;
};

enum class CopyResult { copied, read_failed, write_failed };

// Copies `length` bytes of the source from `offset` to the end of the piece. `buffer` is
// scratch space for platforms that copy through the program; a source that ends before
// the range does is a read failure. `kernel_copy` lets the platform copy without the
// bytes passing through the program where it can.
CopyResult copy_range(const SourceFile& source, uint64_t offset, uint64_t length,
                      PieceFile& piece, char* buffer, std::size_t buffer_size,
                      bool kernel_copy = true);
