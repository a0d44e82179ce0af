// The piece size for any size text: accepted exactly when the number the text starts with
// (full-width forms folded, leading blanks, a sign) is 1 to 2097151, computed without any
// wrap-around, and then equal to it.
#include <string>

#include "split/byte_text.h"
#include "split/piece_size.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// The leading number of a folded text in 64 bits, held at 2^40 once it passes it.
bool leading_number(const std::string& folded, bool* negative, uint64_t* value) {
  std::size_t i = 0;
  while (i < folded.size() && (folded[i] == ' ' || (folded[i] >= '\t' && folded[i] <= '\r'))) ++i;
  *negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) *negative = folded[i++] == '-';
  *value = 0;
  bool digits = false;
  for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
    digits = true;
    *value = *value * 10 + static_cast<uint64_t>(folded[i] - '0');
    if (*value > (uint64_t{1} << 40)) *value = uint64_t{1} << 40;
  }
  return digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<int32_t> parsed = parse_piece_size(text);

  bool negative = false;
  uint64_t value = 0;
  const bool digits = leading_number(fold_full_width(text), &negative, &value);
  const bool in_range = digits && !negative && value >= 1 && value <= 2097151;
  FUZZ_CHECK(parsed.has_value() == in_range);
  if (parsed) {
    FUZZ_CHECK(*parsed >= 1 && *parsed <= kLargestPieceSizeKb);
    FUZZ_CHECK(static_cast<uint64_t>(*parsed) == value);
    FUZZ_CHECK(parse_leading_integer(text) == *parsed);  // the wrapping reading agrees there
  }
  return 0;
}
