#include "split/piece_name.h"
#include "split/piece_size.h"

#include <gtest/gtest.h>

namespace {

struct StemCase {
  const char* path;
  PathSyntax syntax;
  const char* stem;
};

TEST(StemOf, IsSeparatorAndFileNameWithoutExtension) {
  const StemCase cases[] = {
      {"C:\\in\\novel.txt", PathSyntax::windows_ansi, "\\novel"},
      {"C:\\in\\novel", PathSyntax::windows_ansi, "\\novel"},        // no extension
      {"C:\\my.dir\\novel", PathSyntax::windows_ansi, "\\novel"},    // dot only in a folder
      {"C:\\in\\.txt", PathSyntax::windows_ansi, "\\"},
      {"C:\\in\\a.b.txt", PathSyntax::windows_ansi, "\\a.b"},
      {"C:/in/novel.txt", PathSyntax::windows_ansi, "/novel"},
      {"C:\\in/sub\\novel.txt", PathSyntax::windows_ansi, "\\novel"},
      {"novel.txt", PathSyntax::windows_ansi, "\\novel"},            // no folder at all
      // 0xB1 0x5C is one character: its 0x5C is no separator.
      {"C:\\in\\\xB1\x5C\xCA\xE9.txt", PathSyntax::windows_ansi, "\\\xB1\x5C\xCA\xE9"},
      {"C:\\in\\\x81\x5C", PathSyntax::windows_ansi, "\\\x81\x5C"},
      {"/in/novel.txt", PathSyntax::posix_utf8, "/novel"},
      {"/in\\x/novel", PathSyntax::posix_utf8, "/novel"},            // a backslash is a name byte
      {"/my.dir/novel", PathSyntax::posix_utf8, "/novel"},
      {"novel.txt", PathSyntax::posix_utf8, "/novel"},
      {"/in/\xE5\xB0\x8F\xE8\xAF\xB4.txt", PathSyntax::posix_utf8, "/\xE5\xB0\x8F\xE8\xAF\xB4"},
  };
  for (const StemCase& c : cases) EXPECT_EQ(stem_of(c.path, c.syntax), c.stem) << c.path;
}

TEST(PiecePath, UsesTheFolderTextAsTyped) {
  EXPECT_EQ(piece_path("D:\\out", "\\novel", 1), "D:\\out\\novel1.txt");
  EXPECT_EQ(piece_path("D:\\", "\\novel", 12), "D:\\\\novel12.txt");
  EXPECT_EQ(piece_path(" ", "\\", 4294967295u), " \\4294967295.txt");
}

TEST(ParsePieceSize, AcceptsOneTo2097151Only) {
  const std::pair<std::string, std::optional<int32_t>> cases[] = {
      {"1000", 1000},
      {"1.5", 1},
      {"1000KB", 1000},
      {" 1000", 1000},
      {"\xA1\xA1" "1000", 1000},
      {"\xA3\xB1\xA3\xB0\xA3\xB0\xA3\xB0", 1000},
      {"+7", 7},
      {"1", 1},
      {"2097151", 2097151},
      {"0002097151", 2097151},
      {"2097152", std::nullopt},
      {"4194305", std::nullopt},  // would wrap to 1024 bytes
      {"4294967297", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"0", std::nullopt},
      {"-5", std::nullopt},
      {"-0", std::nullopt},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"- 5", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(parse_piece_size(text), expected) << text;
}

}  // namespace
