// The main window as built from its template: every member's class, styles, place, size,
// text and font, the stacking and Tab order, colours and pointer, and the window itself.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/win/drive.h"
#include "tests/win/window_fixture.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER;
constexpr DWORD kRadio = kChild | WS_TABSTOP | BS_AUTORADIOBUTTON | BS_MULTILINE | BS_LEFT |
                         BS_VCENTER;
constexpr DWORD kEdit = kChild | WS_TABSTOP | ES_AUTOHSCROLL;

enum class Font { default_gui, start_button };

struct ExpectedMember {
  int32_t member;
  const char* window_class;
  int32_t parent;
  RECT place;  // left, top, right, bottom in the parent's client area
  const char* text;
  DWORD style;
  DWORD ex_style;
  Font font;
};

// clang-format off
const ExpectedMember kExpected[] = {
  {按钮4, "Button", main_window, {376, 264, 592, 408}, "开始分割", kButton | BS_VCENTER, 0, Font::start_button},
  {单选框3, "Button", 分组框2, {16, 24, 112, 48}, "文件名+序号", kRadio, 0, Font::default_gui},
  {分组框2, "Button", main_window, {344, 168, 624, 224}, "生成选择", kChild | BS_GROUPBOX | BS_LEFT, 0, Font::default_gui},
  {单选框1, "Button", 分组框1, {8, 24, 88, 44}, "按长度", kRadio, 0, Font::default_gui},
  {标签3, "QuorvaneLabel", 分组框1, {192, 24, 272, 44}, "KB", kChild, 0, Font::default_gui},
  {编辑框2, "Edit", 分组框1, {104, 24, 184, 44}, "1000", kEdit | ES_CENTER, WS_EX_CLIENTEDGE, Font::default_gui},
  {分组框1, "Button", main_window, {344, 112, 624, 160}, "分割选项", kChild | BS_GROUPBOX | BS_LEFT, 0, Font::default_gui},
  {标签1, "QuorvaneLabel", main_window, {344, 48, 424, 68}, "输出目录", kChild, 0, Font::default_gui},
  {编辑框1, "Edit", main_window, {344, 80, 600, 100}, nullptr, kEdit | ES_LEFT, WS_EX_CLIENTEDGE, Font::default_gui},
  {按钮1, "Button", main_window, {600, 80, 625, 100}, ">>", kButton | BS_BOTTOM, 0, Font::default_gui},
  {按钮3, "Button", main_window, {96, 8, 176, 40}, "清空列表", kButton | BS_VCENTER, 0, Font::default_gui},
  {按钮2, "Button", main_window, {8, 8, 88, 40}, "添加文件", kButton | BS_VCENTER, 0, Font::default_gui},
  {超级列表框1, "SysListView32", main_window, {8, 48, 336, 440}, "", kChild | WS_TABSTOP | WS_CLIPCHILDREN | LVS_REPORT | LVS_SINGLESEL, WS_EX_CLIENTEDGE, Font::default_gui},
};
// clang-format on

RECT place_in_parent(HWND window) {
  RECT place;
  GetWindowRect(window, &place);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

std::string face_of(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof face, face);
  SelectObject(dc, old);
  DeleteDC(dc);
  return face;
}

TEST_F(WindowTest, EveryMemberIsBuiltAsTheTemplateSays) {
  for (const ExpectedMember& e : kExpected) {
    SCOPED_TRACE(main_window_template().members[e.member].name);
    HWND window = member(e.member);
    ASSERT_TRUE(IsWindow(window));
    EXPECT_STREQ(class_of(window).c_str(), e.window_class);
    EXPECT_EQ(GetParent(window), member(e.parent));
    const RECT place = place_in_parent(window);
    EXPECT_EQ(place.left, e.place.left);
    EXPECT_EQ(place.top, e.place.top);
    EXPECT_EQ(place.right, e.place.right);
    EXPECT_EQ(place.bottom, e.place.bottom);
    if (e.text) {
      EXPECT_EQ(text_of(window), e.text);
    }
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), e.style);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), e.ex_style);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (e.font == Font::default_gui) {
      EXPECT_EQ(font, GetStockObject(DEFAULT_GUI_FONT));
    } else {
      LOGFONTA logical = {};
      ASSERT_EQ(GetObjectA(font, sizeof logical, &logical), static_cast<int>(sizeof logical));
      EXPECT_STREQ(logical.lfFaceName, "宋体");
      EXPECT_EQ(logical.lfHeight, -35);
      EXPECT_EQ(logical.lfWeight, 700);
      EXPECT_EQ(logical.lfItalic | logical.lfUnderline | logical.lfStrikeOut, 0);
      EXPECT_EQ(logical.lfCharSet, DEFAULT_CHARSET);
      EXPECT_EQ(logical.lfQuality, PROOF_QUALITY);
      EXPECT_EQ(face_of(font), "宋体");
    }
  }
}

