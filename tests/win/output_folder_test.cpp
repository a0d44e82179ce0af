// The output folder field: filled with the desktop folder at start-up, and replaced by the
// classic folder browser, which a second thread works through its tree view.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>

#include "tests/win/drive.h"
#include "tests/win/window_fixture.h"

namespace {

std::string desktop_path() {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE);
  return path;
}

std::string item_text(HWND tree, HTREEITEM item) {
  char text[MAX_PATH] = {};
  TVITEMA data = {};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return text;
}

// Looks for an item whose text holds `wanted`, expanding the tree breadth-first below the
// root up to `depth` levels.
HTREEITEM find_item(HWND tree, HTREEITEM parent, const std::string& wanted, int depth) {
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
  auto child = [&](HTREEITEM item, WPARAM how) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
  };
  for (HTREEITEM item = child(parent, TVGN_CHILD); item; item = child(item, TVGN_NEXT)) {
    if (item_text(tree, item).find(wanted) != std::string::npos) return item;
  }
  if (depth <= 1) return nullptr;
  for (HTREEITEM item = child(parent, TVGN_CHILD); item; item = child(item, TVGN_NEXT)) {
    if (HTREEITEM found = find_item(tree, item, wanted, depth - 1)) return found;
  }
  return nullptr;
}

class OutputFolderTest : public WindowTest {
 protected:
  // Clicks ">>" and works the browser: selects the item whose text holds each of `path`'s
  // parts in turn (none: keep the browser's own selection), or with `parent` the item that
  // holds the last one, then presses OK or Cancel.
  void browse(const std::vector<std::string>& path, bool ok, bool parent = false) {
    const DWORD pid = GetCurrentProcessId();
    click_while(按钮1, [&, pid] {
      HWND dialog = wait_for_dialog(pid);
      if (!dialog) return ADD_FAILURE() << "no folder browser";
      title_shown_ = FindWindowExA(dialog, nullptr, "Static", "请选择输出目录") != nullptr;
      main_enabled_during_ = IsWindowEnabled(main()) != FALSE;
      HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
      HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
      for (const std::string& part : path) {
        item = item ? find_item(tree, item, part, 2) : nullptr;
      }
      if (parent && item) {
        item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
      }
      if (!path.empty()) {
        EXPECT_NE(item, nullptr);
        if (item) SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
      }
      if (ok) {
        close_message_box(dialog);  // the OK button, identifier 1
      } else {
        cancel_dialog(dialog);
      }
      if (!wait_gone(dialog)) {
        ADD_FAILURE() << "the browser stayed open";
        cancel_dialog(dialog);
      }
    });
  }

  std::string field() { return window_->read_member_text(编辑框1); }

  bool title_shown_ = false;
  bool main_enabled_during_ = true;
};

TEST_F(OutputFolderTest, StartsWithTheDesktopFolderAndOneBackslash) {
  const std::string desktop = desktop_path();
  ASSERT_FALSE(desktop.empty());
  ASSERT_NE(desktop.back(), '\\');
  EXPECT_EQ(field(), desktop + "\\");
}

TEST_F(OutputFolderTest, BrowsedFolderComesBackWithoutATrailingBackslash) {
  // The browser opens on the desktop; OK takes it as it is.
  browse({}, true);
  EXPECT_TRUE(title_shown_);
  EXPECT_EQ(field(), desktop_path());
  EXPECT_FALSE(main_enabled_during_);
  EXPECT_TRUE(IsWindowEnabled(main()));
  EXPECT_EQ(GetActiveWindow(), main());
}

TEST_F(OutputFolderTest, DriveRootComesBackWithItsBackslash) {
  browse({"(C:)"}, true);
  EXPECT_EQ(field(), "C:\\");
}

TEST_F(OutputFolderTest, AnItemWithoutAFolderPathEmptiesTheField) {
  ASSERT_FALSE(field().empty());
  // The item that holds the drives is no folder on disk.
  browse({"(C:)"}, true, true);
  EXPECT_EQ(field(), "");
  EXPECT_TRUE(IsWindowEnabled(main()));
}

TEST_F(OutputFolderTest, DoubleByteFolderNameComesBackWhole) {
  const std::string name = "qv_" + std::to_string(GetCurrentProcessId()) + "_书\x81\x5C目录";
  const std::string folder = "C:\\" + name;
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  browse({"(C:)", name}, true);
  RemoveDirectoryA(folder.c_str());
  EXPECT_EQ(field(), folder);
}

TEST_F(OutputFolderTest, CancelEmptiesTheFieldAndStartThenAsksForAFolder) {
  browse({}, false);
  EXPECT_EQ(field(), "");
  EXPECT_TRUE(IsWindowEnabled(main()));
  EXPECT_EQ(GetActiveWindow(), main());

  std::string message;
  const DWORD pid = GetCurrentProcessId();
  click_while(按钮4, [&, pid] {
    HWND box = wait_for_dialog(pid);
    if (!box) return;
    message = message_box_text(box);
    close_message_box(box);
    wait_gone(box);
  });
  EXPECT_EQ(message, "请选择输出目录");
}

}  // namespace
