// The split run against real files on disk.
#include "split/split_run.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "split/messages.h"
#include "tests/support/recording_host.h"
#include "tests/support/split_model.h"
#include "tests/support/temp_dir.h"

namespace {

std::string lines(int count, int width) {  // `count` lines of width-2 bytes and CR LF
  std::string text;
  for (int i = 0; i < count; ++i) text += std::string(static_cast<std::size_t>(width - 2), static_cast<char>('a' + i % 26)) + "\r\n";
  return text;
}

class SplitRun : public testing::Test {
 protected:
  SplitRun() {
    out = dir / "out";
    make_dir(out);
    host.folder = out + TempDir::sep();
  }
  std::string source(const std::string& name, const std::string& bytes) {
    const std::string path = dir / name;
    EXPECT_TRUE(write_bytes(path, bytes));
    host.sources.push_back(path);
    return path;
  }
  std::string piece(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(read_bytes(out + TempDir::sep() + name, &bytes)) << name;
    return bytes;
  }
  std::vector<std::string> pieces_of(const std::string& stem, std::size_t count) {
    std::vector<std::string> result;
    for (std::size_t k = 1; k <= count; ++k) result.push_back(piece(stem + std::to_string(k) + ".txt"));
    return result;
  }

  TempDir dir;
  std::string out;
  RecordingHost host;
};

TEST_F(SplitRun, CutsBeforeTheLastCrLfOfEachChunk) {
  const std::string text = lines(25, 100);
  source("novel.txt", text);
  host.size = "1";
  EXPECT_EQ(run_split(host), RunOutcome::completed);
  EXPECT_EQ(list_dir(out), (std::vector<std::string>{"novel1.txt", "novel2.txt", "novel3.txt"}));
  EXPECT_EQ(piece("novel1.txt"), text.substr(0, 998));
  EXPECT_EQ(piece("novel2.txt"), text.substr(998, 1000));
  EXPECT_EQ(piece("novel3.txt"), text.substr(1998));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"disable", "enable", "message"}));
  EXPECT_EQ(host.messages, std::vector<std::string>{message::kFinished});
}

TEST_F(SplitRun, RefusesInOrderBeforeDisablingTheWindow) {
  struct Case {
    std::string folder;
    bool with_source;
    std::string size;
    const char* message;
  };
  const Case cases[] = {
      {"", false, "abc", message::kChooseOutputFolder},
      {"", true, "1000", message::kChooseOutputFolder},
      {" ", false, "abc", message::kNoSourceFiles},
      {" ", true, "abc", message::kBadPieceSize},
      {" ", true, "0", message::kBadPieceSize},
      {" ", true, "-5", message::kBadPieceSize},
      {" ", true, "2097152", message::kBadPieceSize},
      {" ", true, "4294968320", message::kBadPieceSize},  // 2^32 + 1024: would wrap to 1 KB
  };
  for (const Case& c : cases) {
    RecordingHost h;
    h.folder = c.folder;
    h.size = c.size;
    if (c.with_source) h.sources.push_back(dir / "never-read.txt");
    EXPECT_EQ(run_split(h), RunOutcome::refused);
    EXPECT_EQ(h.calls, std::vector<std::string>{"message"});
    EXPECT_EQ(h.messages, std::vector<std::string>{c.message});
  }
  EXPECT_TRUE(list_dir(out).empty());
}

TEST_F(SplitRun, SmallAndExactSourcesGiveOnePieceAndEmptyOnesNone) {
  const std::string exact = lines(1024 / 64, 64);  // exactly 1024 bytes
  source("exact.txt", exact);
  source("small.txt", "one line\r\n");
  source("empty.txt", "");
  host.size = "1";
  EXPECT_EQ(run_split(host), RunOutcome::completed);
  EXPECT_EQ(list_dir(out), (std::vector<std::string>{"exact1.txt", "small1.txt"}));
  EXPECT_EQ(piece("exact1.txt"), exact);
}

TEST_F(SplitRun, SplitsEachRowInListOrderAndReplacesExistingPieces) {
  const std::string a = lines(30, 100), b = lines(3, 10);
  ASSERT_TRUE(write_bytes(out + TempDir::sep() + "novel1.txt", std::string(5000, 'z')));
  const std::string first = source("novel.txt", a);
  source("other.txt", b);
  host.sources.push_back(first);  // listed twice: split twice, same names
  host.size = "1";
  EXPECT_EQ(run_split(host), RunOutcome::completed);
  EXPECT_EQ(pieces_of("novel", 3), model_pieces(a, 1024));
  EXPECT_EQ(piece("other1.txt"), b);
  EXPECT_EQ(host.folder_reads, 1 + 3 + 1 + 3);  // the check, then once per piece
}

