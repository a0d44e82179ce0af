#include "split/piece_size.h"

#include "split/byte_text.h"

std::optional<int32_t> parse_piece_size(std::string_view text) {
  const LeadingNumber number = read_leading_number(text);
  if (number.negative || number.digits.empty()) return std::nullopt;
  int64_t value = 0;
  for (char digit : number.digits) {
    value = value * 10 + (digit - '0');
    if (value > kLargestPieceSizeKb) return std::nullopt;  // stop before it can overflow
  }
  if (value < 1) return std::nullopt;
  return static_cast<int32_t>(value);
}
