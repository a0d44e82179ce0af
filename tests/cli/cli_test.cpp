// The command-line splitter, run as a program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "split/messages.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace {

std::string splitter() {
#ifdef _WIN32
  return own_folder() + "\\..\\..\\cli\\quorvane-split.exe";
#else
  return own_folder() + "/../../cli/quorvane-split";
#endif
}

std::string lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::string(98, 'x') + "\r\n";
  return text;
}

class Cli : public testing::Test {
 protected:
  Cli() { make_dir(dir / "out"); }
  ProgramResult run(const std::vector<std::string>& args) { return run_program(splitter(), args, dir.path()); }
  std::string out_folder() const { return dir / "out" + TempDir::sep(); }
  TempDir dir;
};

TEST_F(Cli, SplitsAndSaysSoWithExitZero) {
  ASSERT_TRUE(write_bytes(dir / "novel.txt", lines(25)));
  const ProgramResult r = run({"--size", "1", "--out", out_folder(), "novel.txt"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, std::string(message::kFinished) + "\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(list_dir(dir / "out"), (std::vector<std::string>{"novel1.txt", "novel2.txt", "novel3.txt"}));
}

TEST_F(Cli, TakesOptionsWithEqualsAndSourcesAfterDoubleDash) {
  ASSERT_TRUE(write_bytes(dir / "-dash.txt", lines(3)));
  const ProgramResult r = run({"--out=" + out_folder(), "--size=1", "--", "-dash.txt"});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(list_dir(dir / "out"), std::vector<std::string>{"-dash1.txt"});
}

TEST_F(Cli, ReportsFailuresLineByLineWithExitOne) {
  ASSERT_TRUE(write_bytes(dir / "novel.txt", lines(3)));
  const ProgramResult r = run({"--out", out_folder(), "missing.txt", "novel.txt"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, std::string(message::kFinishedWithFaultsBefore) + "1" + message::kFinishedWithFaultsAfter +
                       "\nmissing.txt" + message::kReasonSeparator + message::kCannotOpen + "\n");
  EXPECT_EQ(list_dir(dir / "out"), std::vector<std::string>{"novel1.txt"});
}

TEST_F(Cli, RefusalsExitWithTwo) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {{"--out", "", "a.txt"}, message::kChooseOutputFolder},
      {{"--out", "x"}, message::kNoSourceFiles},
      {{"--out", "x", "--size", "0", "a.txt"}, message::kBadPieceSize},
      {{"--out", "x", "--size", "2097152", "a.txt"}, message::kBadPieceSize},
  };
  for (const Case& c : cases) {
    const ProgramResult r = run(c.args);
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_EQ(r.out, std::string(c.message) + "\n");
  }
}

TEST_F(Cli, UsageErrorsHelpAndVersion) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"a.txt"}, {"--bogus", "--out", "x", "a.txt"}, {"--out"}, {"--out", "x", "--size"}}) {
    const ProgramResult r = run(args);
    EXPECT_EQ(r.exit_code, 2) << args[0];
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Usage: quorvane-split"), std::string::npos);
  }
  const ProgramResult help = run({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("Usage: quorvane-split [--size KB] --out FOLDER SOURCE..."), std::string::npos);
  const ProgramResult version = run({"--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out, "quorvane-split 1.0.0\n");
}

}  // namespace
