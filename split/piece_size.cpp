#include "split/piece_size.h"

#include <string>

#include "split/byte_text.h"

std::optional<int32_t> parse_piece_size(std::string_view text) {
  const std::string folded = fold_full_width(text);
  std::size_t i = 0;
  while (i < folded.size() && (folded[i] == ' ' || (folded[i] >= '\t' && folded[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';
  int64_t value = 0;
  bool any_digit = false;
  for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
    any_digit = true;
    value = value * 10 + (folded[i] - '0');
    if (value > kLargestPieceSizeKb) return std::nullopt;  // stop before it can overflow
  }
  if (!any_digit || negative || value < 1) return std::nullopt;
  return static_cast<int32_t>(value);
}
