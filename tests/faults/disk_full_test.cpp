// A disk that fills up while a piece is written: the partly written piece is deleted, the
// pieces before it stay, the source is reported as not writable, and the next sources are
// still split. Two real mechanisms: a small file system (the fault-fs fixture), and on Linux
// the command-line splitter run with a limit on the size of the files it writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "split/messages.h"
#include "split/split_run.h"
#include "tests/faults/fault_run.h"
#include "tests/support/split_model.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/run_program.h"
#endif

namespace {

using DiskFull = FaultRun;

// The small file system holds 160 KiB: two pieces of up to 64 KiB fit, the third fills it up
// halfway, and the 20 KB source after it fits in what is left once the third is deleted.
TEST_F(DiskFull, ThePieceThatFillsTheDiskIsDeletedAndTheNextSourceIsSplit) {
  const std::string small = fault_fs_folder("small");
  if (small.empty())
    GTEST_SKIP() << "no small file system: the fault-fs fixture could not mount one";
  const std::string big = crlf_lines(2000, 100);  // 200,000 bytes: pieces of 65,500
  const std::string after = crlf_lines(200, 100, 'A');
  const std::string big_path = source("big.txt", big);
  source("after.txt", after);
  host.folder = small;
  host.size = "64";
  const std::vector<std::string> expected = model_pieces(big, 64 * 1024);
  ASSERT_GE(expected.size(), 4u);

  for (bool kernel_copy : {true, false}) {
    SCOPED_TRACE(kernel_copy ? "system copy" : "copy through the buffer");
    host.calls.clear();
    host.messages.clear();
    SplitTuning tuning;
    tuning.kernel_copy = kernel_copy;
    EXPECT_EQ(run_split(host, tuning), RunOutcome::completed_with_faults);
    expect_ended_with(report_of({{big_path, cannot_write(piece_path("big", 3, small))}}));
    expect_pieces("big", {expected[0], expected[1]}, small);
    expect_pieces("after", {after}, small);
    EXPECT_EQ(list_dir(small),
              (std::vector<std::string>{".ready", "after1.txt", "big1.txt", "big2.txt"}));
    for (const std::string& name : list_dir(small)) {
      if (name != ".ready") std::remove((small + TempDir::sep() + name).c_str());
    }
  }
}

#ifndef _WIN32
std::string splitter() {
  return own_folder() + "/../../cli/quorvane-split";
}

// Runs `exe` in `work_dir` with a limit of `limit` bytes on every file it writes, and
// SIGXFSZ ignored: a write past the limit then fails with EFBIG, as on a full disk.
ProgramResult run_with_file_size_limit(const std::string& exe, const std::vector<std::string>& args,
                                       const std::string& work_dir, rlim_t limit) {
  ProgramResult result;
  TempDir capture;
  const std::string out_path = capture / "out";
  std::vector<char*> argv{const_cast<char*>(exe.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {  // only async-signal-safe calls from here on
    const int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int none = ::open("/dev/null", O_RDWR);
    if (out < 0 || none < 0 || ::dup2(out, 1) < 0 || ::dup2(none, 0) < 0 ||
        ::chdir(work_dir.c_str()) != 0) {
      ::_exit(126);
    }
    const struct rlimit rl = {limit, limit};
    ::signal(SIGXFSZ, SIG_IGN);
    if (::setrlimit(RLIMIT_FSIZE, &rl) != 0) ::_exit(126);
    ::execv(exe.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    result.exit_code = WEXITSTATUS(status);
  }
  read_bytes(out_path, &result.out);
  return result;
}

TEST_F(DiskFull, TheSplitterStopsAtAFailingWriteAndGoesOnWithTheNextSource) {
  const std::string before = crlf_lines(300, 100);     // one piece of 30,000 bytes
  const std::string big = crlf_lines(1500, 100, 'K');  // a first piece of about 100 KB
  const std::string after = crlf_lines(200, 100, 'A');
  source("before.txt", before);
  source("big.txt", big);
  source("after.txt", after);
  const ProgramResult r = run_with_file_size_limit(
      splitter(), {"--size", "100", "--out", out + "/", "before.txt", "big.txt", "after.txt"},
      dir.path(), 64 * 1024);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, std::string(message::kFinishedWithFaultsBefore) + "1" +
                       message::kFinishedWithFaultsAfter + "\nbig.txt" + message::kReasonSeparator +
                       message::kCannotWrite + out + "//big1.txt\n");
  expect_pieces("before", {before});
  expect_pieces("after", {after});
  EXPECT_EQ(list_dir(out), (std::vector<std::string>{"after1.txt", "before1.txt"}));
}
#endif

}  // namespace
