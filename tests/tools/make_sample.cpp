// Writes a sample novel in code page 936 (GBK): chapters of lines from 20 to 600 bytes,
// each opening with a full-width indent and ending in CR LF. The same size gives the
// same bytes every time.
//   make-sample FILE SIZE_IN_BYTES
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Random {  // xorshift: fast and the same everywhere
  uint64_t state = 0x9E3779B97F4A7C15ull;
  uint32_t next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<uint32_t>(state >> 32);
  }
  uint32_t below(uint32_t n) { return next() % n; }
};

void append_hanzi(std::string& line, Random& rng) {
  line.push_back(static_cast<char>(0xB0 + rng.below(0xD7 - 0xB0)));  // level-1 hanzi rows
  line.push_back(static_cast<char>(0xA1 + rng.below(0xFE - 0xA1)));
}

std::string make_line(Random& rng, uint64_t line_number) {
  std::string line;
  if (line_number % 120 == 0) {  // a chapter heading: 第N章
    line = "\xB5\xDA" + std::to_string(line_number / 120 + 1) + "\xD5\xC2";
    return line + "\r\n";
  }
  const std::size_t length = 20 + rng.below(581);  // bytes before CR LF, 20 to 600
  line = "\xA1\xA1\xA1\xA1";                        // two ideographic spaces
  while (line.size() + 2 <= length) {
    const uint32_t r = rng.below(40);
    if (r == 0) {
      line += "\xA3\xAC";  // ，
    } else if (r == 1) {
      line += "\xA1\xA3";  // 。
    } else if (r == 2 && line.size() + 3 <= length) {
      line += "\xA1\xB0" "\xA1\xB1";  // “”
    } else {
      append_hanzi(line, rng);
    }
  }
  if (line.size() < length) line.push_back('.');
  return line + "\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make-sample FILE SIZE_IN_BYTES\n");
    return 2;
  }
  const uint64_t size = std::strtoull(argv[2], nullptr, 10);
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  Random rng;
  std::string block;
  uint64_t written = 0;
  for (uint64_t n = 0; written < size; ++n) {
    std::string line = make_line(rng, n);
    if (written + line.size() > size) line = std::string(static_cast<std::size_t>(size - written), 'x');
    block += line;
    written += line.size();
    if (block.size() >= (1u << 20) || written >= size) {
      if (std::fwrite(block.data(), 1, block.size(), out) != block.size()) return 1;
      block.clear();
    }
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
