// A listed source that goes away during the run (deleted or replaced by another program)
// hands its file identity back to the system, which may give it to the next new file: a
// piece the run creates. That piece is no source and must be written like any other.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "split/messages.h"
#include "split/split_run.h"
#include "tests/faults/fault_run.h"
#include "tests/support/split_model.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using GoneSource = FaultRun;

bool replace_file(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

TEST_F(GoneSource, ItsFreedIdentityNeverStopsANewPiece) {
  const std::string text = crlf_lines(30, 100);  // three pieces of 1 KB
  const std::vector<std::string> model = model_pieces(text, 1024);
  const std::string after_text = crlf_lines(4, 30, 'A');
  struct Case {
    const char* name;
    bool gone_is_split;  // which listed source goes away: novel.txt while it is split, or
                         // gone.txt, listed after it, before its turn
    std::function<void(const std::string& path, const std::string& folder)> take_away;
  };
  const Case cases[] = {
      {"a later source is deleted", false,
       [](const std::string& path, const std::string&) {
         ASSERT_EQ(std::remove(path.c_str()), 0);
       }},
      {"a later source is replaced", false,
       [](const std::string& path, const std::string& folder) {
         ASSERT_TRUE(write_bytes(folder + TempDir::sep() + "new.tmp", "new\r\n"));
         ASSERT_TRUE(replace_file(folder + TempDir::sep() + "new.tmp", path));
       }},
      // Linux keeps an open file's bytes for the split that reads them; Windows refuses to
      // delete or replace a file that is open without delete sharing.
      {"the source being split is deleted", true,
       [](const std::string& path, const std::string&) { std::remove(path.c_str()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir run;
    const std::string novel = run / "novel.txt";
    const std::string gone = run / "gone.txt";
    const std::string after = run / "after.txt";
    ASSERT_TRUE(write_bytes(novel, text));
    ASSERT_TRUE(write_bytes(gone, "gone\r\n"));
    ASSERT_TRUE(write_bytes(after, after_text));
    ASSERT_TRUE(make_dir(run / "out"));
    host = RecordingHost();
    host.folder = run / "out";
    host.size = "1";
    host.sources = {novel, gone, after};
    host.on_folder_read = [&](int reads) {
      if (reads == 3) c.take_away(c.gone_is_split ? novel : gone, run.path());
    };
    run_split(host);
    // Every piece of novel.txt and after.txt is written; gone.txt is split or reported.
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].find(message::kWouldOverwriteSource), std::string::npos)
        << host.messages[0];
    expect_pieces("novel", model, run / "out");
    expect_pieces("after", {after_text}, run / "out");
  }
}

}  // namespace
