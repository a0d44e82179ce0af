// 开始分割 on the real window: the split run through the window host, with the order of
// the window's disabling, enabling and message boxes recorded from inside the process.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/win/drive.h"
#include "tests/win/window_fixture.h"
#include "ui/source_list.h"

namespace {

// What happened, in order: "disable" and "enable" (WM_ENABLE of the main window through
// its disabled state) and "box" (a message box was created). A task-modal message box
// disables the window on its own, without the window's disabled state; that is left out.
std::vector<std::string> g_events;
MainWindow* g_window = nullptr;
WNDPROC g_main_proc = nullptr;
HHOOK g_hook = nullptr;

LRESULT CALLBACK recording_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_ENABLE && wparam) g_events.push_back("enable");
  if (message == WM_ENABLE && !wparam && g_window->disabled_state()) g_events.push_back("disable");
  return CallWindowProcA(g_main_proc, window, message, wparam, lparam);
}

LRESULT CALLBACK recording_hook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && class_of(reinterpret_cast<HWND>(wparam)) == "#32770") {
    g_events.push_back("box");
  }
  return CallNextHookEx(g_hook, code, wparam, lparam);
}

class SplitButtonTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    folder_ = unique_folder("qv_split_");
    ASSERT_FALSE(folder_.empty());
    ASSERT_TRUE(CreateDirectoryA((folder_ + "\\out").c_str(), nullptr));
    g_events.clear();
    g_window = window_.get();
    g_main_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recording_proc)));
    g_hook = SetWindowsHookExA(WH_CBT, recording_hook, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);
  }
  void TearDown() override {
    UnhookWindowsHookEx(g_hook);
    WindowTest::TearDown();
    remove_folder(folder_);
  }

  // Clicks 开始分割 and closes every message box that comes up, keeping their texts and
  // captions. Returns when the click's handling is over.
  void press_start() {
    const DWORD pid = GetCurrentProcessId();
    HWND start = member(按钮4);
    busy_ = true;
    std::thread closer([&, pid, start] {
      // The click handling is over when the button's thread answers again.
      for (;;) {
        HWND box = wait_for_dialog(pid, 200);
        if (box) {
          captions_.push_back(text_of(box));
          messages_.push_back(message_box_text(box));
          close_message_box(box);
          wait_gone(box);
        } else if (!busy_) {
          return;
        }
      }
    });
    SendMessageA(start, BM_CLICK, 0, 0);
    busy_ = false;
    closer.join();
  }

  std::string folder_;
  std::vector<std::string> messages_;
  std::vector<std::string> captions_;
  std::atomic<bool> busy_{false};
};

TEST_F(SplitButtonTest, RunsTheSplitAndEnablesTheWindowBeforeTheMessage) {
  std::string source;
  for (int line = 0; line < 40; ++line) source += std::string(98, 'a' + line % 26) + "\r\n";
  ASSERT_TRUE(write_file(folder_ + "\\小说.txt", source));
  source_list::append_path(member(超级列表框1), folder_ + "\\小说.txt");
  window_->write_member_text(编辑框1, folder_ + "\\out");
  window_->write_member_text(编辑框2, "1");
  press_start();

  EXPECT_EQ(messages_, (std::vector<std::string>{"分割完毕"}));
  EXPECT_EQ(captions_, (std::vector<std::string>{"信息："}));
  ASSERT_GE(g_events.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(g_events.begin(), g_events.begin() + 3),
            (std::vector<std::string>{"disable", "enable", "box"}));
  EXPECT_TRUE(IsWindowEnabled(main()));
  EXPECT_FALSE(window_->disabled_state());

  // 4000 bytes cut before the last CR LF of every 1024-byte chunk: four pieces whose
  // bytes joined are the source.
  std::string joined;
  for (int number = 1; number <= 4; ++number) {
    std::string piece;
    ASSERT_TRUE(read_file(folder_ + "\\out\\小说" + std::to_string(number) + ".txt", piece));
    EXPECT_LE(piece.size(), 1024u);
    joined += piece;
  }
  EXPECT_EQ(joined, source);
  EXPECT_EQ(files_in(folder_ + "\\out").size(), 4u);
}

struct RefusalCase {
  const char* folder;
  bool with_row;
  const char* size;
  const char* message;
};

TEST_F(SplitButtonTest, RefusesInOrderWithoutDisablingTheWindow) {
  const RefusalCase cases[] = {
      {"", false, "1000", "请选择输出目录"},
      {"", true, "0", "请选择输出目录"},
      {" ", false, "1000", "未添加需分割文件"},
      {"C:\\", false, "abc", "未添加需分割文件"},
      {"C:\\", true, "0", "分割大小应为 1 到 2097151 之间的整数（KB）"},
      {"C:\\", true, "2097152", "分割大小应为 1 到 2097151 之间的整数（KB）"},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.message);
    source_list::clear(member(超级列表框1));
    if (c.with_row) source_list::append_path(member(超级列表框1), folder_ + "\\missing.txt");
    window_->write_member_text(编辑框1, c.folder);
    window_->write_member_text(编辑框2, c.size);
    g_events.clear();
    messages_.clear();
    press_start();
    EXPECT_EQ(messages_, (std::vector<std::string>{c.message}));
    ASSERT_FALSE(g_events.empty());
    EXPECT_EQ(g_events.front(), "box");  // never disabled before the message
    EXPECT_TRUE(IsWindowEnabled(main()));
  }
  EXPECT_TRUE(files_in(folder_ + "\\out").empty());
}

}  // namespace