TEST_F(SplitRun, KeepsEveryByteForAnySourceBlockSizeAndCopyPath) {
  std::mt19937 rng(4);
  const std::string fragments[] = {"\r\n", "\n", "\r", "\xD5\xC2", "\xB5\xDA", "abc", std::string(1, '\0'),
                                   "\x1A", "\x81", std::string(700, 'x'), std::string(1500, '\xB0')};
  for (int round = 0; round < 24; ++round) {
    std::string text;
    const std::size_t target = rng() % 9000;
    while (text.size() < target) text += fragments[rng() % (sizeof fragments / sizeof fragments[0])];
    TempDir run_dir;
    const std::string path = run_dir / "s.txt";
    ASSERT_TRUE(write_bytes(path, text));
    ASSERT_TRUE(make_dir(run_dir / "p"));
    RecordingHost h;
    h.folder = run_dir.path() + TempDir::sep() + "p";
    h.size = "1";
    h.sources = {path};
    SplitTuning tuning;
    tuning.block_size = 2 + rng() % 3000;
    tuning.kernel_copy = round % 2 == 0;
    ASSERT_EQ(run_split(h, tuning), RunOutcome::completed) << h.messages.at(0);
    const std::vector<std::string> expected = model_pieces(text, 1024);
    std::string joined;
    for (std::size_t k = 1; k <= expected.size(); ++k) {
      std::string bytes;
      ASSERT_TRUE(read_bytes(run_dir.path() + TempDir::sep() + "p" + TempDir::sep() + "s" + std::to_string(k) + ".txt", &bytes));
      ASSERT_EQ(bytes, expected[k - 1]) << "round " << round << " piece " << k;
      ASSERT_GE(bytes.size(), 1u);
      ASSERT_LE(bytes.size(), 1024u);
      joined += bytes;
    }
    ASSERT_EQ(joined, text);
    ASSERT_EQ(list_dir(run_dir / "p").size(), expected.size());  // no other piece
  }
}

TEST_F(SplitRun, ReportsEveryFailedSourceAndGoesOn) {
  const std::string good = lines(30, 100);
  host.sources.push_back(dir / "missing.txt");
  make_dir(dir / "folder.txt");
  host.sources.push_back(dir / "folder.txt");
  source("novel.txt", good);
  host.size = "1";
  EXPECT_EQ(run_split(host), RunOutcome::completed_with_faults);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"disable", "enable", "message"}));
  const std::string expected = std::string(message::kFinishedWithFaultsBefore) + "2" +
                               message::kFinishedWithFaultsAfter + "\r\n" + (dir / "missing.txt") +
                               message::kReasonSeparator + message::kCannotOpen + "\r\n" +
                               (dir / "folder.txt") + message::kReasonSeparator + message::kCannotOpen;
  EXPECT_EQ(host.messages, std::vector<std::string>{expected});
  EXPECT_EQ(pieces_of("novel", 3), model_pieces(good, 1024));
}

TEST_F(SplitRun, AMissingOutputFolderIsAWriteFailureNotSuccess) {
  source("novel.txt", lines(30, 100));
  host.folder = dir / "no-such-folder" + TempDir::sep();
  host.size = "1";
  EXPECT_EQ(run_split(host), RunOutcome::completed_with_faults);
  const std::string expected = std::string(message::kFinishedWithFaultsBefore) + "1" +
                               message::kFinishedWithFaultsAfter + "\r\n" + (dir / "novel.txt") +
                               message::kReasonSeparator + message::kCannotWrite +
                               host.folder + TempDir::sep() + "novel1.txt";
  EXPECT_EQ(host.messages, std::vector<std::string>{expected});
  EXPECT_FALSE(file_exists(dir / "no-such-folder"));
}

TEST_F(SplitRun, APiecePathThatIsAFolderStopsThatSource) {
  const std::string text = lines(30, 100);
  source("novel.txt", text);
  make_dir(out + TempDir::sep() + "novel2.txt");
  host.size = "1";
  EXPECT_EQ(run_split(host), RunOutcome::completed_with_faults);
  EXPECT_NE(host.messages.at(0).find(std::string(message::kCannotWrite) + host.folder + TempDir::sep() + "novel2.txt"),
            std::string::npos);
  EXPECT_EQ(piece("novel1.txt"), model_pieces(text, 1024)[0]);  // the piece before stays
  EXPECT_FALSE(file_exists(out + TempDir::sep() + "novel3.txt"));
}

