// quorvane.exe driven from this separate process, as a user drives it: closing, keys,
// files added through the real open-files dialog, fields set, 开始分割 clicked, message
// boxes read and closed, pieces checked on disk; and the exe's resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win/drive.h"
#include "ui/window_template.h"

namespace {

class QuorvaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = unique_folder("qv_e2e_");
    ASSERT_FALSE(folder_.empty());
    ASSERT_TRUE(CreateDirectoryA(out().c_str(), nullptr));
    start();
  }
  void TearDown() override {
    program_.reset();
    remove_folder(folder_);
  }

  void start() {
    program_ = std::make_unique<RunningProgram>(quorvane_exe());
    ASSERT_TRUE(program_->started());
    main_ = wait_for_top_window(program_->pid(), "QuorvaneMainWindow");
    ASSERT_NE(main_, nullptr);
  }

  HWND member(int32_t position) { return member_window(main_, position); }
  std::string out() const { return folder_ + "\\out"; }

  // Clicks 添加文件, moves the dialog into `folder` and chooses `names` there.
  void add_files(const std::string& folder, const std::vector<std::string>& names) {
    click(member(按钮2));
    HWND dialog = wait_for_dialog(program_->pid());
    ASSERT_NE(dialog, nullptr);
    HWND combo = find_control(dialog, 0x47C);
    HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    if (!edit) {
      edit = FindWindowExA(FindWindowExA(combo, nullptr, "ComboBox", nullptr), nullptr, "Edit",
                           nullptr);
    }
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(accept_open_dialog(dialog, folder));
    ASSERT_TRUE(wait_until([&] { return text_of(edit).empty(); }, 3000));
    std::string typed;
    for (const std::string& name : names) typed += "\"" + name + "\" ";
    ASSERT_TRUE(accept_open_dialog(dialog, typed));
    ASSERT_TRUE(wait_gone(dialog));
  }

  // Clicks 开始分割 and reads, then closes, the message box that comes up.
  std::string press_start() {
    click(member(按钮4));
    HWND box = wait_for_dialog(program_->pid(), 30000);
    if (!box) return "(no message box)";
    EXPECT_EQ(text_of(box), "信息：");
    const std::string text = message_box_text(box);
    close_message_box(box);
    EXPECT_TRUE(wait_gone(box));
    return text;
  }

  std::unique_ptr<RunningProgram> program_;
  HWND main_ = nullptr;
  std::string folder_;
};

TEST_F(QuorvaneTest, EscFromEveryMemberEndsTheProgramWithExitCodeZero) {
  for (int32_t position = 1; position < 15; ++position) {
    if (main_window_template().members[position].kind == MemberKind::DropTarget) continue;
    SCOPED_TRACE(main_window_template().members[position].name);
    if (!program_) start();
    HWND target = member(position);
    ASSERT_NE(target, nullptr);
    PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(program_->wait_exit(), 0u);
    program_.reset();
  }
}

TEST_F(QuorvaneTest, TheCloseBoxEndsTheProgramWithExitCodeZero) {
  PostMessageA(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(program_->wait_exit(), 0u);
}

TEST_F(QuorvaneTest, SourceListHasTheFocusAndTabMovesOn) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(main_, nullptr);
  ASSERT_TRUE(wait_until([&] {
    return GetGUIThreadInfo(thread, &info) && info.hwndFocus == member(超级列表框1);
  }));
  PostMessageA(info.hwndFocus, WM_KEYDOWN, VK_TAB, 1);
  EXPECT_TRUE(wait_until([&] {
    return GetGUIThreadInfo(thread, &info) && info.hwndFocus == member(按钮2);
  }));
}

TEST_F(QuorvaneTest, SplitsTheFilesAddedThroughTheDialog) {
  // Two novels with double-byte names, 3000 and 5000 bytes of 100-byte CR LF lines.
  const std::vector<std::string> names = {"第一部.txt", "\x81\x5C第二部.txt"};
  const std::vector<std::string> stems = {"第一部", "\x81\x5C第二部"};
  std::vector<std::string> sources;
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string text;
    for (std::size_t line = 0; line < 30 + 20 * i; ++line) {
      text += std::string(98, static_cast<char>('a' + line % 26)) + "\r\n";
    }
    sources.push_back(text);
    ASSERT_TRUE(write_file(folder_ + "\\" + names[i], text));
  }
  add_files(folder_, names);
  ASSERT_TRUE(set_text(member(编辑框1), out() + "\\"));
  ASSERT_TRUE(set_text(member(编辑框2), "2"));
  EXPECT_EQ(press_start(), "分割完毕");
  EXPECT_TRUE(IsWindowEnabled(main_));

  for (std::size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(names[i]);
    std::string joined;
    int number = 1;
    for (std::string piece; read_file(out() + "\\" + stems[i] + std::to_string(number) + ".txt",
                                      piece);
         ++number) {
      EXPECT_LE(piece.size(), 2048u);
      joined += piece;
    }
    EXPECT_EQ(number - 1, static_cast<int>((sources[i].size() + 2045) / 2046));
    EXPECT_EQ(joined, sources[i]);
  }
}

