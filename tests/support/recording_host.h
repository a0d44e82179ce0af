// A split host over plain values that records what the run did with it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "split/split_host.h"

class RecordingHost : public SplitHost {
 public:
  std::string folder;
  std::string size = "1000";
  std::vector<std::string> sources;

  std::vector<std::string> calls;     // "disable", "enable", "message"
  std::vector<std::string> messages;
  int folder_reads = 0;
  // Runs at every read of the folder text (once per piece), with the count so far.
  std::function<void(int)> on_folder_read;

  std::string output_folder_text() override {
    ++folder_reads;
    if (on_folder_read) on_folder_read(folder_reads);
    return folder;
  }
  std::string size_text() override { return size; }
  int32_t source_count() override { return static_cast<int32_t>(sources.size()); }
  std::string source_path(int32_t index) override { return sources.at(static_cast<std::size_t>(index)); }
  void set_window_disabled(bool disabled) override {
    calls.push_back(disabled ? "disable" : "enable");
  }
  void show_message(const std::string& text) override {
    calls.push_back("message");
    messages.push_back(text);
  }
};