TEST_F(SplitRun, NeverWritesOverAListedSource) {
  // The output folder is the sources' own folder: piece a1.txt would replace the listed a1.txt.
  const std::string text = lines(30, 100);
  const std::string victim = lines(2, 40);
  source("a.txt", text);
  source("a1.txt", victim);
  host.folder = dir.path() + TempDir::sep() + "." + TempDir::sep();  // another spelling
  host.size = "1";
  EXPECT_EQ(run_split(host), RunOutcome::completed_with_faults);
  std::string after;
  ASSERT_TRUE(read_bytes(dir / "a1.txt", &after));
  EXPECT_EQ(after, victim);
  const std::string piece_path = host.folder + TempDir::sep() + "a1.txt";
  const std::string expected = std::string(message::kFinishedWithFaultsBefore) + "1" +
                               message::kFinishedWithFaultsAfter + "\r\n" + (dir / "a.txt") +
                               message::kReasonSeparator + message::kWouldOverwriteSource + piece_path;
  EXPECT_EQ(host.messages, std::vector<std::string>{expected});
  // a1.txt itself was split: into a11.txt, which is no source.
  std::string a11;
  ASSERT_TRUE(read_bytes(dir / "a11.txt", &a11));
  EXPECT_EQ(a11, victim);
}

// Both ways of reading: chunks through the buffer, and ranges copied from the source.
TEST(SplitRunShrinking, ASourceThatShrinksMidwayIsAReadErrorAndItsPartialPieceIsGone) {
  for (std::size_t block_size : {std::size_t{256}, std::size_t{1} << 20}) {
    TempDir dir;
    const std::string text = [] {
      std::string t;
      for (int i = 0; i < 60; ++i) t += std::string(98, 'a') + "\r\n";
      return t;
    }();
    const std::string path = dir / "novel.txt";
    ASSERT_TRUE(write_bytes(path, text));
    ASSERT_TRUE(make_dir(dir / "out"));
    RecordingHost host;
    host.folder = dir / "out" + TempDir::sep();
    host.size = "1";
    host.sources = {path};
    host.on_folder_read = [&](int reads) {
      if (reads == 3) {  // piece 2 is about to be written
        ASSERT_TRUE(write_bytes(path, text.substr(0, 1500)));
      }
    };
    SplitTuning tuning;
    tuning.block_size = block_size;
    EXPECT_EQ(run_split(host, tuning), RunOutcome::completed_with_faults);
    const std::string expected = std::string(message::kFinishedWithFaultsBefore) + "1" +
                                 message::kFinishedWithFaultsAfter + "\r\n" + path +
                                 message::kReasonSeparator + message::kReadFailed;
    EXPECT_EQ(host.messages, std::vector<std::string>{expected});
    // Copying piece 2 from the source meets the shorter file and leaves no piece 2; read
    // through the buffer, piece 2 was already read whole and is written as it was read.
    const std::size_t kept = block_size < 1024 ? 1 : 2;
    ASSERT_EQ(list_dir(dir / "out").size(), kept);
    for (std::size_t k = 1; k <= kept; ++k) {
      std::string bytes;
      ASSERT_TRUE(read_bytes(dir / "out" + TempDir::sep() + "novel" + std::to_string(k) + ".txt", &bytes));
      EXPECT_EQ(bytes, model_pieces(text, 1024)[k - 1]);
    }
  }
}

TEST_F(SplitRun, ListsTwentyFailuresAndCountsTheRest) {
  for (int i = 0; i < 23; ++i) host.sources.push_back(dir / ("gone" + std::to_string(i) + ".txt"));
  EXPECT_EQ(run_split(host), RunOutcome::completed_with_faults);
  const std::string& text = host.messages.at(0);
  std::vector<std::string> report_lines;
  for (std::size_t from = 0;;) {
    const std::size_t to = text.find("\r\n", from);
    report_lines.push_back(text.substr(from, to - from));
    if (to == std::string::npos) break;
    from = to + 2;
  }
  ASSERT_EQ(report_lines.size(), 22u);
  EXPECT_EQ(report_lines[0], std::string(message::kFinishedWithFaultsBefore) + "23" + message::kFinishedWithFaultsAfter);
  EXPECT_EQ(report_lines[20], (dir / "gone19.txt") + message::kReasonSeparator + message::kCannotOpen);
  EXPECT_EQ(report_lines[21], std::string(message::kMoreFaultsBefore) + "3" + message::kMoreFaultsAfter);
}

}  // namespace
