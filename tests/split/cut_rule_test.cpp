#include "split/cut_rule.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/support/memory_reader.h"
#include "tests/support/split_model.h"

namespace {

// Piece length for a chunk that is the whole of `chunk` followed by one more byte.
std::size_t cut_of(const std::string& chunk, std::size_t buffer_size = 64) {
  MemoryReader reader(chunk + "!");
  std::vector<char> buffer(buffer_size);
  const std::optional<uint64_t> cut = find_cut(reader, 0, chunk.size(), buffer.data(), buffer.size());
  EXPECT_TRUE(cut.has_value());
  return cut ? static_cast<std::size_t>(*cut) : 0;
}

struct CutCase {
  const char* name;
  std::string chunk;
  std::size_t piece;
};

TEST(FindCut, FollowsTheCutRules) {
  const CutCase cases[] = {
      {"before the last CR LF", "ab\r\ncd\r\nef", 6},
      {"CR LF beats a later lone CR", "ab\r\ncd\r", 2},
      {"CR LF must lie wholly inside", "abcd\r", 4},                   // the LF is outside
      {"CR LF at the first byte does not count", "\r\nabcdef", 8},
      {"CR LF beats a later lone LF", "a\r\nbc\nde\nf", 1},
      {"lone LF", "abc\ndef\nghi", 7},
      {"lone CR", "abc\rdef\rghi", 7},
      {"never between CR and LF", "\r\nabc", 5},                       // LF at 1 follows CR at 0
      {"lone break at the first byte does not count", "\nabcdef", 7},
      {"LF at the second byte counts", "a\nbcdef", 1},
      {"no break: the whole chunk", "abcdefgh", 8},
      {"lead byte last goes on", "abc\xB0", 3},
      {"trail byte last stays", "ab\xB0\xA1", 4},
      {"high run of odd length before the last", "a\xB0\xB0\xB0\xB0", 5},
      {"high run of even length before the last", "a\xB0\xB0\xB0", 3},
      {"all high, odd length", "\xB0\xB0\xB0", 2},
      {"NUL and SUB are data", std::string("ab\0c\x1A" "d", 6), 6},
      {"NUL inside a character", std::string("a\xB0\0", 3), 3},
      {"CR as a trail byte still breaks", "ab\xB0\r\ncd", 3},
  };
  for (const CutCase& c : cases) {
    EXPECT_EQ(cut_of(c.chunk), c.piece) << c.name;
    EXPECT_EQ(model_piece_length(c.chunk), c.piece) << "model: " << c.name;
  }
}

TEST(FindCut, ReadsOnlyTheTailOfACrLfChunk) {
  std::string chunk;
  while (chunk.size() < 1000000) chunk += std::string(60, 'x') + "\r\n";
  chunk += "tail";
  MemoryReader reader(chunk + "!");
  std::vector<char> buffer(1 << 20);
  ASSERT_EQ(find_cut(reader, 0, chunk.size(), buffer.data(), buffer.size()),
            std::optional<uint64_t>(chunk.size() - 6));
  EXPECT_LE(reader.bytes_read, 4096u);
}

TEST(FindCut, FailsWhenTheSourceIsShorterThanTheChunk) {
  MemoryReader reader("abc\r\ndef");
  std::vector<char> buffer(16);
  EXPECT_FALSE(find_cut(reader, 0, 20, buffer.data(), buffer.size()).has_value());
}

// Random chunks at random offsets, scanned through buffers from 2 bytes up: the backward
// scan must agree with the forward model everywhere, block edges included.
TEST(FindCut, AgreesWithTheModelForAnyBytesAndBufferSize) {
  std::mt19937 rng(20261211);
  const char alphabet[] = {'a', 'b', '\r', '\n', '\r', '\n', '\0', '\x1A', '\x81', '\xB0', '\xFF', '\x5C'};
  for (int round = 0; round < 20000; ++round) {
    std::string bytes(2 + rng() % 200, 'a');
    const std::size_t kinds = 1 + rng() % sizeof alphabet;  // some rounds use few kinds of byte
    for (char& c : bytes) c = alphabet[rng() % kinds];
    const std::size_t start = rng() % (bytes.size() - 1);
    const std::size_t end = start + 1 + rng() % (bytes.size() - start - 1 + 1);
    if (end > bytes.size()) continue;
    const std::size_t buffer_size = 2 + rng() % 40;
    MemoryReader reader(bytes);
    std::vector<char> buffer(buffer_size);
    const std::optional<uint64_t> cut = find_cut(reader, start, end, buffer.data(), buffer_size);
    ASSERT_TRUE(cut.has_value());
    const std::size_t expected = start + model_piece_length(bytes.substr(start, end - start));
    ASSERT_EQ(*cut, expected) << testing::PrintToString(bytes) << " start " << start << " end "
                              << end << " buffer " << buffer_size;
  }
}

}  // namespace
