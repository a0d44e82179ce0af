#include "split/byte_text.h"

namespace {

bool is_high(char c) { return static_cast<unsigned char>(c) >= 0x80; }

}  // namespace

bool text_is_empty(std::string_view text) { return text.empty() || text[0] == '\0'; }

int32_t last_position_of(std::string_view text, std::string_view pattern) {
  if (pattern.empty()) return text.empty() ? -1 : 1;
  int32_t found = -1;
  std::size_t p = 0;
  while (p < text.size()) {
    if (p + pattern.size() <= text.size() && text.compare(p, pattern.size(), pattern) == 0) {
      found = static_cast<int32_t>(p + 1);
    }
    if (!is_high(text[p])) {
      p += 1;
    } else if (p + 1 < text.size()) {
      p += 2;
    } else {
      break;
    }
  }
  return found;
}

std::string slice_text(std::string_view text, int32_t start, int32_t count) {
  const int64_t s = static_cast<int64_t>(start) - 1;
  if (s < 0 || s >= static_cast<int64_t>(text.size()) || count <= 0) return std::string();
  return std::string(text.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(count)));
}

std::string fold_full_width(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char first = static_cast<unsigned char>(text[i]);
    if (first < 0x80) {
      out.push_back(static_cast<char>(first));
      continue;
    }
    if (i + 1 == text.size()) break;
    const unsigned char second = static_cast<unsigned char>(text[++i]);
    if (first == 0xA1 && second == 0xA1) {
      out.push_back(' ');
    } else if (first == 0xA1 && second == 0xAB) {
      out.push_back('~');
    } else if (first == 0xA1 && (second == 0xEE || second == 0xEF)) {
      out.push_back('*');
    } else if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) {
      out.push_back(static_cast<char>(second - 0x80));
    } else {
      out.push_back(static_cast<char>(first));
      out.push_back(static_cast<char>(second));
    }
  }
  return out;
}

LeadingNumber read_leading_number(std::string_view text) {
  const std::string folded = fold_full_width(text);
  std::size_t i = 0;
  while (i < folded.size() && (folded[i] == ' ' || (folded[i] >= '\t' && folded[i] <= '\r'))) ++i;
  LeadingNumber number;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) number.negative = folded[i++] == '-';
  const std::size_t first_digit = i;
  while (i < folded.size() && folded[i] >= '0' && folded[i] <= '9') ++i;
  number.digits = folded.substr(first_digit, i - first_digit);
  return number;
}

int32_t parse_leading_integer(std::string_view text) {
  const LeadingNumber number = read_leading_number(text);
  uint32_t value = 0;  // unsigned, so that wrapping is defined
  for (char digit : number.digits) value = value * 10u + static_cast<uint32_t>(digit - '0');
  if (number.negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

std::string format_integer(int32_t value) {
  return std::to_string(value);
}

std::string join_texts(std::initializer_list<std::string_view> texts) {
  std::size_t total = 0;
  for (std::string_view t : texts) total += t.size();
  std::string out;
  out.reserve(total);
  for (std::string_view t : texts) out.append(t);
  return out;
}

bool is_character_boundary(std::string_view text, std::size_t offset) {
  std::size_t run = 0;
  while (run < offset && is_high(text[offset - 1 - run])) ++run;
  return run % 2 == 0;
}