TEST_F(WindowTest, RadioBoxesAreCheckedAndTheDropTargetHasNoWindow) {
  EXPECT_EQ(SendMessageA(member(单选框1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(member(单选框3), BM_GETCHECK, 0, 0), BST_CHECKED);
  // Every child window of the main window is one of the thirteen members with a window.
  int children = 0;
  for (HWND child = GetWindow(main(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    ++children;
  }
  EXPECT_EQ(children, 9);
}

TEST_F(WindowTest, ListViewHasOneColumnAndTheTemplatesLook) {
  HWND list = member(超级列表框1);
  EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
            LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 1);
  char title[64] = {};
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.pszText = title;
  column.cchTextMax = sizeof title;
  ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
  EXPECT_STREQ(title, "文件路径");
  EXPECT_EQ(column.cx, 300);
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  EXPECT_EQ(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0), 0x000000);
  EXPECT_EQ(SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0), 0xFFFFFF);
  EXPECT_EQ(SendMessageA(list, LVM_GETBKCOLOR, 0, 0), 0xFFFFFF);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
}

TEST_F(WindowTest, MembersAreStackedInTemplateOrder) {
  auto children_of = [](HWND parent) {
    std::vector<HWND> order;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      order.push_back(c);
    }
    return order;
  };
  EXPECT_EQ(children_of(main()),
            (std::vector<HWND>{member(按钮4), member(分组框2), member(分组框1), member(标签1),
                               member(编辑框1), member(按钮1), member(按钮3), member(按钮2),
                               member(超级列表框1)}));
  EXPECT_EQ(children_of(member(分组框1)),
            (std::vector<HWND>{member(单选框1), member(标签3), member(编辑框2)}));
  EXPECT_EQ(children_of(member(分组框2)), (std::vector<HWND>{member(单选框3)}));
}

TEST_F(WindowTest, MainWindowIsCentredFixedAndCaptioned) {
  EXPECT_EQ(class_of(main()), "QuorvaneMainWindow");
  EXPECT_EQ(text_of(main()), "Quorvane");
  const DWORD style = GetWindowLongA(main(), GWL_STYLE);
  const DWORD wanted = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_VISIBLE;
  EXPECT_EQ(style & wanted, wanted);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP | WS_CHILD), 0u);
  EXPECT_EQ(GetWindowLongA(main(), GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  EXPECT_EQ(GetWindow(main(), GW_OWNER), nullptr);
  EXPECT_EQ(GetClassLongA(main(), GCL_STYLE), CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  RECT outer;
  GetWindowRect(main(), &outer);
  EXPECT_EQ(outer.right - outer.left, 640);
  EXPECT_EQ(outer.bottom - outer.top, 480);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 640) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 480) / 2);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(main(), WM_GETFONT, 0, 0)),
            GetStockObject(DEFAULT_GUI_FONT));
}

SIZE icon_size(HICON icon) {
  ICONINFO info = {};
  if (!GetIconInfo(icon, &info)) return {0, 0};
  BITMAP bitmap = {};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

// The test program carries the program's resources, so the window finds DEFAULT_ICON.
TEST_F(WindowTest, WindowTakesItsBigAndSmallIconsFromTheResources) {
  const auto big = reinterpret_cast<HICON>(SendMessageA(main(), WM_GETICON, ICON_BIG, 0));
  const auto small = reinterpret_cast<HICON>(SendMessageA(main(), WM_GETICON, ICON_SMALL, 0));
  ASSERT_NE(big, nullptr);
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(icon_size(big).cx, 32);
  EXPECT_EQ(icon_size(big).cy, 32);
  EXPECT_EQ(icon_size(small).cx, 16);
  EXPECT_EQ(icon_size(small).cy, 16);
}

TEST_F(WindowTest, TabOrderFollowsTheTemplate) {
  EXPECT_EQ(window_->tab_order(),
            (std::vector<int32_t>{超级列表框1, 按钮2, 按钮3, 按钮1, 编辑框1, 编辑框2, 单选框1,
                                  单选框3, 按钮4}));
  // A disabled or hidden member leaves the order; enabled and shown again it comes back.
  EnableWindow(member(按钮3), FALSE);
  ShowWindow(member(编辑框2), SW_HIDE);
  EXPECT_EQ(window_->tab_order(),
            (std::vector<int32_t>{超级列表框1, 按钮2, 按钮1, 编辑框1, 单选框1, 单选框3, 按钮4}));
}

struct ColourCase {
  int32_t member;
  UINT query;
  COLORREF text;
  COLORREF back;
};

TEST_F(WindowTest, MembersAnswerColourQueriesWithTheirColours) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const ColourCase cases[] = {
      {分组框1, WM_CTLCOLORSTATIC, 0xFF0000, face},
      {分组框2, WM_CTLCOLORSTATIC, 0xFF0000, face},
      {单选框1, WM_CTLCOLORSTATIC, 0x000000, face},
      {单选框3, WM_CTLCOLORSTATIC, 0x000000, face},
      {编辑框1, WM_CTLCOLOREDIT, 0x000000, 0xFFFFFF},
      {编辑框2, WM_CTLCOLOREDIT, 0x000000, 0xFFFFFF},
  };
  HDC dc = CreateCompatibleDC(nullptr);
  for (const ColourCase& c : cases) {
    SCOPED_TRACE(main_window_template().members[c.member].name);
    SetTextColor(dc, 0x123456);
    SetBkColor(dc, 0x654321);
    // Each query goes to the member's own parent, a group box for some of them.
    HWND control = member(c.member);
    const LRESULT brush = SendMessageA(GetParent(control), c.query, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(control));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(GetTextColor(dc), c.text);
    EXPECT_EQ(GetBkColor(dc), c.back);
  }
  DeleteDC(dc);
}

TEST_F(WindowTest, StartButtonShowsTheHandPointer) {
  const LPARAM over_client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  SetCursor(nullptr);
  EXPECT_TRUE(SendMessageA(main(), WM_SETCURSOR, reinterpret_cast<WPARAM>(member(按钮4)),
                           over_client));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
  SendMessageA(member(按钮2), WM_SETCURSOR, reinterpret_cast<WPARAM>(member(按钮2)), over_client);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

}  // namespace
