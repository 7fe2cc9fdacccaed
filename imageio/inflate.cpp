// The zlib stream decoder: stored, fixed and dynamic deflate blocks with their checks.
#include "imageio/inflate.h"

#include <cstdio>

namespace imageio {

int InflateInput::ReadAlignedByte() {
  while (buffer_ < buffers_.size() && offset_ == buffers_[buffer_].size()) {
    ++buffer_;
    offset_ = 0;
  }
  if (buffer_ == buffers_.size()) {
    exhausted_ = true;
    return -1;
  }
  return buffers_[buffer_][offset_++];
}

int InflateInput::ReadBits(int count) {
  int value = 0;
  for (int i = 0; i < count; ++i) {
    if (bits_left_ == 0) {
      const int byte = ReadAlignedByte();
      current_ = byte < 0 ? 0 : byte;
      bits_left_ = 8;
    }
    value |= (current_ & 1) << i;
    current_ >>= 1;
    --bits_left_;
  }
  return value;
}

namespace {

constexpr int kMaxBits = 15;
constexpr int kMaxSymbols = 320;

// A canonical code: how many codes each length has, and the symbols in code
// order.
struct Code {
  int count[kMaxBits + 1] = {};
  int symbol[kMaxSymbols] = {};
};

// Builds the code from the lengths; false for an over-subscribed code, or an
// incomplete one with more than one code (one code alone is read as one bit).
bool BuildCodeTree(const uint8_t* lengths, int n, Code* code) {
  for (int s = 0; s < n; ++s) ++code->count[lengths[s]];
  const int used = n - code->count[0];
  code->count[0] = 0;
  int left = 1;
  for (int len = 1; len <= kMaxBits; ++len) {
    left = left * 2 - code->count[len];
    if (left < 0) return false;
  }
  if (left > 0 && used > 1) return false;
  int offset[kMaxBits + 2] = {};
  for (int len = 1; len <= kMaxBits; ++len) offset[len + 1] = offset[len] + code->count[len];
  for (int s = 0; s < n; ++s)
    if (lengths[s]) code->symbol[offset[lengths[s]]++] = s;
  return true;
}

// The next symbol, or -1 for a code that the table lacks.
int DecodeSymbol(InflateInput& in, const Code& code) {
  int value = 0;
  int first = 0;
  int index = 0;
  for (int len = 1; len <= kMaxBits; ++len) {
    value |= in.ReadBits(1);
    const int count = code.count[len];
    if (value - first < count) return code.symbol[index + value - first];
    index += count;
    first = (first + count) << 1;
    value <<= 1;
  }
  return -1;
}

const uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
const uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

class BlockDecoder {
 public:
  BlockDecoder(InflateInput& in, std::vector<uint8_t>* out, size_t max_size) : in_(in), out_(*out), max_size_(max_size) {}

  bool Stored();
  bool Fixed();
  bool Dynamic();

 private:
  bool Codes(const Code& literals, const Code& distances);

