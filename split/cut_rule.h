// Where a piece ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "split/file_io.h"

// For the chunk [start, end) of a source, which does not reach the end of the source, gives
// the offset at which its piece ends, in (start, end]:
//   a. before the last CR LF that lies wholly in the chunk and starts after its first byte;
//   b. failing that, before the last lone line break after the first byte: a CR, or an LF
//      not preceded by CR (so never between CR and LF);
//   c. failing that (a line longer than the chunk), at the chunk's end, except that a lead
//      byte of the double-byte walk from `start` standing last goes to the next piece.
// The chunk is scanned backwards from its end in blocks of at most `buffer_size` bytes
// (at least 2), so a cut usually costs a few kilobytes of reading whatever the chunk's size.
// Nothing on a read error or when the source is shorter than the chunk.
std::optional<uint64_t> find_cut(const ByteReader& source, uint64_t start, uint64_t end,
                                 char* buffer, std::size_t buffer_size);

// The same rule for a chunk held whole in memory: the length of its piece, 1 to `length`.
std::size_t find_cut_in_memory(const char* chunk, std::size_t length);
