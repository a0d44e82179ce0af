// The source list's operations on the real list view of the main window.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/win/drive.h"
#include "tests/win/window_fixture.h"
#include "ui/source_list.h"

namespace {

class SourceListTest : public WindowTest {
 protected:
  HWND list() { return member(超级列表框1); }
};

TEST_F(SourceListTest, KeepsRowsInOrderWithDuplicates) {
  EXPECT_EQ(source_list::count(list()), 0);
  const std::vector<std::string> paths = {"C:\\b.txt", "C:\\a.txt", "C:\\b.txt", "",
                                          "D:\\书\\小说.txt"};
  for (const std::string& path : paths) source_list::append_path(list(), path);
  EXPECT_EQ(source_list::count(list()), 5);
  EXPECT_EQ(rows(), paths);
}

TEST_F(SourceListTest, RowsHaveNoImageStateOrData) {
  source_list::append_path(list(), "C:\\a.txt");
  LVITEMA item = {};
  item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
  item.stateMask = static_cast<UINT>(-1);
  ASSERT_TRUE(SendMessageA(list(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.iImage, -1);
  EXPECT_EQ(item.lParam, 0);
  EXPECT_EQ(item.iIndent, 0);
  EXPECT_EQ(item.state & ~LVIS_FOCUSED, 0u);
}

TEST_F(SourceListTest, ItemTextIsNeverCutShort) {
  // Lengths around the first buffer of 512 bytes and its doublings, in single-byte text and
  // in double-byte text that puts a character across every one of those edges.
  std::vector<std::string> paths;
  for (std::size_t length : {4u, 509u, 510u, 511u, 512u, 513u, 600u, 1022u, 1023u, 1024u, 3000u}) {
    paths.push_back("C:\\" + std::string(length - 3, 'x'));
  }
  for (std::size_t lead : {0u, 1u}) {
    for (std::size_t pairs : {254u, 255u, 256u, 300u, 511u, 512u}) {
      std::string path = "C:\\" + std::string(lead, 'a');
      for (std::size_t i = 0; i < pairs; ++i) path += "\xD0\xA1";  // 小
      paths.push_back(path);
    }
  }
  for (const std::string& path : paths) source_list::append_path(list(), path);
  const std::vector<std::string> texts = rows();
  ASSERT_EQ(texts.size(), paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    EXPECT_EQ(texts[i].size(), paths[i].size()) << "row " << i;
    EXPECT_EQ(texts[i], paths[i]) << "row " << i;
  }
}

TEST_F(SourceListTest, AppendsAtTheEndWhileARowIsSelected) {
  for (const char* path : {"C:\\1.txt", "C:\\2.txt", "C:\\3.txt"}) {
    source_list::append_path(list(), path);
  }
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  source_list::append_path(list(), "C:\\4.txt");
  EXPECT_EQ(rows(), (std::vector<std::string>{"C:\\1.txt", "C:\\2.txt", "C:\\3.txt", "C:\\4.txt"}));
  EXPECT_EQ(SendMessageA(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
}

TEST_F(SourceListTest, ClearEmptiesTheListAndRowsStartAgainAtZero) {
  source_list::clear(list());  // on an empty list: nothing happens
  EXPECT_EQ(source_list::count(list()), 0);
  source_list::append_path(list(), "C:\\1.txt");
  source_list::append_path(list(), "C:\\2.txt");
  click(member(按钮3));  // 清空列表 runs Clear
  pump();
  EXPECT_EQ(source_list::count(list()), 0);
  source_list::append_path(list(), "C:\\3.txt");
  EXPECT_EQ(source_list::item_text(list(), 0), "C:\\3.txt");
}

}  // namespace