  InflateInput& in_;
  std::vector<uint8_t>& out_;
  size_t max_size_;
};

bool BlockDecoder::Stored() {
  in_.AlignToByte();
  const int length = in_.ReadBits(16);
  const int complement = in_.ReadBits(16);
  if (complement != (~length & 0xFFFF) && length != 0 && complement != 0) return false;
  if (out_.size() + length > max_size_) return false;
  for (int i = 0; i < length; ++i) {
    const int byte = in_.ReadAlignedByte();
    if (byte < 0) {
      std::printf("%d ERR\n", length - i);
      return false;
    }
    out_.push_back(static_cast<uint8_t>(byte));
  }
  return true;
}

bool BlockDecoder::Fixed() {
  uint8_t lengths[288 + 32];
  for (int s = 0; s < 144; ++s) lengths[s] = 8;
  for (int s = 144; s < 256; ++s) lengths[s] = 9;
  for (int s = 256; s < 280; ++s) lengths[s] = 7;
  for (int s = 280; s < 288; ++s) lengths[s] = 8;
  for (int s = 288; s < 288 + 32; ++s) lengths[s] = 5;
  Code literals, distances;
  BuildCodeTree(lengths, 288, &literals);
  BuildCodeTree(lengths + 288, 32, &distances);
  return Codes(literals, distances);
}

bool BlockDecoder::Dynamic() {
  const int literal_count = in_.ReadBits(5) + 257;
  const int distance_count = in_.ReadBits(5) + 1;
  const int code_length_count = in_.ReadBits(4) + 4;
  if (literal_count > 286 || distance_count > 30) return false;
  uint8_t lengths[286 + 30] = {};
  for (int i = 0; i < code_length_count; ++i) lengths[kCodeLengthOrder[i]] = in_.ReadBits(3);
  Code length_code;
  if (!BuildCodeTree(lengths, 19, &length_code)) return false;

  const int total = literal_count + distance_count;
  for (int i = 0; i < total;) {
    const int symbol = DecodeSymbol(in_, length_code);
    if (symbol < 0) return false;
    if (symbol < 16) {
      lengths[i++] = symbol;
      continue;
    }
    int repeat;
    uint8_t value = 0;
    if (symbol == 16) {
      if (i == 0) return false;
      value = lengths[i - 1];
      repeat = 3 + in_.ReadBits(2);
    } else if (symbol == 17) {
      repeat = 3 + in_.ReadBits(3);
    } else {
      repeat = 11 + in_.ReadBits(7);
    }
    if (i + repeat > total) return false;
    while (repeat--) lengths[i++] = value;
  }
  Code literals, distances;
  if (!BuildCodeTree(lengths, literal_count, &literals)) return false;
  if (!BuildCodeTree(lengths + literal_count, distance_count, &distances)) return false;
  return Codes(literals, distances);
}

bool BlockDecoder::Codes(const Code& literals, const Code& distances) {
  for (;;) {
    const int symbol = DecodeSymbol(in_, literals);
    if (symbol < 0 || in_.exhausted()) return false;
    if (symbol < 256) {
      if (out_.size() >= max_size_) return false;
      out_.push_back(static_cast<uint8_t>(symbol));
      continue;
    }
    if (symbol == 256) return true;
    const int length_code = symbol - 257;
    if (length_code >= 29) return false;
    const size_t length = kLengthBase[length_code] + in_.ReadBits(kLengthExtra[length_code]);
    const int distance_code = DecodeSymbol(in_, distances);
    if (distance_code < 0 || distance_code >= 30) return false;
    const size_t distance = kDistanceBase[distance_code] + in_.ReadBits(kDistanceExtra[distance_code]);
    if (distance > out_.size() || out_.size() + length > max_size_) return false;
    for (size_t i = 0; i < length; ++i) out_.push_back(out_[out_.size() - distance]);
  }
}

uint32_t Adler32(const uint8_t* data, size_t size) {
  uint32_t a = 1;
  uint32_t b = 0;
  while (size > 0) {
    const size_t run = size < 5552 ? size : 5552;
    for (size_t i = 0; i < run; ++i) {
      a += data[i];
      b += a;
    }
    a %= 65521;
    b %= 65521;
    data += run;
    size -= run;
  }
  return b << 16 | a;
}

}  // namespace

bool Inflate(InflateInput& in, std::vector<uint8_t>* out, size_t max_size) {
  const int cmf = in.ReadBits(8);
  const int flg = in.ReadBits(8);
  if ((cmf & 15) != 8 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20)) return false;

  const size_t start = out->size();
  BlockDecoder blocks(in, out, max_size);
  bool last;
  do {
    last = in.ReadBits(1);
    const int type = in.ReadBits(2);
    if (in.exhausted()) return false;
    bool ok = false;
    if (type == 0) ok = blocks.Stored();
    if (type == 1) ok = blocks.Fixed();
    if (type == 2) ok = blocks.Dynamic();
    if (!ok) return false;
  } while (!last);

  in.AlignToByte();
  uint32_t expected = 0;
  for (int i = 0; i < 4; ++i) expected = expected << 8 | static_cast<uint32_t>(in.ReadBits(8));
  if (in.exhausted()) return false;
  return expected == Adler32(out->data() + start, out->size() - start);
}

}  // namespace imageio
