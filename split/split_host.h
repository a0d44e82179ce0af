// The interface through which a split run reaches its surroundings: the window in the
// program, a console in the command-line splitter, a fake in the tests.
#pragma once

#include <cstdint>
#include <string>

class SplitHost {
 public:
  virtual ~SplitHost() = default;

  // Texts are byte texts in the host's code page; an empty text is the empty string.
  virtual std::string output_folder_text() = 0;
  virtual std::string size_text() = 0;
  virtual int32_t source_count() = 0;
  virtual std::string source_path(int32_t index) = 0;
  virtual void set_window_disabled(bool disabled) = 0;
  virtual void show_message(const std::string& text) = 0;
};
