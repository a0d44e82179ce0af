// Code page 936 as the fuzz targets see it: which texts are valid, and where their
// characters start.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

inline bool is_lead(unsigned char b) {
  return b >= 0x81 && b <= 0xFE;
}
inline bool is_trail(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

// True when `text` is valid code page 936: single bytes below 0x80, and pairs of a lead byte
// and a trail byte. Fills `starts` with a flag per offset (and one for the end): a character
// starts there.
inline bool is_valid_cp936(const std::string& text, std::vector<bool>* starts = nullptr) {
  if (starts) starts->assign(text.size() + 1, false);
  for (std::size_t i = 0; i < text.size();) {
    if (starts) (*starts)[i] = true;
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      ++i;
    } else if (is_lead(b) && i + 1 < text.size() &&
               is_trail(static_cast<unsigned char>(text[i + 1]))) {
      i += 2;
    } else {
      return false;
    }
  }
  if (starts) starts->back() = true;
  return true;
}

// Turns any bytes into valid code page 936 text of about the same shape: single bytes stay,
// a high byte becomes a lead byte and takes the next byte as its trail.
inline std::string as_valid_cp936(const std::string& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      text.push_back(static_cast<char>(b));
      continue;
    }
    const unsigned char next = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[++i]) : 0xA1;
    text.push_back(static_cast<char>(0x81 + b % 0x7E));
    text.push_back(static_cast<char>(is_trail(next) ? next : 0x80 + next % 0x7F));
  }
  return text;
}

// True when `offset` starts a character of the double-byte walk over `text` from `from`: a
// byte of 0x80 or above and the byte after it are one character.
inline bool walk_boundary(const std::string& text, std::size_t from, std::size_t offset) {
  std::size_t i = from;
  while (i < offset) i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
  return i == offset;
}
