#include "split/split_run.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "split/byte_text.h"
#include "split/fault_report.h"
#include "split/file_io.h"
#include "split/messages.h"
#include "split/piece_size.h"
#include "split/split_file.h"

namespace {

// The files of the listed sources, so that no piece is ever written over one of them.
std::vector<FileIdentity> identities_of(const std::vector<std::string>& paths) {
  std::vector<FileIdentity> ids;
  ids.reserve(paths.size());
  for (const std::string& path : paths) {
    FileIdentity id;
    if (identity_of_path(path, &id)) ids.push_back(id);
  }
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  return ids;
}

}  // namespace

RunOutcome run_split(SplitHost& host, const SplitTuning& tuning) {
  if (text_is_empty(host.output_folder_text())) {
    host.show_message(message::kChooseOutputFolder);
    return RunOutcome::refused;
  }
  if (host.source_count() < 1) {
    host.show_message(message::kNoSourceFiles);
    return RunOutcome::refused;
  }
  const std::optional<int32_t> size_kb = parse_piece_size(host.size_text());
  if (!size_kb) {
    host.show_message(message::kBadPieceSize);
    return RunOutcome::refused;
  }

  host.set_window_disabled(true);
  const int32_t count = host.source_count();
  std::vector<std::string> paths;
  paths.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  for (int32_t i = 0; i < count; ++i) paths.push_back(host.source_path(i));
  const std::vector<FileIdentity> sources = identities_of(paths);

  // One buffer serves the whole run; when it cannot be had every source is a read error.
  const std::size_t buffer_size = std::max<std::size_t>(tuning.block_size, 2);
  const std::unique_ptr<char[]> buffer(new (std::nothrow) char[buffer_size]);
  const PiecePlan plan{static_cast<uint64_t>(*size_kb) * 1024u, &sources, buffer.get(),
                       buffer_size, tuning.kernel_copy};

  std::vector<FailedSource> failed;
  for (const std::string& path : paths) {
    SourceFault fault = split_source_file(path, host, plan);
    if (fault.kind != SourceFault::none) failed.push_back(FailedSource{path, std::move(fault)});
  }

  host.set_window_disabled(false);
  if (failed.empty()) {
    host.show_message(message::kFinished);
    return RunOutcome::completed;
  }
  host.show_message(fault_report(failed));
  return RunOutcome::completed_with_faults;
}
