#include "split/cut_rule.h"

#include <cstring>

namespace {

// The first block of the backward scan: a CR LF text finds its cut in it.
constexpr std::size_t kFirstScanBlock = 4096;

bool is_high(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// The last `byte` in [from, to), or null.
const char* last_of(const char* from, const char* to, char byte) {
  if (from >= to) return nullptr;
#ifdef __GLIBC__
  return static_cast<const char*>(memrchr(from, byte, static_cast<std::size_t>(to - from)));
#else
  for (const char* p = to; p != from;) {
    if (*--p == byte) return p;
  }
  return nullptr;
#endif
}

// What the backward scan has learnt so far.
struct Scan {
  uint64_t start = 0;
  uint64_t end = 0;
  std::optional<uint64_t> lone_break;  // the highest CR or lone LF seen
  // Rule c needs the length of the run of high bytes right before the chunk's last byte.
  bool last_is_high = false;
  bool counting_run = false;
  uint64_t run_length = 0;
  uint64_t run_next = 0;  // the next offset the run count looks at

  void note_lone_break(uint64_t at) {
    if (!lone_break || at > *lone_break) lone_break = at;
  }
};

// Scans the block of `length` bytes at `b`, which holds the bytes from offset `lo`; gives
// the cut when the block holds the chunk's last CR LF.
std::optional<uint64_t> scan_block(Scan& scan, uint64_t lo, const char* b, std::size_t length) {
  // A cut leaves at least one byte in the piece.
  const std::size_t first = scan.start + 1 > lo ? static_cast<std::size_t>(scan.start + 1 - lo) : 0;
  const char* floor = b + first;
  const char* top = b + length;

  // LFs from the top down: a CR before one is the last CR LF; the first LF without a CR is
  // the highest lone LF, after which only CR LFs matter, and the CR search finds them.
  for (const char* lf = last_of(floor, top, '\n'); lf; lf = last_of(floor, lf - 1, '\n')) {
    if (lf == b) break;  // its predecessor lies in the next block, which rereads this byte
    if (lf[-1] != '\r') {
      scan.note_lone_break(lo + static_cast<uint64_t>(lf - b));
      break;
    }
    if (lf - 1 >= floor) return lo + static_cast<uint64_t>(lf - 1 - b);
  }
  for (const char* cr = last_of(floor, top, '\r'); cr; cr = last_of(floor, cr, '\r')) {
    if (cr + 1 < top && cr[1] == '\n') return lo + static_cast<uint64_t>(cr - b);
    scan.note_lone_break(lo + static_cast<uint64_t>(cr - b));
  }

  if (scan.counting_run && !scan.lone_break) {
    uint64_t at = scan.run_next;  // always inside the block: blocks overlap by one byte
    while (at >= lo) {
      if (!is_high(b[at - lo])) {
        scan.counting_run = false;
        break;
      }
      ++scan.run_length;
      if (at == scan.start) {
        scan.counting_run = false;
        break;
      }
      --at;
    }
    scan.run_next = at;
  }
  return std::nullopt;
}

// Starts a scan of the chunk [start, end) whose last byte is `last`.
Scan begin_scan(uint64_t start, uint64_t end, char last) {
  Scan scan;
  scan.start = start;
  scan.end = end;
  scan.last_is_high = is_high(last);
  scan.counting_run = end - 1 > start;  // the run ends right before the last byte
  scan.run_next = end - 2;
  return scan;
}

// The cut when the whole chunk was scanned without finding a CR LF.
uint64_t finish_scan(const Scan& scan) {
  if (scan.lone_break) return *scan.lone_break;
  // The last byte starts a character exactly when the run of high bytes before it is even.
  const bool last_starts_character = scan.run_length % 2 == 0;
  // A one-byte chunk keeps its byte, so that every piece has at least one.
  return scan.last_is_high && last_starts_character && scan.end - 1 > scan.start ? scan.end - 1
                                                                                 : scan.end;
}

}  // namespace

std::size_t find_cut_in_memory(const char* chunk, std::size_t length) {
  if (length == 0) return 0;
  Scan scan = begin_scan(0, length, chunk[length - 1]);
  if (std::optional<uint64_t> cut = scan_block(scan, 0, chunk, length)) {
    return static_cast<std::size_t>(*cut);
  }
  return static_cast<std::size_t>(finish_scan(scan));
}

std::optional<uint64_t> find_cut(const ByteReader& source, uint64_t start, uint64_t end,
                                 char* buffer, std::size_t buffer_size) {
  if (buffer_size < 2 || end <= start) return std::nullopt;
  Scan scan;
  std::size_t block = buffer_size < kFirstScanBlock ? buffer_size : kFirstScanBlock;
  uint64_t hi = end;
  for (bool first = true;; first = false) {
    const uint64_t lo = hi - start > block ? hi - block : start;
    const std::size_t length = static_cast<std::size_t>(hi - lo);
    if (source.read_at(lo, buffer, length) != static_cast<int64_t>(length)) return std::nullopt;
    if (first) scan = begin_scan(start, end, buffer[length - 1]);
    if (std::optional<uint64_t> cut = scan_block(scan, lo, buffer, length)) return cut;
    if (lo == start) break;
    hi = lo + 1;  // one byte of overlap: an LF at lo is judged with its predecessor
    if (block < buffer_size) block = block * 2 < buffer_size ? block * 2 : buffer_size;
  }
  return finish_scan(scan);
}
