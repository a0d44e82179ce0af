// Sizes at the edges of what a run is given: a list of 10,000 rows, and a source path of
// 1,000 bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "split/messages.h"
#include "split/split_run.h"
#include "tests/faults/fault_run.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using Scale = FaultRun;

#ifdef _WIN32
std::wstring long_form(const std::string& path) {  // ASCII paths only
  const std::string prefixed = "\\\\?\\" + path;
  return std::wstring(prefixed.begin(), prefixed.end());
}

// Removes, when it goes, the file and folders made through the long form: the test folder's
// own clean-up works through the 259-character limit.
struct LongPathCleanup {
  std::vector<std::string> folders;  // outermost first
  std::string file;
  ~LongPathCleanup() {
    if (!file.empty()) DeleteFileW(long_form(file).c_str());
    for (auto f = folders.rbegin(); f != folders.rend(); ++f)
      RemoveDirectoryW(long_form(*f).c_str());
  }
};
#endif

// Every 50th row is a file; the others name files that do not exist. The report lists the
// first twenty failures and counts the rest.
TEST_F(Scale, TenThousandRowsAreAllSplitOrReported) {
  const int rows = 10000;
  std::vector<std::string> missing;
  for (int i = 0; i < rows; ++i) {
    const std::string name = "r" + std::to_string(i) + ".txt";
    if (i % 50 == 0) {
      source(name, "row " + std::to_string(i) + "\r\n");
    } else {
      host.sources.push_back(dir / name);
      missing.push_back(dir / name);
    }
  }
  EXPECT_EQ(run_split(host), RunOutcome::completed_with_faults);
  std::vector<Failure> listed;
  for (int i = 0; i < 20; ++i)
    listed.push_back({missing[static_cast<std::size_t>(i)], cannot_open()});
  expect_ended_with(report_of(listed, missing.size()));
  const std::vector<std::string> pieces = list_dir(out);
  ASSERT_EQ(pieces.size(), static_cast<std::size_t>(rows / 50));
  for (int i = 0; i < rows; i += 50) {
    std::string bytes;
    EXPECT_TRUE(read_bytes(piece_path("r" + std::to_string(i), 1), &bytes));
    EXPECT_EQ(bytes, "row " + std::to_string(i) + "\r\n");
  }
}

// A path of 1,000 bytes: nested folders of 200-byte names. Linux takes it like any other;
// the ANSI functions of Windows stop at 259 characters, so there it cannot be opened (the
// test makes it with the wide functions and the \\?\ form, which have no such limit).
TEST_F(Scale, ASourcePathOfAThousandBytesIsSplitOrReported) {
  std::string folder = dir.path();
#ifdef _WIN32
  LongPathCleanup cleanup;
#endif
  while (folder.size() < 1000 - 220) {
    folder += TempDir::sep() + std::string(200, 'd');
#ifdef _WIN32
    ASSERT_TRUE(CreateDirectoryW(long_form(folder).c_str(), nullptr));
    cleanup.folders.push_back(folder);
#else
    ASSERT_TRUE(make_dir(folder));
#endif
  }
  const std::string name = std::string(1000 - folder.size() - 1 - 4, 'n') + ".txt";
  const std::string path = folder + TempDir::sep() + name;
  ASSERT_EQ(path.size(), 1000u);
  const std::string text = crlf_lines(20, 100);
#ifdef _WIN32
  HANDLE h = CreateFileW(long_form(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  cleanup.file = path;
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
  CloseHandle(h);
#else
  ASSERT_TRUE(write_bytes(path, text));
#endif
  host.sources.push_back(path);
  const std::string after = crlf_lines(3, 40, 'A');
  source("after.txt", after);
  host.size = "1";
  const RunOutcome outcome = run_split(host);
#ifdef _WIN32
  EXPECT_EQ(outcome, RunOutcome::completed_with_faults);
  expect_ended_with(report_of({{path, cannot_open()}}));
  EXPECT_EQ(list_dir(out), std::vector<std::string>{"after1.txt"});
#else
  EXPECT_EQ(outcome, RunOutcome::completed);
  expect_ended_with(message::kFinished);
  const std::string stem = name.substr(0, name.size() - 4);
  expect_pieces(stem, {text.substr(0, 998), text.substr(998)});
#endif
  expect_pieces("after", {after});
}

}  // namespace
