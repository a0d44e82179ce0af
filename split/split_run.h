// The split run: checks the output folder, the source list and the piece size, then splits
// every listed source in list order and tells the user how it went.
#pragma once

#include <cstddef>

#include "split_host.h"

enum class RunOutcome {
  refused,               // a check failed; nothing was split and the host was never disabled
  completed,             // every source was split completely
  completed_with_faults  // the run ended, but some sources were not split completely
};

struct SplitTuning {
  // Size of the one buffer a run reads through; tests shrink it to sweep block edges.
  std::size_t block_size = 1 << 20;
  // Let the system copy file to file where it can; tests turn it off to cover the buffer.
  bool kernel_copy = true;
};

RunOutcome run_split(SplitHost& host, const SplitTuning& tuning = SplitTuning{});