TEST_F(QuorvaneTest, RefusesInTheRunsOrder) {
  ASSERT_TRUE(set_text(member(编辑框1), ""));
  EXPECT_EQ(press_start(), "请选择输出目录");
  ASSERT_TRUE(set_text(member(编辑框1), out()));
  EXPECT_EQ(press_start(), "未添加需分割文件");
  ASSERT_TRUE(write_file(folder_ + "\\a.txt", "line\r\n"));
  add_files(folder_, {"a.txt"});
  ASSERT_TRUE(set_text(member(编辑框2), "0"));
  EXPECT_EQ(press_start(), "分割大小应为 1 到 2097151 之间的整数（KB）");
  EXPECT_TRUE(files_in(out()).empty());
  EXPECT_TRUE(IsWindowEnabled(main_));
  ASSERT_TRUE(set_text(member(编辑框2), "1000"));
  EXPECT_EQ(press_start(), "分割完毕");
  EXPECT_EQ(files_in(out()), (std::vector<std::string>{"a1.txt"}));
}

TEST_F(QuorvaneTest, TheWindowIsDisabledWhileTheRunWorks) {
  // A source large enough for the run to last a while: 48 MB in lines of 1000 bytes.
  std::string line(998, 'x');
  line += "\r\n";
  std::string block;
  for (int i = 0; i < 1024; ++i) block += line;
  HANDLE file = CreateFileA((folder_ + "\\big.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  for (int i = 0; i < 48; ++i) {
    DWORD written = 0;
    WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
  }
  CloseHandle(file);
  add_files(folder_, {"big.txt"});
  ASSERT_TRUE(set_text(member(编辑框1), out() + "\\"));
  ASSERT_TRUE(IsWindowEnabled(main_));

  click(member(按钮4));
  bool seen_disabled = false;
  HWND box = nullptr;
  wait_until(
      [&] {
        if (!IsWindowEnabled(main_)) seen_disabled = true;
        box = find_top_window(program_->pid(), "#32770");
        return box != nullptr;
      },
      60000);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(seen_disabled);
  EXPECT_EQ(message_box_text(box), "分割完毕");
  close_message_box(box);
  ASSERT_TRUE(wait_gone(box));
  EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(main_) != FALSE; }, 2000));
  // The pieces hold the whole source, none longer than 1000 KB.
  std::size_t total = 0;
  for (const std::string& name : files_in(out())) {
    std::string piece;
    ASSERT_TRUE(read_file(out() + "\\" + name, piece));
    EXPECT_LE(piece.size(), 1024000u) << name;
    total += piece.size();
  }
  EXPECT_EQ(total, 48u * block.size());
}

TEST(QuorvaneExe, HoldsItsIconAndVersionRecord) {
  const std::string exe = quorvane_exe();
  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC group = FindResourceA(module, "DEFAULT_ICON", RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
  ASSERT_NE(directory, nullptr);
  // GRPICONDIR: reserved, type, count, then 14-byte entries starting with the width.
  const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
  std::vector<int> widths;
  for (WORD i = 0; i < count; ++i) {
    const BYTE width = directory[6 + 14 * i];
    widths.push_back(width == 0 ? 256 : width);
  }
  EXPECT_EQ(widths, (std::vector<int>{16, 32, 48, 256}));
  for (int size : {16, 32, 48, 256}) {
    HICON icon = static_cast<HICON>(LoadImageA(module, "DEFAULT_ICON", IMAGE_ICON, size, size, 0));
    EXPECT_NE(icon, nullptr) << size;
    if (icon) DestroyIcon(icon);
  }
  FreeLibrary(module);

  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  for (const char* name : {"ProductName", "FileDescription"}) {
    char* value = nullptr;
    const std::string key = std::string("\\StringFileInfo\\080403a8\\") + name;
    ASSERT_TRUE(VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length));
    EXPECT_STREQ(value, "Quorvane") << name;
  }
}

}  // namespace
