// A 5 GiB source: offsets past 2^31 and 2^32 in the 32-bit program. The source is sparse,
// so it costs no disk; its pieces are real files and are deleted at the end.
#include "split/split_run.h"

#include <gtest/gtest.h>

#include <string>

#include "split/messages.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(LargeSource, SplitsPast4GiBWithEveryByteInPlace) {
  TempDir dir;
  const std::string path = dir / "big.txt";
  const uint64_t size = (5ull << 30) + 100;
  const uint64_t n = 2097151ull * 1024;  // the largest piece
  const uint64_t break1 = n - 700;            // last CR LF of the first chunk
  const uint64_t break2 = break1 + n - 5000;  // last CR LF of the second
  ASSERT_TRUE(set_file_size(path, size));
  // Markers across the 2^31 and 2^32 boundaries, the breaks, and the very end.
  const std::pair<uint64_t, std::string> marks[] = {
      {(1ull << 31) - 2, "\xB0\xA1\xB0\xA1"}, {(1ull << 32) - 3, "4GiB\xD5\xC2"},
      {break1, "\r\n"}, {break2, "\r\n"}, {size - 4, "end!"}};
  for (const auto& [at, bytes] : marks) ASSERT_TRUE(write_bytes_at(path, at, bytes));

  RecordingHost host;
  host.folder = dir.path() + TempDir::sep();
  host.size = "2097151";
  host.sources = {path};
  ASSERT_EQ(run_split(host), RunOutcome::completed);
  EXPECT_EQ(host.messages, std::vector<std::string>{message::kFinished});

  const std::string pieces[] = {dir / "big1.txt", dir / "big2.txt", dir / "big3.txt"};
  const uint64_t starts[] = {0, break1, break2};
  EXPECT_EQ(file_size(pieces[0]), break1);
  EXPECT_EQ(file_size(pieces[1]), break2 - break1);
  EXPECT_EQ(file_size(pieces[2]), size - break2);
  EXPECT_FALSE(file_exists(dir / "big4.txt"));
  for (const auto& [at, bytes] : marks) {
    const int k = at >= break2 ? 2 : at >= break1 ? 1 : 0;
    std::string found;
    ASSERT_TRUE(read_bytes_at(pieces[k], at - starts[k], bytes.size(), &found));
    EXPECT_EQ(found, bytes) << "marker at " << at;
  }
}

}  // namespace
