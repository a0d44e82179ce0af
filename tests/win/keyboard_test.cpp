// The window's keyboard handling on the real window: focus at start, Tab and Shift+Tab,
// Esc from every member, Enter and Space on a button, and the size field's input filter.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/win/drive.h"
#include "tests/win/window_fixture.h"
#include "ui/source_list.h"

namespace {

void post_key(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void set_shift(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = down ? 0x80 : 0;
  keys[VK_LSHIFT] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

class KeyboardTest : public WindowTest {
 protected:
  int32_t focused() { return window_->member_of_window(GetFocus()); }
  void press(WPARAM key) {
    post_key(GetFocus(), key);
    pump();
  }
};

TEST_F(KeyboardTest, SourceListHasTheFocusWhenTheWindowIsShown) {
  EXPECT_EQ(GetFocus(), member(超级列表框1));
}

TEST_F(KeyboardTest, TabWalksTheTabOrderAndWraps) {
  const std::vector<int32_t> expected = {按钮2, 按钮3, 按钮1, 编辑框1, 编辑框2,
                                         单选框1, 单选框3, 按钮4, 超级列表框1};
  std::vector<int32_t> visited;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    press(VK_TAB);
    visited.push_back(focused());
  }
  EXPECT_EQ(visited, expected);
}

TEST_F(KeyboardTest, ShiftTabWalksBackwards) {
  set_shift(true);
  const std::vector<int32_t> expected = {按钮4, 单选框3, 单选框1, 编辑框2, 编辑框1,
                                         按钮1, 按钮3, 按钮2, 超级列表框1};
  std::vector<int32_t> visited;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    press(VK_TAB);
    visited.push_back(focused());
  }
  set_shift(false);
  EXPECT_EQ(visited, expected);
}

TEST_F(KeyboardTest, EscClosesTheWindowFromEveryMember) {
  // Every member with a window, focused or not, passes Esc to the window.
  for (int32_t position = 1; position < 15; ++position) {
    if (main_window_template().members[position].kind == MemberKind::DropTarget) continue;
    SCOPED_TRACE(main_window_template().members[position].name);
    if (!window_) SetUp();
    HWND target = member(position);
    if (main_window_template().members[position].tab_stop) SetFocus(target);
    post_key(target, VK_ESCAPE);
    pump();
    EXPECT_FALSE(window_->exists());
    window_.reset();
  }
}

TEST_F(KeyboardTest, ArrowKeysKeepALoneRadioBoxCheckedAndFocused) {
  SetFocus(member(单选框1));
  for (WPARAM key : {VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT}) press(key);
  EXPECT_EQ(focused(), 单选框1);
  EXPECT_EQ(SendMessageA(member(单选框1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(member(单选框3), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(KeyboardTest, EnterDoesNotPressAButtonButSpaceDoes) {
  HWND list = member(超级列表框1);
  source_list::append_path(list, "C:\\a.txt");
  SetFocus(member(按钮3));  // 清空列表
  press(VK_RETURN);
  PostMessageA(member(按钮3), WM_CHAR, '\r', 1);
  pump();
  EXPECT_EQ(source_list::count(list), 1);
  EXPECT_TRUE(window_->exists());
  press(VK_SPACE);
  EXPECT_EQ(source_list::count(list), 0);
}

TEST_F(KeyboardTest, SizeFieldTakesTypedDigitsAndMinusAndAnyPastedText) {
  HWND size = member(编辑框2);
  SetFocus(size);
  SetWindowTextA(size, "");
  for (char c : std::string("12a -x3\xB0\xA1")) {
    PostMessageA(size, WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  pump();
  EXPECT_EQ(text_of(size), "12-3");

  SetWindowTextA(size, "");
  ASSERT_TRUE(OpenClipboard(main()));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
  memcpy(GlobalLock(memory), "abc", 4);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  SendMessageA(size, WM_PASTE, 0, 0);
  EXPECT_EQ(text_of(size), "abc");
  // Backspace is a control character and passes.
  PostMessageA(size, WM_CHAR, VK_BACK, 1);
  pump();
  EXPECT_EQ(text_of(size), "ab");
}

TEST_F(KeyboardTest, FocusComesBackToTheMemberThatHadIt) {
  SetFocus(member(编辑框1));
  // Another window of the thread takes the activation, then gives it back.
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                               nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(other);
  pump();
  EXPECT_NE(GetFocus(), member(编辑框1));
  SetActiveWindow(main());
  pump();
  EXPECT_EQ(GetFocus(), member(编辑框1));
  DestroyWindow(other);
}

}  // namespace
