// The cut rule against its forward model, for any bytes, chunk length and buffer size: the
// backward scan over a reader, the scan of a chunk in memory and the model agree on every
// piece of a whole split, and every piece keeps the promises of the rule.
#include <cstring>
#include <memory>
#include <string>

#include "split/cut_rule.h"
#include "tests/fuzz/code_page.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/split_model.h"

namespace {

// A source in memory that aborts on any read outside the chunk being cut.
class ChunkReader : public ByteReader {
 public:
  explicit ChunkReader(const std::string& bytes) : bytes_(bytes) {}
  void allow(uint64_t from, uint64_t to, std::size_t buffer_size) {
    from_ = from;
    to_ = to;
    buffer_size_ = buffer_size;
  }
  int64_t read_at(uint64_t offset, char* buffer, std::size_t length) const override {
    FUZZ_CHECK(offset >= from_ && offset + length <= to_);
    FUZZ_CHECK(length <= buffer_size_);
    std::memcpy(buffer, bytes_.data() + offset, length);
    return static_cast<int64_t>(length);
  }

 private:
  const std::string& bytes_;
  uint64_t from_ = 0, to_ = 0;
  std::size_t buffer_size_ = 0;
};

// A lone line break at offset 1 or later of the chunk, or a CR LF starting there.
bool has_line_break(const std::string& chunk) {
  for (std::size_t i = 1; i < chunk.size(); ++i) {
    if (chunk[i] == '\r' || (chunk[i] == '\n' && chunk[i - 1] != '\r')) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const uint32_t chunk_choice = input.number(2);
  const std::size_t buffer_size = 2 + input.number(2) % 600;
  const bool make_valid = input.number(1) % 2 == 1;
  const std::string raw = input.rest();
  const std::string source = make_valid ? as_valid_cp936(raw) : raw;
  if (source.empty()) return 0;
  const std::size_t n = 1 + chunk_choice % source.size();  // the chunk length

  std::vector<bool> starts;
  const bool valid = is_valid_cp936(source, &starts);
  const std::unique_ptr<char[]> buffer(new char[buffer_size]);
  ChunkReader reader(source);
  std::size_t joined = 0;
  for (std::size_t start = 0; start < source.size();) {
    if (source.size() - start <= n) {  // the chunk reaches the end: the last piece, whole
      joined += source.size() - start;
      break;
    }
    const std::string chunk = source.substr(start, n);
    reader.allow(start, start + n, buffer_size);
    const std::optional<uint64_t> cut =
        find_cut(reader, start, start + n, buffer.get(), buffer_size);
    FUZZ_CHECK(cut.has_value());
    const std::size_t piece = static_cast<std::size_t>(*cut - start);

    const std::unique_ptr<char[]> exact(new char[n]);  // no byte to spare around the chunk
    std::memcpy(exact.get(), chunk.data(), n);
    FUZZ_CHECK(find_cut_in_memory(exact.get(), n) == piece);
    FUZZ_CHECK(model_piece_length(chunk) == piece);

    FUZZ_CHECK(piece >= 1 && piece <= n);
    // A chunk of one byte is a piece of one byte, whatever it divides; real chunks have at
    // least 1,024.
    if (n >= 2) {
      FUZZ_CHECK(!(source[start + piece - 1] == '\r' && source[start + piece] == '\n'));
      // The last resort never divides a pair of the double-byte walk from the chunk's start...
      if (!has_line_break(chunk)) FUZZ_CHECK(walk_boundary(source, start, start + piece));
      // ...and no cut divides a character of valid text.
      if (valid) FUZZ_CHECK(starts[start + piece]);
    }
    joined += piece;
    start += piece;
  }
  FUZZ_CHECK(joined == source.size());
  return 0;
}
