// What the fault tests share: a split run over real files with a recording host, the report
// texts it is expected to end with, and the prepared file systems of the fault-fs fixture.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"

// `count` CR LF lines of `width` bytes each; `first` picks the letters, so that two texts differ.
std::string crlf_lines(int count, int width, char first = 'a');

// One source that was not split completely, and why.
struct Failure {
  std::string source;
  std::string reason;
};
std::string cannot_write(const std::string& piece);
std::string read_failed();
std::string cannot_open();
// The message a run ends with that lists these failures; `total`, when larger, is the number
// of failures in all, of which only the listed ones are named.
std::string report_of(const std::vector<Failure>& listed, std::size_t total = 0);

// A folder of the fault-fs fixture, in this platform's path form: "small" (a small file
// system that fills up) or "locked" (holds novel2.txt, read-only and immutable). Empty when
// the fixture could not prepare it (no permission to mount) or the test runs outside CTest.
std::string fault_fs_folder(const std::string& name);

// A run over real files: sources in a fresh folder, pieces into its "out" folder.
class FaultRun : public testing::Test {
 public:
  FaultRun();
  // Writes a source into the test's folder and lists it.
  std::string source(const std::string& name, const std::string& bytes);
  // Piece `stem` + k + ".txt" of folder `folder` (the output folder when empty): also the
  // piece path a run names for a folder text without a trailing separator.
  std::string piece_path(const std::string& stem, int k, const std::string& folder = "") const;
  // Every piece of `stem` there is: exactly `expected`, and no piece after them.
  void expect_pieces(const std::string& stem, const std::vector<std::string>& expected,
                     const std::string& folder = "") const;
  // The run ended, gave the window back and showed exactly `message`.
  void expect_ended_with(const std::string& message) const;

  TempDir dir;
  std::string out;  // the output folder; also the folder text, without a trailing separator
  RecordingHost host;
};
