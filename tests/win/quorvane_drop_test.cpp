// Files dropped onto quorvane.exe's source list from this separate process, the way the
// shell drops them: OLE's DoDragDrop with the cursor placed over the running window.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win/drag_source.h"
#include "tests/win/drive.h"
#include "ui/window_template.h"

namespace {

struct DataDeleter {
  void operator()(OfferedData* data) const { data->Release(); }
};
using Data = std::unique_ptr<OfferedData, DataDeleter>;

Data files_data(const std::vector<std::string>& names, bool wide = false) {
  return Data(OfferedData::create(CF_HDROP, drop_files_block(names, wide)));
}

class QuorvaneDropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ole_ready_ = true;
    folder_ = unique_folder("qv_drop_");
    ASSERT_FALSE(folder_.empty());
    program_ = std::make_unique<RunningProgram>(quorvane_exe());
    ASSERT_TRUE(program_->started());
    main_ = wait_for_top_window(program_->pid(), "QuorvaneMainWindow");
    ASSERT_NE(main_, nullptr);
  }
  void TearDown() override {
    program_.reset();
    if (!folder_.empty()) remove_folder(folder_);
    if (ole_ready_) OleUninitialize();
  }

  HWND member(int32_t position) { return member_window(main_, position); }
  std::vector<std::string> rows() { return list_rows(member(超级列表框1)); }
  POINT over_list() { return centre_of(member(超级列表框1)); }

  std::unique_ptr<RunningProgram> program_;
  HWND main_ = nullptr;
  std::string folder_;
  bool ole_ready_ = false;
};

TEST_F(QuorvaneDropTest, DroppedFilesAreAppendedInTheDropsOrder) {
  // Files and a folder on disk, one with a double-byte name whose second byte is "\", and a
  // path longer than 260 bytes.
  const std::string folder_name = folder_ + "\\\x81\x5C目录";
  ASSERT_TRUE(CreateDirectoryA(folder_name.c_str(), nullptr));
  ASSERT_TRUE(write_file(folder_ + "\\b.txt", "b\r\n"));
  ASSERT_TRUE(write_file(folder_ + "\\第一部.txt", "一\r\n"));
  ASSERT_TRUE(write_file(folder_ + "\\a.txt", "a\r\n"));
  const std::vector<std::string> first = {folder_ + "\\b.txt", folder_ + "\\第一部.txt",
                                          folder_name,
                                          "C:\\" + std::string(300, 'x') + "\\小说.txt"};
  Data first_data = files_data(first);
  const DragOutcome dropped = drag_and_drop(first_data.get(), over_list(), 0);
  EXPECT_EQ(dropped.shown, static_cast<DWORD>(DROPEFFECT_COPY));
  // The list answers the drop with a failure, so that no source takes a move as done.
  EXPECT_EQ(dropped.result, E_FAIL);
  EXPECT_TRUE(wait_until([&] { return rows() == first; }, 2000));
  EXPECT_EQ(rows(), first);

  // A second drop, wide as the shell offers names, moved with Shift: appended after the
  // rows already there, the duplicate kept; the source still hears of no move.
  const std::vector<std::string> second = {folder_ + "\\a.txt", folder_ + "\\第一部.txt"};
  Data second_data = files_data(second, true);
  const DragOutcome moved =
      drag_and_drop(second_data.get(), over_list(), MK_SHIFT, DROPEFFECT_COPY | DROPEFFECT_MOVE);
  EXPECT_EQ(moved.shown, static_cast<DWORD>(DROPEFFECT_MOVE));
  EXPECT_EQ(moved.result, E_FAIL);
  std::vector<std::string> all = first;
  all.insert(all.end(), second.begin(), second.end());
  EXPECT_TRUE(wait_until([&] { return rows() == all; }, 2000));
  EXPECT_EQ(rows(), all);
  // The files themselves are untouched.
  for (const char* name : {"\\a.txt", "\\b.txt", "\\第一部.txt"}) {
    EXPECT_NE(GetFileAttributesA((folder_ + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
  }
}

TEST_F(QuorvaneDropTest, NoDropElsewhereWithCtrlAndShiftOrWithoutAFileList) {
  Data files = files_data({"C:\\a.txt"});
  Data text(OfferedData::create(CF_TEXT, std::string("C:\\a.txt\0", 9)));
  POINT free_area = {340, 300};  // the main window's own area between the list and the boxes
  ClientToScreen(main_, &free_area);
  struct Case {
    const char* what;
    IDataObject* data;
    POINT at;
    DWORD keys;
  };
  const Case cases[] = {
      {"over 开始分割", files.get(), centre_of(member(按钮4)), 0},
      {"over the output folder field", files.get(), centre_of(member(编辑框1)), 0},
      {"over the window between its members", files.get(), free_area, 0},
      {"over the list with Ctrl and Shift", files.get(), over_list(), MK_CONTROL | MK_SHIFT},
      {"text without a file list over the list", text.get(), over_list(), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DragOutcome outcome = drag_and_drop(c.data, c.at, c.keys);
    EXPECT_GE(outcome.feedbacks, 3);
    EXPECT_EQ(outcome.shown, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(outcome.result, DRAGDROP_S_DROP);
    EXPECT_EQ(outcome.effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(rows().empty());
  }
  EXPECT_EQ(text->get_data_calls(), 0);
  // The same file list dragged over the list with Ctrl alone is copied in.
  const DragOutcome copied = drag_and_drop(files.get(), over_list(), MK_CONTROL);
  EXPECT_EQ(copied.shown, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(rows(), std::vector<std::string>{"C:\\a.txt"});
}

}  // namespace
