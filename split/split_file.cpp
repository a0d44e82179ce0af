#include "split/split_file.h"

#include <cstring>
#include <optional>

#include "split/cut_rule.h"
#include "split/piece_name.h"

namespace {

SourceFault fault(SourceFault::Kind kind, std::string piece_path = std::string()) {
  return SourceFault{kind, std::move(piece_path)};
}

// A read that races another program cutting the source short may see zeros where bytes
// were: a source now shorter than what was read from it is a read error, never a piece.
bool still_holds(const SourceFile& source, uint64_t end) {
  uint64_t size = 0;
  return source.size(&size) && size >= end;
}

// Where the pieces of one source go: names them and opens them one after the other.
class PieceSink {
 public:
  PieceSink(SplitHost& host, std::string stem, const PiecePlan& plan)
      : host_(host), stem_(std::move(stem)), plan_(plan) {}

  // Opens the next piece, replacing a file of that name; a fault when it cannot.
  std::optional<SourceFault> open_next(PieceFile* piece) {
    path_ = piece_path(host_.output_folder_text(), stem_, ++number_);
    switch (PieceFile::create(path_, *plan_.protected_files, piece)) {
      case PieceOpenResult::opened:
        return std::nullopt;
      case PieceOpenResult::failed:
        return fault(SourceFault::cannot_write, path_);
      case PieceOpenResult::is_listed_source:
        return fault(SourceFault::would_overwrite_source, path_);
    }
    return fault(SourceFault::cannot_write, path_);
  }

  // Writes a whole piece from memory.
  std::optional<SourceFault> write_piece(const char* bytes, std::size_t length) {
    PieceFile piece;
    if (std::optional<SourceFault> f = open_next(&piece)) return f;
    if (!piece.write(bytes, length)) {
      piece.discard();
      return fault(SourceFault::cannot_write, path_);
    }
    return finish(piece);
  }

  // Copies a whole piece from the source: [offset, offset + length).
  std::optional<SourceFault> copy_piece(const SourceFile& source, uint64_t offset, uint64_t length) {
    PieceFile piece;
    if (std::optional<SourceFault> f = open_next(&piece)) return f;
    switch (copy_range(source, offset, length, piece, plan_.buffer, plan_.buffer_size,
                       plan_.kernel_copy)) {
      case CopyResult::copied:
        if (still_holds(source, offset + length)) return finish(piece);
        piece.discard();
        return fault(SourceFault::read_failed);
      case CopyResult::read_failed:
        piece.discard();
        return fault(SourceFault::read_failed);
      case CopyResult::write_failed:
        break;
    }
    piece.discard();
    return fault(SourceFault::cannot_write, path_);
  }

 private:
  std::optional<SourceFault> finish(PieceFile& piece) {
    if (piece.finish()) return std::nullopt;
    return fault(SourceFault::cannot_write, path_);
  }

  SplitHost& host_;
  const std::string stem_;
  const PiecePlan& plan_;
  uint32_t number_ = 0;
  std::string path_;
};

// Chunks that fit the buffer: every byte of the source is read once, in order. The bytes
// after a cut stay in the buffer and open the next chunk.
SourceFault split_through_buffer(const SourceFile& source, uint64_t size, PieceSink& sink,
                                 const PiecePlan& plan) {
  char* const buffer = plan.buffer;
  const std::size_t n = static_cast<std::size_t>(plan.piece_bytes);
  std::size_t held = 0;  // bytes of the chunk already in the buffer
  for (uint64_t start = 0; start < size;) {
    const std::size_t chunk = size - start > n ? n : static_cast<std::size_t>(size - start);
    const std::size_t want = chunk - held;
    if (want > 0 && (source.read_at(start + held, buffer + held, want) != static_cast<int64_t>(want) ||
                     !still_holds(source, start + chunk))) {
      return fault(SourceFault::read_failed);
    }
    const bool last = size - start <= n;
    const std::size_t piece = last ? chunk : find_cut_in_memory(buffer, chunk);
    if (std::optional<SourceFault> f = sink.write_piece(buffer, piece)) return *f;
    held = chunk - piece;
    std::memmove(buffer, buffer + piece, held);
    start += piece;
  }
  return SourceFault{};
}

// Chunks larger than the buffer: the cut is found by scanning back from the chunk's end,
// then the piece is copied from the source.
SourceFault split_by_ranges(const SourceFile& source, uint64_t size, PieceSink& sink,
                            const PiecePlan& plan) {
  for (uint64_t start = 0; start < size;) {
    uint64_t cut = size;
    if (size - start > plan.piece_bytes) {
      const std::optional<uint64_t> found =
          find_cut(source, start, start + plan.piece_bytes, plan.buffer, plan.buffer_size);
      if (!found) return fault(SourceFault::read_failed);
      cut = *found;
    }
    if (std::optional<SourceFault> f = sink.copy_piece(source, start, cut - start)) return *f;
    start = cut;
  }
  return SourceFault{};
}

}  // namespace

SourceFault split_source_file(const std::string& source_path, SplitHost& host,
                              const PiecePlan& plan) {
  const SourceFile source = SourceFile::open(source_path);
  if (!source.is_open()) return fault(SourceFault::cannot_open);
  if (plan.buffer == nullptr) return fault(SourceFault::read_failed);
  // The length as it is now bounds the split, so a source that another program keeps
  // appending to still comes to an end.
  uint64_t size = 0;
  if (!source.size(&size)) return fault(SourceFault::read_failed);

  PieceSink sink(host, stem_of(source_path), plan);
  return plan.piece_bytes <= plan.buffer_size ? split_through_buffer(source, size, sink, plan)
                                              : split_by_ranges(source, size, sink, plan);
}
