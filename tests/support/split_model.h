// The cut rule written the plain way, a forward walk over a chunk held whole in memory:
// the tests check the real, backward-scanning split against it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Length of the piece cut from `chunk`, which does not reach the end of its source.
inline std::size_t model_piece_length(const std::string& chunk) {
  const std::size_t n = chunk.size();
  for (std::size_t i = n >= 2 ? n - 2 : 0; i >= 1 && n >= 3; --i) {
    if (chunk[i] == '\r' && chunk[i + 1] == '\n') return i;
  }
  for (std::size_t i = n - 1; i >= 1; --i) {
    if (chunk[i] == '\r' || (chunk[i] == '\n' && chunk[i - 1] != '\r')) return i;
  }
  std::size_t p = 0;
  while (p < n) {
    if (static_cast<unsigned char>(chunk[p]) < 0x80) {
      ++p;
    } else if (p + 1 < n) {
      p += 2;
    } else {
      return p > 0 ? p : n;  // a lead byte standing last goes to the next piece
    }
  }
  return n;
}

// The pieces of a whole source for chunks of `n` bytes.
inline std::vector<std::string> model_pieces(const std::string& source, std::size_t n) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start < source.size()) {
    const std::size_t length = source.size() - start > n
                                   ? model_piece_length(source.substr(start, n))
                                   : source.size() - start;
    pieces.push_back(source.substr(start, length));
    start += length;
  }
  return pieces;
}
