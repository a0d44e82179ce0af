// The message that ends a run in which some sources could not be split completely.
#pragma once

#include <string>
#include <vector>

#include "split/split_file.h"

struct FailedSource {
  std::string source_path;
  SourceFault fault;
};

// "分割完毕，但有 N 个文件未能完整分割：" and one line per failed source, CR LF between lines;
// past the first twenty, one line says how many more there are.
std::string fault_report(const std::vector<FailedSource>& failed);
