// A test fixture that builds the real main window in the test process and pumps its
// messages through the window's own keyboard handling, as the program's loop does. OLE is
// initialised around the window, as the program's start-up does.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ui/main_window.h"
#include "ui/source_list.h"
#include "ui/window_template.h"

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ole_ready_ = SUCCEEDED(OleInitialize(nullptr));
    window_ = MainWindow::build(GetModuleHandleA(nullptr), main_window_template());
    ASSERT_TRUE(window_);
    ASSERT_TRUE(window_->exists());
    pump();
  }
  void TearDown() override {
    window_.reset();
    if (ole_ready_) OleUninitialize();
  }

  void pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (window_ && window_->handle_key_message(message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }

  // Clicks a member button and lets `work` run on a second thread meanwhile, for the
  // dialogs and message boxes that the click brings up on this thread.
  template <typename Work>
  void click_while(int32_t button, Work work) {
    std::thread worker(work);
    SendMessageA(member(button), BM_CLICK, 0, 0);
    worker.join();
    pump();
  }

  HWND member(int32_t position) { return window_->window_handle_of(position); }
  HWND main() { return window_->handle(); }
  // The texts of the source list's rows, in order.
  std::vector<std::string> rows() {
    const HWND list = member(超级列表框1);
    std::vector<std::string> texts;
    for (int32_t i = 0; i < source_list::count(list); ++i) {
      texts.push_back(source_list::item_text(list, i));
    }
    return texts;
  }

  std::unique_ptr<MainWindow> window_;
  bool ole_ready_ = false;
};
