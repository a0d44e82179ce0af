#include "split/split_file.h"

#include <optional>

#include "split/cut_rule.h"
#include "split/piece_name.h"

namespace {

SourceFault fault(SourceFault::Kind kind, std::string piece_path = std::string()) {
  return SourceFault{kind, std::move(piece_path)};
}

}  // namespace

SourceFault split_source_file(const std::string& source_path, SplitHost& host,
                              const PieceSpec& spec) {
  const SourceFile source = SourceFile::open(source_path);
  if (!source.is_open()) return fault(SourceFault::cannot_open);
  if (spec.buffer == nullptr) return fault(SourceFault::read_failed);
  // The length as it is now bounds the split, so a source that another program keeps
  // appending to still comes to an end.
  uint64_t size = 0;
  if (!source.size(&size)) return fault(SourceFault::read_failed);

  const std::string stem = stem_of(source_path);
  uint32_t number = 0;
  for (uint64_t start = 0; start < size;) {
    uint64_t cut = size;
    if (size - start > spec.piece_bytes) {
      const std::optional<uint64_t> found =
          find_cut(source, start, start + spec.piece_bytes, spec.buffer, spec.buffer_size);
      if (!found) return fault(SourceFault::read_failed);
      cut = *found;
    }

    const std::string path = piece_path(host.output_folder_text(), stem, ++number);
    PieceFile piece;
    switch (PieceFile::create(path, *spec.protected_files, &piece)) {
      case PieceOpenResult::opened:
        break;
      case PieceOpenResult::failed:
        return fault(SourceFault::cannot_write, path);
      case PieceOpenResult::is_listed_source:
        return fault(SourceFault::would_overwrite_source, path);
    }
    switch (copy_range(source, start, cut - start, piece, spec.buffer, spec.buffer_size,
                       spec.kernel_copy)) {
      case CopyResult::copied:
        break;
      case CopyResult::read_failed:
        piece.discard();
        return fault(SourceFault::read_failed);
      case CopyResult::write_failed:
        piece.discard();
        return fault(SourceFault::cannot_write, path);
    }
    if (!piece.finish()) return fault(SourceFault::cannot_write, path);
    start = cut;
  }
  return SourceFault{};
}
