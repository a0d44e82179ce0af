// Add files with the real open-files dialog: a second thread of the test drives the dialog
// while the window's thread runs it, as a user would.
#include <string>
#include <thread>
#include <vector>

#include "tests/win/drive.h"
#include "tests/win/window_fixture.h"
#include "ui/source_list.h"

namespace {

class OpenFilesDialogTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    folder_ = unique_folder("qv_dialog_");
    ASSERT_FALSE(folder_.empty());
  }
  void TearDown() override {
    WindowTest::TearDown();
    remove_folder(folder_);
    for (const std::string& path : root_files_) DeleteFileA(path.c_str());
  }

  // Clicks 添加文件 and lets `drive` work the dialog from a second thread; returns when the
  // dialog has closed and the command has finished.
  template <typename Drive>
  void add_files(Drive drive) {
    const DWORD pid = GetCurrentProcessId();
    std::thread driver([&, pid] {
      HWND dialog = wait_for_dialog(pid);
      if (!dialog) return;
      dialog_title_ = text_of(dialog);
      drive(dialog);
      // A dialog the drive could not close would hold the test: cancel it.
      if (!wait_gone(dialog, 5000)) {
        ADD_FAILURE() << "the dialog stayed open";
        cancel_dialog(dialog);
      }
    });
    SendMessageA(member(按钮2), BM_CLICK, 0, 0);
    driver.join();
    pump();
  }

  // Types a folder into the dialog's name box and waits until the dialog has moved into it.
  static void enter_folder(HWND dialog, const std::string& folder) {
    accept_open_dialog(dialog, folder);
    HWND combo = find_control(dialog, 0x47C);
    HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    if (!edit) edit = FindWindowExA(FindWindowExA(combo, nullptr, "ComboBox", nullptr), nullptr,
                                    "Edit", nullptr);
    wait_until([&] { return text_of(edit).empty(); }, 3000);
  }

  std::string folder_;
  std::vector<std::string> root_files_;
  std::string dialog_title_;
};

TEST_F(OpenFilesDialogTest, OneFileAddsItsFullPath) {
  const std::string path = folder_ + "\\小说.txt";
  ASSERT_TRUE(write_file(path, "text"));
  source_list::append_path(member(超级列表框1), "C:\\earlier.txt");
  add_files([&](HWND dialog) { accept_open_dialog(dialog, path); });
  EXPECT_EQ(dialog_title_, "请选择需要分割的文本文件");
  EXPECT_EQ(rows(), (std::vector<std::string>{"C:\\earlier.txt", path}));
}

TEST_F(OpenFilesDialogTest, ThreeFilesInAFolderAddThreeRowsInTheDialogsOrder) {
  // 乗 (0x81 0x5C) in a name: its second byte must not be taken for a separator.
  const std::vector<std::string> names = {"c.txt", "a.txt", "\x81\x5C.txt"};
  for (const std::string& name : names) ASSERT_TRUE(write_file(folder_ + "\\" + name, name));
  add_files([&](HWND dialog) {
    enter_folder(dialog, folder_);
    accept_open_dialog(dialog, "\"c.txt\" \"a.txt\" \"\x81\x5C.txt\"");
  });
  std::vector<std::string> expected;
  for (const std::string& name : names) expected.push_back(folder_ + "\\" + name);
  EXPECT_EQ(rows(), expected);
}

TEST_F(OpenFilesDialogTest, FilesInADrivesRootGetOneBackslash) {
  const std::string stem = "qv_root_" + std::to_string(GetCurrentProcessId());
  const std::vector<std::string> names = {stem + "_1.txt", stem + "_2.txt"};
  for (const std::string& name : names) {
    root_files_.push_back("C:\\" + name);
    ASSERT_TRUE(write_file(root_files_.back(), name));
  }
  add_files([&](HWND dialog) {
    enter_folder(dialog, "C:\\");
    accept_open_dialog(dialog, "\"" + names[0] + "\" \"" + names[1] + "\"");
  });
  EXPECT_EQ(rows(), root_files_);
}

TEST_F(OpenFilesDialogTest, CancelAddsNothingAndShowsNothing) {
  ASSERT_TRUE(write_file(folder_ + "\\a.txt", "a"));
  source_list::append_path(member(超级列表框1), "C:\\kept.txt");
  add_files([&](HWND dialog) {
    enter_folder(dialog, folder_);
    set_text(FindWindowExA(find_control(dialog, 0x47C), nullptr, "Edit", nullptr), "a.txt");
    cancel_dialog(dialog);
  });
  EXPECT_EQ(rows(), (std::vector<std::string>{"C:\\kept.txt"}));
  Sleep(100);
  EXPECT_EQ(find_top_window(GetCurrentProcessId(), "#32770"), nullptr);
  EXPECT_TRUE(IsWindowEnabled(main()));
}

}  // namespace
