#include "split/byte_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

struct PositionCase {
  std::string text;
  std::string pattern;
  int32_t expected;
};

TEST(LastPositionOf, FindsOnlyPatternsStartingOnCharacterBoundaries) {
  const PositionCase cases[] = {
      {"", "\\", -1},
      {"\x81\x5C", "\\", -1},         // 0x5C is the trail byte of a double-byte character
      {"\x81\x81\x5C", "\\", 3},      // here it stands by itself
      {"C:\\a\\b.txt", "\\", 5},
      {"\r\nabc", "\r\n", 1},
      {"abcd\r\nefghi\r\nj", "\r\n", 12},
      {"abc\r", "\r\n", -1},          // never runs past the end
      {"ab\x81", "\x81", 3},          // a final lead byte is still a boundary
      {"\x81" "ab", "ab", -1},          // but "a" is the trail byte here
      {"\xB0\x0D\x0A", "\r\n", -1},   // CR is the trail byte here
      {"x", "", 1},
      {"", "", -1},
  };
  for (const PositionCase& c : cases) {
    EXPECT_EQ(last_position_of(c.text, c.pattern), c.expected) << testing::PrintToString(c.text);
  }
}

TEST(SliceText, CountsBytesAndClampsToTheText) {
  EXPECT_EQ(slice_text("C:\\a\\b.txt", 5, 2), "\\b");
  EXPECT_EQ(slice_text("abc", 0, 2), "");
  EXPECT_EQ(slice_text("abc", -4, 2), "");
  EXPECT_EQ(slice_text("abc", 4, 1), "");
  EXPECT_EQ(slice_text("abc", 2, 0), "");
  EXPECT_EQ(slice_text("abc", 2, -1), "");
  EXPECT_EQ(slice_text("abc", 2, 100), "bc");
  EXPECT_EQ(slice_text("\xB0\xA1z", 2, 2), "\xA1z");  // may cut a character
}

TEST(FoldFullWidth, TurnsFullWidthFormsIntoAscii) {
  EXPECT_EQ(fold_full_width("\xA3\xB1\xA3\xB0\xA3\xB0\xA3\xB0"), "1000");
  EXPECT_EQ(fold_full_width("\xA1\xA1x\xA1\xAB\xA1\xEE\xA1\xEF"), " x~**");
  EXPECT_EQ(fold_full_width("\xA3\xA1\xA3\xFE"), "!~");
  EXPECT_EQ(fold_full_width("\xB0\xA1\xA3\xA0"), "\xB0\xA1\xA3\xA0");  // others unchanged
  EXPECT_EQ(fold_full_width("ab\xA3"), "ab");                         // lone lead byte dropped
}

TEST(ParseLeadingInteger, ReadsLikeTheSizeFieldWithWrapAround) {
  const std::pair<std::string, int32_t> cases[] = {
      {"", 0},           {"abc", 0},          {"12abc", 12},
      {"1.5", 1},        {"+7", 7},           {"-5", -5},
      {"- 5", 0},        {"0x10", 0},         {" \t1000", 1000},
      {"\xA1\xA1" "1000", 1000},              {"\xA3\xAD\xA3\xB5", -5},
      {"4294967297", 1}, {"2147483648", -2147483647 - 1},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(parse_leading_integer(text), expected) << text;
  }
}

TEST(FormatAndJoin, MakeNewTexts) {
  EXPECT_EQ(format_integer(-12), "-12");
  EXPECT_EQ(format_integer(2147483647), "2147483647");
  EXPECT_EQ(format_integer(0), "0");
  EXPECT_EQ(join_texts({"", "1", ".txt"}), "1.txt");
  EXPECT_EQ(text_is_empty(""), true);
  EXPECT_EQ(text_is_empty(" "), false);
}

// The run-length rule for character boundaries agrees with the plain forward walk.
TEST(IsCharacterBoundary, AgreesWithTheForwardWalk) {
  std::mt19937 rng(7);
  const char alphabet[] = {'a', '\r', '\n', '\\', '\x81', '\xB0', '\xFF', '\x5C', '\x00'};
  for (int round = 0; round < 2000; ++round) {
    std::string text(rng() % 40, 'a');
    for (char& c : text) c = alphabet[rng() % sizeof alphabet];
    std::vector<bool> walk(text.size() + 1, false);
    std::size_t p = 0;
    while (p < text.size()) {
      walk[p] = true;
      p += static_cast<unsigned char>(text[p]) >= 0x80 ? 2 : 1;
    }
    if (p == text.size()) walk[p] = true;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      // Past a final lead byte the walk has no boundary at the end; the rule says so too.
      ASSERT_EQ(is_character_boundary(text, i), walk[i]) << testing::PrintToString(text) << " " << i;
    }
  }
}

}  // namespace
