// The main window's split host: the split run reads the output folder and size fields and
// the source list through it, disables the window and shows its messages.
#pragma once

#include "split/split_host.h"

class MainWindow;

class WindowHost : public SplitHost {
 public:
  explicit WindowHost(MainWindow& window) : window_(window) {}

  std::string output_folder_text() override;
  std::string size_text() override;
  int32_t source_count() override;
  std::string source_path(int32_t index) override;
  void set_window_disabled(bool disabled) override;
  void show_message(const std::string& text) override;

 private:
  MainWindow& window_;
};
