// Reading the piece size the user typed.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

inline constexpr int32_t kLargestPieceSizeKb = 2097151;  // largest size whose bytes fit 31 bits

// The piece size in KB read from the size text as parse_leading_integer reads it
// (full-width forms folded, leading blanks, a sign, the leading digits), but without
// wrap-around: only 1 to kLargestPieceSizeKb is a size; anything else gives nothing.
std::optional<int32_t> parse_piece_size(std::string_view text);
