// Operations on byte texts: NUL-free bytes in the ANSI code page, held in std::string.
// Positions are 1-based and count bytes. In the double-byte walk a byte of 0x80 or above
// and the byte after it form one character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

bool text_is_empty(std::string_view text);

// 1-based position of the last occurrence of `pattern` that starts on a character
// boundary of the double-byte walk, or -1.
int32_t last_position_of(std::string_view text, std::string_view pattern);

// Up to `count` bytes from the 1-based `start`; empty for a start outside the text or a
// count below 1. Counts bytes only: it may cut a double-byte character.
std::string slice_text(std::string_view text, int32_t start, int32_t count);

// Full-width forms of code page 936 turned into their single-byte counterparts; a lone
// lead byte at the end is dropped.
std::string fold_full_width(std::string_view text);

// The number at the start of a text, as the size field reads it: full-width forms folded,
// leading blanks (0x09 to 0x0D and 0x20) skipped, one optional sign, then the digits that
// follow (none when the text has no leading number).
struct LeadingNumber {
  bool negative = false;
  std::string digits;
};
LeadingNumber read_leading_number(std::string_view text);

// The integer at the start of the text after folding full-width forms: leading blanks, an
// optional sign and the digits that follow, in wrapping 32-bit arithmetic; 0 without digits.
int32_t parse_leading_integer(std::string_view text);

std::string format_integer(int32_t value);

std::string join_texts(std::initializer_list<std::string_view> texts);

// True when `offset` (0-based) starts a character of the double-byte walk over `text`.
// A byte below 0x80 always ends a character, so only the run of high bytes right before
// the offset matters: the offset is a boundary exactly when that run has even length.
bool is_character_boundary(std::string_view text, std::size_t offset);
