#include "split/fault_report.h"

#include "split/messages.h"

namespace {

constexpr std::size_t kListedFaults = 20;  // the rest would run off a message box

std::string reason_of(const SourceFault& fault) {
  switch (fault.kind) {
    case SourceFault::cannot_open:
      return message::kCannotOpen;
    case SourceFault::read_failed:
      return message::kReadFailed;
    case SourceFault::cannot_write:
      return message::kCannotWrite + fault.piece_path;
    case SourceFault::would_overwrite_source:
      return message::kWouldOverwriteSource + fault.piece_path;
    case SourceFault::none:
      break;
  }
  return std::string();
}

}  // namespace

std::string fault_report(const std::vector<FailedSource>& failed) {
  std::string text = message::kFinishedWithFaultsBefore + std::to_string(failed.size()) +
                     message::kFinishedWithFaultsAfter;
  for (std::size_t i = 0; i < failed.size() && i < kListedFaults; ++i) {
    text += "\r\n" + failed[i].source_path + message::kReasonSeparator + reason_of(failed[i].fault);
  }
  if (failed.size() > kListedFaults) {
    text += "\r\n" + std::string(message::kMoreFaultsBefore) +
            std::to_string(failed.size() - kListedFaults) + message::kMoreFaultsAfter;
  }
  return text;
}
