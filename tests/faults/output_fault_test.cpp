// Pieces that cannot be written: each ends with the decided message, the pieces before stay,
// nothing partly written is left, and the run goes on with the next source.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "split/split_run.h"
#include "tests/faults/fault_run.h"
#include "tests/support/split_model.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using OutputFault = FaultRun;

TEST_F(OutputFault, StopsThatSourceAndGoesOnWithTheNext) {
  const std::string text = crlf_lines(30, 100);  // three pieces of 1 KB
  const std::vector<std::string> model = model_pieces(text, 1024);
  const std::string after_text = crlf_lines(4, 30, 'A');
  struct Case {
    const char* name;
    std::function<void(FaultRun&)> prepare;
    std::size_t kept;                  // pieces of novel.txt left
    std::vector<std::string> listing;  // the output folder afterwards
  };
  const Case cases[] = {
      {"a piece path is a folder",
       [](FaultRun& t) { ASSERT_TRUE(make_dir(t.piece_path("novel", 2))); },
       1,
       {"after1.txt", "novel1.txt", "novel2.txt"}},
      // Deleted, pieces and all, when piece 2 is next; made again before after.txt begins.
      {"the output folder is deleted",
       [](FaultRun& t) {
         t.host.on_folder_read = [&t](int reads) {
           if (reads == 3) std::filesystem::remove_all(t.out);
           if (reads == 4) make_dir(t.out);
         };
       },
       0,
       {"after1.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(out);
    ASSERT_TRUE(make_dir(out));
    host = RecordingHost();
    host.folder = out;
    host.size = "1";
    const std::string novel = source("novel.txt", text);
    source("after.txt", after_text);
    c.prepare(*this);
    EXPECT_EQ(run_split(host), RunOutcome::completed_with_faults);
    expect_ended_with(report_of({{novel, cannot_write(piece_path("novel", 2))}}));
    for (std::size_t k = 1; k <= c.kept; ++k) {
      std::string bytes;
      EXPECT_TRUE(read_bytes(piece_path("novel", static_cast<int>(k)), &bytes));
      EXPECT_EQ(bytes, model[k - 1]);
    }
    expect_pieces("after", {after_text});
    EXPECT_EQ(list_dir(out), c.listing);
  }
}

// A piece name one byte too long for the platform: on Linux a file name is at most 255
// bytes; on Windows a path is at most 259 characters through the ANSI functions.
TEST_F(OutputFault, APieceNameTooLongForThePlatformIsReportedNotTruncated) {
#ifdef _WIN32
  const std::size_t name_length = MAX_PATH - 1 - dir.path().size() - 1;
#else
  const std::size_t name_length = 255;
#endif
  const std::string name = std::string(name_length - 4, 'n') + ".txt";
  const std::string text = crlf_lines(30, 100);
  const std::string novel = source(name, text);
  const std::string after_text = crlf_lines(4, 30, 'A');
  source("after.txt", after_text);
  host.size = "1";
  EXPECT_EQ(run_split(host), RunOutcome::completed_with_faults);
  expect_ended_with(
      report_of({{novel, cannot_write(piece_path(name.substr(0, name.size() - 4), 1))}}));
  EXPECT_EQ(list_dir(out), std::vector<std::string>{"after1.txt"});
}

// The folder text names an existing folder, but through more characters than a path may
// have: "out/./././...". Every source is reported; nothing is written anywhere.
TEST_F(OutputFault, AFolderTextLongerThanThePathLimitFailsEverySourceCleanly) {
#ifdef _WIN32
  const std::size_t limits[] = {MAX_PATH, 40000};
#else
  const std::size_t limits[] = {4096, 40000};  // PATH_MAX, and far beyond
#endif
  const std::string novel = source("novel.txt", crlf_lines(30, 100));
  const std::string after = source("after.txt", crlf_lines(4, 30, 'A'));
  for (const std::size_t limit : limits) {
    std::string folder = out;
    while (folder.size() <= limit) folder += TempDir::sep() + std::string(".");
    host.folder = folder;
    host.calls.clear();
    host.messages.clear();
    EXPECT_EQ(run_split(host), RunOutcome::completed_with_faults);
    expect_ended_with(report_of({{novel, cannot_write(folder + TempDir::sep() + "novel1.txt")},
                                 {after, cannot_write(folder + TempDir::sep() + "after1.txt")}}));
    EXPECT_TRUE(list_dir(out).empty());
    EXPECT_EQ(list_dir(dir.path()), (std::vector<std::string>{"after.txt", "novel.txt", "out"}));
  }
}

// An existing piece that may not be written: read-only, and immutable so that not even root
// can write it (the fault-fs fixture prepares it as novel2.txt in its "locked" folder).
TEST_F(OutputFault, AReadOnlyPieceIsLeftAsItWasAndReported) {
  const std::string locked = fault_fs_folder("locked");
  if (locked.empty()) GTEST_SKIP() << "no locked file: the fault-fs fixture could not prepare one";
  const std::string text = crlf_lines(30, 100);
  const std::vector<std::string> model = model_pieces(text, 1024);
  const std::string novel = source("novel.txt", text);
  const std::string after_text = crlf_lines(4, 30, 'A');
  source("after.txt", after_text);
  host.folder = locked;
  host.size = "1";
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesA(piece_path("novel", 2, locked).c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY);
#endif
  EXPECT_EQ(run_split(host), RunOutcome::completed_with_faults);
  expect_ended_with(report_of({{novel, cannot_write(piece_path("novel", 2, locked))}}));
  std::string kept;
  ASSERT_TRUE(read_bytes(piece_path("novel", 2, locked), &kept));
  EXPECT_EQ(kept, "kept\r\n");
  std::string first;
  EXPECT_TRUE(read_bytes(piece_path("novel", 1, locked), &first));
  EXPECT_EQ(first, model[0]);
  EXPECT_FALSE(file_exists(piece_path("novel", 3, locked)));
  std::string after_piece;
  EXPECT_TRUE(read_bytes(piece_path("after", 1, locked), &after_piece));
  EXPECT_EQ(after_piece, after_text);
  // Leave the folder as the fixture made it, for the next run.
  std::remove(piece_path("novel", 1, locked).c_str());
  std::remove(piece_path("after", 1, locked).c_str());
}

}  // namespace
