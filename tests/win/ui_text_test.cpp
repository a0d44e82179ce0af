// The pure text work of the window program: the open-files dialog's filter and selection
// buffer, the fatal error report's text, the size field's filter and the template check.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "ui/fatal_error.h"
#include "ui/open_files_text.h"
#include "ui/output_folder.h"
#include "ui/size_filter.h"
#include "ui/window_template.h"

using namespace std::string_literals;

namespace {

// 亅 (0x81 0x7C) and 乗 (0x81 0x5C): their second bytes are "|" and "\".
const std::string kBarTrail = "\x81\x7C";
const std::string kBackslashTrail = "\x81\x5C";

struct FilterCase {
  std::string text;
  std::string expected;
};

TEST(DialogFilter, BuildsTheDialogsForm) {
  const FilterCase cases[] = {
      {"文本文件（*.txt）|*.txt", "文本文件（*.txt）\0*.txt\0\0"s},
      {"文本文件（*.txt）|*.txt  \t", "文本文件（*.txt）\0*.txt\0\0"s},
      {"Text|*.txt||", "Text\0*.txt\0\0"s},
      {"Text|*.txt|All|*.*", "Text\0*.txt\0All\0*.*\0\0"s},
      // A double-byte character whose second byte is 0x7C is no separator...
      {"A" + kBarTrail + "|*.txt", "A" + kBarTrail + "\0*.txt\0\0"s},
      // ...nor does it count as the first of two closing bars.
      {"A|" + kBarTrail + "|", "A\0"s + kBarTrail + "\0\0\0"s},
      // A trailing blank that is the second byte of a pair is kept with its first byte.
      {"A|\x81 ", "A\0\x81 \0\0"s},
      {"", "\0\0"s},
  };
  for (const FilterCase& c : cases) {
    EXPECT_EQ(dialog_filter_from(c.text), c.expected) << c.text;
  }
}

struct SelectionCase {
  std::string buffer;  // as the dialog leaves it, the closing empty string included
  std::vector<std::string> expected;
};

TEST(SelectionBuffer, GivesFullPathsInTheDialogsOrder) {
  const SelectionCase cases[] = {
      {"C:\\books\\novel.txt\0\0"s, {"C:\\books\\novel.txt"}},
      {"D:\\books\0c.txt\0a.txt\0b.txt\0\0"s,
       {"D:\\books\\c.txt", "D:\\books\\a.txt", "D:\\books\\b.txt"}},
      {"D:\\\0a.txt\0b.txt\0\0"s, {"D:\\a.txt", "D:\\b.txt"}},
      {"\\\\server\\share\\\0a.txt\0b.txt\0\0"s,
       {"\\\\server\\share\\a.txt", "\\\\server\\share\\b.txt"}},
      // A folder ending in a character whose second byte is 0x5C still needs its separator.
      {"D:\\" + kBackslashTrail + "\0a.txt\0b.txt\0\0"s,
       {"D:\\" + kBackslashTrail + "\\a.txt", "D:\\" + kBackslashTrail + "\\b.txt"}},
      {"D:\\" + kBackslashTrail + "\\\0a.txt\0b.txt\0\0"s,
       {"D:\\" + kBackslashTrail + "\\a.txt", "D:\\" + kBackslashTrail + "\\b.txt"}},
      // Without any backslash a closing slash counts as the separator.
      {"/books/\0a.txt\0b.txt\0\0"s, {"/books/a.txt", "/books/b.txt"}},
      {"/books\0a.txt\0b.txt\0\0"s, {"/books\\a.txt", "/books\\b.txt"}},
      {"D:\\a/\0x.txt\0y.txt\0\0"s, {"D:\\a/\\x.txt", "D:\\a/\\y.txt"}},
      {"D:\\" + kBarTrail + "\0"s + kBackslashTrail + ".txt\0b.txt\0\0"s,
       {"D:\\" + kBarTrail + "\\" + kBackslashTrail + ".txt", "D:\\" + kBarTrail + "\\b.txt"}},
      {"\0\0"s, {}},
  };
  for (const SelectionCase& c : cases) {
    EXPECT_EQ(paths_from_selection(c.buffer.data(), c.buffer.size()), c.expected) << c.buffer;
  }
}

TEST(SelectionBuffer, NeverReadsPastTheBuffer) {
  // No closing empty string inside the buffer: the last string ends at the buffer's end.
  const std::string full = "D:\\f\0a.txt\0bcd"s;
  EXPECT_EQ(paths_from_selection(full.data(), full.size()),
            (std::vector<std::string>{"D:\\f\\a.txt", "D:\\f\\bcd"}));
  EXPECT_EQ(paths_from_selection(full.data(), 4), (std::vector<std::string>{"D:\\f"}));
  EXPECT_TRUE(paths_from_selection(full.data(), 0).empty());
}

TEST(FatalErrorReport, PutsTheCodeBeforeTheMessage) {
  EXPECT_EQ(fatal_error_text("载入启动窗口失败", std::nullopt),
            "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(fatal_error_text("分配 12 字节内存失败!", -5),
            "运行时出错!\r\n\r\n错误代码：-5\r\n\r\n错误信息：分配 12 字节内存失败!\r\n");
}

TEST(SizeFieldFilter, LetsDigitsMinusAndControlCharactersThrough) {
  for (WPARAM c = 0; c < 0x100; ++c) {
    const bool expected = c < 0x20 || (c >= '0' && c <= '9') || c == '-';
    EXPECT_EQ(typed_character_passes(c), expected) << c;
  }
  EXPECT_FALSE(typed_character_passes(0x4E00));  // a character from an input method
}

TEST(WindowTemplate, TheProgramsTemplateIsValid) {
  EXPECT_TRUE(template_is_valid(main_window_template()));
}

TEST(WindowTemplate, RejectsBrokenTemplates) {
  const WindowTemplate& real = main_window_template();
  std::vector<MemberRecord> records(real.members, real.members + real.count);
  auto check = [&](auto&& breakage) {
    std::vector<MemberRecord> copy = records;
    breakage(copy);
    return template_is_valid(WindowTemplate{copy.data(), copy.size()});
  };
  EXPECT_TRUE(check([](std::vector<MemberRecord>&) {}));
  EXPECT_FALSE(check([](auto& r) { r[单选框3].parent = 按钮4; }));  // a button holds nothing
  EXPECT_FALSE(check([](auto& r) { r[标签3].parent = 99; }));
  EXPECT_FALSE(check([](auto& r) { r[编辑框1].name = "按钮4"; }));
  EXPECT_FALSE(check([](auto& r) { r[main_window].kind = MemberKind::Button; }));
  EXPECT_FALSE(check([](auto& r) { r[按钮2].kind = MemberKind::window; }));
  EXPECT_FALSE(check([](auto& r) { r[按钮2].width = 0; }));
  EXPECT_FALSE(check([](auto& r) { r[按钮2].events = nullptr; }));
  EXPECT_FALSE(template_is_valid(WindowTemplate{records.data(), 0}));
}

}  // namespace

namespace {

TEST(DesktopFolderText, EndsInExactlyOneBackslash) {
  const std::string long_path = "C:\\" + std::string(256, 'd');  // 259 bytes
  const struct {
    std::string path;
    std::string expected;
  } cases[] = {
      {"C:\\users\\me\\Desktop", "C:\\users\\me\\Desktop\\"},
      {"C:\\users\\me\\Desktop\\", "C:\\users\\me\\Desktop\\"},
      {"C:\\", "C:\\"},
      {"", ""},
      // 乗 (0x81 0x5C) ends the path: its second byte is no backslash.
      {"C:\\" + kBackslashTrail, "C:\\" + kBackslashTrail + "\\"},
      {long_path, long_path + "\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(with_trailing_backslash(c.path), c.expected) << c.path;
}

}  // namespace
