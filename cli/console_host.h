// The command-line splitter's host: fields from the arguments, messages to standard output.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "split/split_host.h"

class ConsoleHost : public SplitHost {
 public:
  ConsoleHost(std::string output_folder, std::string size_text, std::vector<std::string> sources,
              std::FILE* out)
      : output_folder_(std::move(output_folder)),
        size_text_(std::move(size_text)),
        sources_(std::move(sources)),
        out_(out) {}

  std::string output_folder_text() override { return output_folder_; }
  std::string size_text() override { return size_text_; }
  int32_t source_count() override;
  std::string source_path(int32_t index) override;
  void set_window_disabled(bool) override {}
  void show_message(const std::string& text) override;

 private:
  std::string output_folder_;
  std::string size_text_;
  std::vector<std::string> sources_;
  std::FILE* out_;
};
