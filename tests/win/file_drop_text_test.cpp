// The file drop's pure parts: the drop effect rule, the file-list text cut into paths, and
// the check of a dropped DROPFILES block before the shell reads it.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/win/drag_source.h"
#include "tests/win/drop_effect_table.h"
#include "ui/drop_effect.h"
#include "ui/drop_files.h"
#include "ui/file_list_text.h"

using namespace std::string_literals;

namespace {

TEST(DropEffect, FollowsTheKeysAndTheAllowedEffects) {
  for (const KeyRow& row : kEffectTable) {
    for (DWORD allowed = 0; allowed < kAllowedSets; ++allowed) {
      EXPECT_EQ(drop_effect(true, row.key_state, allowed), row.expected[allowed])
          << row.keys << ", allowed " << allowed;
      EXPECT_EQ(drop_effect(false, row.key_state, allowed), static_cast<DWORD>(DROPEFFECT_NONE))
          << row.keys << ", allowed " << allowed << ", no file list";
    }
  }
  // Bits beyond copy, move and link (scrolling) neither count nor come back.
  EXPECT_EQ(drop_effect(true, 0, DROPEFFECT_SCROLL | DROPEFFECT_MOVE),
            static_cast<DWORD>(DROPEFFECT_MOVE));
  EXPECT_EQ(drop_effect(true, 0, DROPEFFECT_SCROLL), static_cast<DWORD>(DROPEFFECT_NONE));
}

struct SplitCase {
  std::string text;
  std::vector<std::string> paths;
};

TEST(FileListText, IsCutIntoItsNonEmptyPieces) {
  const SplitCase cases[] = {
      {"", {}},
      {"C:\\a.txt", {"C:\\a.txt"}},
      {"C:\\a.txt\r\n", {"C:\\a.txt"}},
      {"C:\\a\r\nC:\\b\r\n", {"C:\\a", "C:\\b"}},
      {"\r\n\r\nC:\\a\r\n\r\n\r\nC:\\b", {"C:\\a", "C:\\b"}},
      {"\r\n", {}},
      // CR or LF alone does not cut.
      {"C:\\a\rb\nc\r\nd", {"C:\\a\rb\nc", "d"}},
      {"C:\\a\r\r\n", {"C:\\a\r"}},
      {"D:\\书\\\x81\x5C\r\nD:\\小说", {"D:\\书\\\x81\x5C", "D:\\小说"}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(paths_in_file_list_text(c.text), c.paths) << c.text;
  }
}

constexpr int kMalformed = -1;

struct BlockCase {
  const char* what;
  std::string block;
  int names;  // or kMalformed
};

TEST(DropFilesBlock, IsCheckedBeforeItIsRead) {
  const std::string ansi = drop_files_block({"C:\\a.txt", "D:\\书"});
  const std::string wide = drop_files_block({"C:\\a.txt", "D:\\书"}, true);
  const std::string empty = drop_files_block({});
  const std::string empty_wide = drop_files_block({}, true);
  // Names placed further on, after a gap, are fine.
  const std::string gap =
      with_names_offset(ansi.substr(0, sizeof(DROPFILES)) + "xyz" + ansi.substr(sizeof(DROPFILES)),
                        sizeof(DROPFILES) + 3);
  const BlockCase cases[] = {
      {"names", ansi, 2},
      {"wide names", wide, 2},
      {"no names", empty, 0},
      {"no names, wide", empty_wide, 0},
      {"names after a gap", gap, 2},
      {"nothing", "", kMalformed},
      {"header cut short", ansi.substr(0, sizeof(DROPFILES) - 1), kMalformed},
      {"header only", ansi.substr(0, sizeof(DROPFILES)), kMalformed},
      {"names offset past the end", with_names_offset(ansi, 0xFFFFFFF0u), kMalformed},
      {"names offset at the end", with_names_offset(ansi, static_cast<DWORD>(ansi.size())),
       kMalformed},
      {"names offset inside the header", with_names_offset(ansi, 0), kMalformed},
      {"no closing empty name", ansi.substr(0, ansi.size() - 1), kMalformed},
      {"last name unterminated", ansi.substr(0, ansi.size() - 2), kMalformed},
      {"wide, closing name cut in half", wide.substr(0, wide.size() - 1), kMalformed},
      {"wide, no closing empty name", wide.substr(0, wide.size() - 2), kMalformed},
      {"wide, names offset by one byte", with_names_offset(wide, sizeof(DROPFILES) + 1),
       kMalformed},
  };
  for (const BlockCase& c : cases) {
    const std::optional<std::size_t> names = drop_files_name_count(c.block.data(), c.block.size());
    EXPECT_EQ(names ? static_cast<int>(*names) : kMalformed, c.names) << c.what;
  }
  EXPECT_FALSE(drop_files_name_count(nullptr, 100));
}

}  // namespace
