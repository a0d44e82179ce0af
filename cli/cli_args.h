// The command line of quorvane-split.
#pragma once

#include <string>
#include <vector>

struct CliArgs {
  enum Action { split, help, version, usage_error };
  Action action = usage_error;
  std::string size_text = "1000";
  std::string output_folder;
  bool has_output_folder = false;
  std::vector<std::string> sources;
  std::string error;  // for usage_error
};

// quorvane-split [--size KB] --out FOLDER SOURCE...   (also --size=KB, --out=FOLDER, and
// "--" before sources that begin with a dash)
CliArgs parse_cli_args(const std::vector<std::string>& args);

extern const char kUsageText[];
