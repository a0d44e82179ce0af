// A read that fails in the middle of a source: the source is reported as a read error, the
// pieces before the bad spot stay whole, nothing partly written is left, and the next source
// is still split.
#include "tests/faults/read_fault.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "split/split_run.h"
#include "tests/faults/fault_run.h"
#include "tests/support/split_model.h"

namespace {

using ReadError = FaultRun;

// Every read that covers the bad byte fails, and the split reads all of a chunk it cuts (the
// cut search reads its tail, the copy the rest): so exactly the pieces whose chunks end at or
// before the bad byte are written.
std::size_t pieces_before(const std::string& text, std::size_t chunk, uint64_t bad_offset) {
  std::size_t count = 0, start = 0;
  for (const std::string& piece : model_pieces(text, chunk)) {
    const std::size_t chunk_end = std::min(start + chunk, text.size());
    if (chunk_end > bad_offset) break;
    ++count;
    start += piece.size();
  }
  return count;
}

TEST_F(ReadError, KeepsThePiecesBeforeTheBadSpotAndGoesOn) {
  std::string text;  // lines of many lengths, and a stretch without any line break
  for (int i = 0; i < 60; ++i)
    text += std::string(static_cast<std::size_t>(17 + i * 13 % 190), 'x') + "\r\n";
  text += std::string(3000, '\xB0') + "\r\n" + crlf_lines(30, 90);
  const std::string novel = source("novel.txt", text);
  const std::string after = crlf_lines(5, 50, 'A');
  source("after.txt", after);
  host.size = "2";
  const std::vector<std::string> model = model_pieces(text, 2048);
  ASSERT_GE(model.size(), 5u);

  const uint64_t bad_offsets[] = {0, 1, 1000, 2047, 2048, 2049, 4095, 6000, text.size() - 1};
  for (const uint64_t bad : bad_offsets) {
    for (const std::size_t block : {std::size_t{1} << 20, std::size_t{100}}) {
      for (bool kernel_copy : {true, false}) {
        SCOPED_TRACE("bad byte " + std::to_string(bad) + ", buffer " + std::to_string(block) +
                     (kernel_copy ? ", system copy" : ""));
        TempDir pieces;
        host.folder = pieces.path() + TempDir::sep();
        host.calls.clear();
        host.messages.clear();
        SplitTuning tuning;
        tuning.block_size = block;
        tuning.kernel_copy = kernel_copy;
        {
          const ReadFault fault(novel, bad);
          ASSERT_TRUE(fault.armed());
          EXPECT_EQ(run_split(host, tuning), RunOutcome::completed_with_faults);
          EXPECT_GE(ReadFault::refusals(), 1);
        }
        expect_ended_with(report_of({{novel, read_failed()}}));
        const std::size_t kept = pieces_before(text, 2048, bad);
        expect_pieces("novel", std::vector<std::string>(model.begin(), model.begin() + kept),
                      pieces.path());
        expect_pieces("after", {after}, pieces.path());
        EXPECT_EQ(list_dir(pieces.path()).size(), kept + 1);
      }
    }
  }
}

}  // namespace
