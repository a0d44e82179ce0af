#include "tests/faults/fault_run.h"

#include <cstdlib>

#include "split/messages.h"

std::string crlf_lines(int count, int width, char first) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text.append(static_cast<std::size_t>(width - 2), static_cast<char>(first + i % 26));
    text += "\r\n";
  }
  return text;
}

std::string cannot_write(const std::string& piece) {
  return message::kCannotWrite + piece;
}
std::string read_failed() {
  return message::kReadFailed;
}
std::string cannot_open() {
  return message::kCannotOpen;
}

std::string report_of(const std::vector<Failure>& listed, std::size_t total) {
  if (total < listed.size()) total = listed.size();
  std::string text = message::kFinishedWithFaultsBefore + std::to_string(total) +
                     message::kFinishedWithFaultsAfter;
  for (const Failure& f : listed) text += "\r\n" + f.source + message::kReasonSeparator + f.reason;
  if (total > listed.size()) {
    text += "\r\n" + std::string(message::kMoreFaultsBefore) +
            std::to_string(total - listed.size()) + message::kMoreFaultsAfter;
  }
  return text;
}

std::string fault_fs_folder(const std::string& name) {
  const char* root = std::getenv("QUORVANE_FAULT_FS");  // a Linux path, set by CTest
  if (root == nullptr || *root == '\0') return std::string();
  std::string folder = std::string(root) + "/" + name;
#ifdef _WIN32
  for (char& c : folder) {
    if (c == '/') c = '\\';
  }
  folder = "Z:" + folder;  // Wine's drive for the Linux root
#endif
  // The fixture leaves this mark once the folder is ready.
  return file_exists(folder + TempDir::sep() + ".ready") ? folder : std::string();
}

FaultRun::FaultRun() {
  out = dir / "out";
  make_dir(out);
  host.folder = out;  // the stem brings the separator
}

std::string FaultRun::source(const std::string& name, const std::string& bytes) {
  const std::string path = dir / name;
  EXPECT_TRUE(write_bytes(path, bytes));
  host.sources.push_back(path);
  return path;
}

std::string FaultRun::piece_path(const std::string& stem, int k, const std::string& folder) const {
  return (folder.empty() ? out : folder) + TempDir::sep() + stem + std::to_string(k) + ".txt";
}

void FaultRun::expect_pieces(const std::string& stem, const std::vector<std::string>& expected,
                             const std::string& folder) const {
  for (std::size_t k = 1; k <= expected.size(); ++k) {
    std::string bytes;
    EXPECT_TRUE(read_bytes(piece_path(stem, static_cast<int>(k), folder), &bytes)) << stem << k;
    EXPECT_EQ(bytes, expected[k - 1]) << stem << k;
  }
  const std::string next = piece_path(stem, static_cast<int>(expected.size()) + 1, folder);
  EXPECT_FALSE(file_exists(next)) << next << " should not exist";
}

void FaultRun::expect_ended_with(const std::string& message) const {
  EXPECT_EQ(host.calls, (std::vector<std::string>{"disable", "enable", "message"}));
  EXPECT_EQ(host.messages, std::vector<std::string>{message});
}
