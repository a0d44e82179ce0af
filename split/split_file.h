// Splitting one source into pieces.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "split/file_io.h"
#include "split/split_host.h"

struct SourceFault {
  enum Kind { none, cannot_open, read_failed, cannot_write, would_overwrite_source };
  Kind kind = none;
  std::string piece_path;  // for cannot_write and would_overwrite_source
};

struct PiecePlan {
  uint64_t piece_bytes;                       // the chunk length: piece size times 1024
  const std::vector<FileIdentity>* protected_files;  // the run's sources, sorted
  char* buffer;                               // the run's one buffer
  std::size_t buffer_size;
  bool kernel_copy = true;
};

// Cuts the source into pieces of 1 to piece_bytes bytes that joined in number order give
// back the source as it was when it was opened, each cut by find_cut, and writes piece k to
// output folder text + stem + k + ".txt", asking the host for the folder text for each piece.
// Stops at the first fault; a piece that could not be written completely is deleted and the
// pieces before it are kept.
SourceFault split_source_file(const std::string& source_path, SplitHost& host,
                              const PiecePlan& plan);
