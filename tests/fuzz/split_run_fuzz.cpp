// A whole split run over real files, for any source bytes, piece size of 1 to 3 KB, read
// buffer size and copy path: the run completes, and its pieces are those of the forward
// model, 1 to n bytes each, and joined give back the source.
#include <string>
#include <vector>

#include "split/messages.h"
#include "split/split_run.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/recording_host.h"
#include "tests/support/split_model.h"
#include "tests/support/temp_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static TempDir dir;  // one folder for the whole fuzzing session
  static const bool made = make_dir(dir / "out");
  FUZZ_CHECK(made);

  FuzzInput input(data, size);
  const uint32_t size_kb = 1 + input.number(1) % 3;
  SplitTuning tuning;
  tuning.block_size = 2 + input.number(2) % 5000;
  tuning.kernel_copy = input.number(1) % 2 == 1;
  const std::string source = input.rest();
  FUZZ_CHECK(write_bytes(dir / "s.txt", source));

  RecordingHost host;
  host.folder = dir / "out";
  host.size = std::to_string(size_kb);
  host.sources = {dir / "s.txt"};
  FUZZ_CHECK(run_split(host, tuning) == RunOutcome::completed);
  FUZZ_CHECK(host.messages == std::vector<std::string>{message::kFinished});

  const std::size_t n = size_kb * 1024;
  const std::vector<std::string> expected = model_pieces(source, n);
  std::string joined;
  for (std::size_t k = 1; k <= expected.size(); ++k) {
    const std::string path = dir / "out" + TempDir::sep() + "s" + std::to_string(k) + ".txt";
    std::string piece;
    FUZZ_CHECK(read_bytes(path, &piece));
    FUZZ_CHECK(piece == expected[k - 1]);
    FUZZ_CHECK(piece.size() >= 1 && piece.size() <= n);
    joined += piece;
    std::remove(path.c_str());
  }
  FUZZ_CHECK(joined == source);
  FUZZ_CHECK(list_dir(dir / "out").empty());  // no piece beyond the model's
  return 0;
}
