#include "split/file_io_common.h"

#include <algorithm>

CopyResult copy_through_buffer(const SourceFile& source, uint64_t offset, uint64_t length,
                               PieceFile& piece, char* buffer, std::size_t buffer_size) {
  while (length > 0) {
    const std::size_t want = length < buffer_size ? static_cast<std::size_t>(length) : buffer_size;
    const int64_t got = source.read_at(offset, buffer, want);
    if (got <= 0) return CopyResult::read_failed;  // an error, or the source got shorter
    if (!piece.write(buffer, static_cast<std::size_t>(got))) return CopyResult::write_failed;
    offset += static_cast<uint64_t>(got);
    length -= static_cast<uint64_t>(got);
  }
  return CopyResult::copied;
}

bool contains_identity(const std::vector<FileIdentity>& files, const FileIdentity& id) {
  return std::binary_search(files.begin(), files.end(), id);
}
