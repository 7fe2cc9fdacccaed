// Methods 1 to 3 (LZ77 with block-wise canonical Huffman codes) and method 4
// (LZ77 with fixed prefix codes), both over a 26,624-byte window.
#include <cstring>
#include <memory>
#include <new>

#include "archive/arj_internal.h"

namespace {

constexpr int kWindowSize = 26624;
constexpr int kThreshold = 3;
constexpr int kMaxMatch = 256;
constexpr int kLiteralSymbols = 510;
constexpr int kDistanceSymbols = 17;
constexpr int kCodeLengthSymbols = 19;
constexpr int kTreeNodes = 2 * kLiteralSymbols - 1;
constexpr int kLiteralTableBits = 12;
constexpr int kSmallTableBits = 8;
constexpr int kMaxCodeLength = 16;
constexpr int kNoSpecialIndex = -1;

const char kBadCode[] = "Bad Huffman code";

class ArjDecoder {
 public:
  explicit ArjDecoder(ArjReader& reader) : r_(reader) {
    window_.reset(new (std::nothrow) unsigned char[kWindowSize]);
    if (!window_) ArjFatal(r_, "Out of memory");
    ShowSpinner(r_);
    InitBits();
  }

  void DecodeHuffman();
  void DecodeFast();

 private:
  void InitBits() {
    bit_buffer_ = 0;
    pending_byte_ = 0;
    pending_count_ = 0;
    AdvanceBits(kMaxCodeLength);
  }

  void AdvanceBits(int n) {
    bit_buffer_ = static_cast<uint16_t>(bit_buffer_ << n);
    while (n > pending_count_) {
      n -= pending_count_;
      bit_buffer_ |= static_cast<uint16_t>(pending_byte_ << n);
      pending_byte_ = 0;
      if (r_.compressed_left > 0) {
        --r_.compressed_left;
        // Past the end of the input, afgetc's -1 reads as 0xFF.
        AFILE* in = r_.input;
        pending_byte_ = in->pos < in->end ? *in->pos++ : 0xFF;
      }
      pending_count_ = 8;
    }
    pending_count_ -= n;
    bit_buffer_ |= pending_byte_ >> pending_count_;
  }

  unsigned TakeBits(int n) {
    const unsigned value = bit_buffer_ >> (16 - n);
    AdvanceBits(n);
    return value;
  }

  void BuildDecodeTable(int symbols, const uint8_t* lengths, int bits, uint16_t* table, int table_size);
  unsigned ReadSymbol(const uint16_t* table, int bits, unsigned symbols, const uint8_t* lengths);
  void ReadSmallCodeLengths(int symbols, int count_bits, int special);
  void ReadLiteralCodeLengths();

  // Puts one byte at the window position, handing a full window on.
  void PutByte(unsigned char byte) {
    window_[position_] = byte;
    if (++position_ == kWindowSize) FlushWindow();
  }
  void FlushWindow() {
    position_ = 0;
    ShowSpinner(r_);
    WriteOutput(r_, window_.get(), kWindowSize);
  }
  void CopyMatch(unsigned distance, int length);
  void Finish() {
    if (position_ != 0) WriteOutput(r_, window_.get(), position_);
  }

  // Method 4's bit store.
  void RefillStore() {
    store_ = static_cast<uint16_t>(store_ | bit_buffer_ >> store_count_);
    AdvanceBits(16 - store_count_);
    store_count_ = 16;
  }
  unsigned StoreBit() {
    if (store_count_ <= 0) RefillStore();
    const unsigned bit = store_ >> 15;
    store_ = static_cast<uint16_t>(store_ << 1);
    --store_count_;
    return bit;
  }
  unsigned StoreBits(int n) {
    if (store_count_ < n) RefillStore();
    const unsigned value = store_ >> (16 - n);
    store_ = static_cast<uint16_t>(store_ << n);
    store_count_ -= n;
    return value;
  }
  unsigned ReadMethod4Code(int first_width, int stop_width);

  ArjReader& r_;
  std::unique_ptr<unsigned char[]> window_;
  int position_ = 0;

  uint16_t bit_buffer_ = 0;
  uint8_t pending_byte_ = 0;
  int pending_count_ = 0;

  uint16_t store_ = 0;
  int store_count_ = 0;

  uint8_t literal_lengths_[kLiteralSymbols] = {};
  uint8_t small_lengths_[kCodeLengthSymbols] = {};
  uint16_t literal_table_[1 << kLiteralTableBits] = {};
  uint16_t small_table_[1 << kSmallTableBits] = {};
  uint16_t left_[kTreeNodes] = {};
  uint16_t right_[kTreeNodes] = {};
};

void ArjDecoder::BuildDecodeTable(int symbols, const uint8_t* lengths, int bits, uint16_t* table,
                                  int table_size) {
  uint32_t count[kMaxCodeLength + 1] = {};
  for (int s = 0; s < symbols; ++s) {
    if (lengths[s] > kMaxCodeLength) ArjFatal(r_, kBadCode);
    ++count[lengths[s]];
  }
  uint32_t start[kMaxCodeLength + 2];
  start[1] = 0;
  for (int len = 1; len <= kMaxCodeLength; ++len) start[len + 1] = start[len] + (count[len] << (16 - len));
  // The codes must fill the code space exactly (or not at all).
  if (start[kMaxCodeLength + 1] != 1u << 16 && start[kMaxCodeLength + 1] != 0) ArjFatal(r_, kBadCode);

  uint32_t weight[kMaxCodeLength + 1];
  const int unused_bits = 16 - bits;
  for (int len = 1; len <= bits; ++len) {
    start[len] >>= unused_bits;
    weight[len] = 1u << (bits - len);
  }
  for (int len = bits + 1; len <= kMaxCodeLength; ++len) weight[len] = 1u << (16 - len);

  const uint32_t first_long = start[bits + 1] >> unused_bits;
  for (uint32_t i = first_long; i < (1u << bits); ++i) table[i] = 0;

  int avail = symbols;
  const uint32_t mask = 1u << (15 - bits);
  for (int s = 0; s < symbols; ++s) {
    const int len = lengths[s];
    if (len == 0) continue;
    uint32_t k = start[len];
    const uint32_t next = k + weight[len];
    if (len <= bits) {
      if (next > static_cast<uint32_t>(table_size)) ArjFatal(r_, kBadCode);
      for (uint32_t i = k; i < next; ++i) table[i] = static_cast<uint16_t>(s);
    } else {
      uint16_t* p = &table[k >> unused_bits];
      for (int i = len - bits; i > 0; --i) {
        if (*p == 0) {
          if (avail >= kTreeNodes) ArjFatal(r_, kBadCode);
          left_[avail] = right_[avail] = 0;
          *p = static_cast<uint16_t>(avail++);
        }
        p = (k & mask) ? &right_[*p] : &left_[*p];
        k <<= 1;
      }
      *p = static_cast<uint16_t>(s);
    }
    start[len] = next;
  }
}

unsigned ArjDecoder::ReadSymbol(const uint16_t* table, int bits, unsigned symbols, const uint8_t* lengths) {
  unsigned v = table[bit_buffer_ >> (16 - bits)];
  if (v >= symbols) {
    unsigned mask = 1u << (15 - bits);
    do {
      if (mask == 0) ArjFatal(r_, kBadCode);
      v = (bit_buffer_ & mask) ? right_[v] : left_[v];
      mask >>= 1;
    } while (v >= symbols);
  }
  AdvanceBits(lengths[v]);
  return v;
}

void ArjDecoder::ReadSmallCodeLengths(int symbols, int count_bits, int special) {
  const int count = static_cast<int>(TakeBits(count_bits));
  if (count == 0) {
    const unsigned only = TakeBits(count_bits);
    if (only >= static_cast<unsigned>(symbols)) ArjFatal(r_, kBadCode);
    std::memset(small_lengths_, 0, sizeof small_lengths_);
    for (uint16_t& entry : small_table_) entry = static_cast<uint16_t>(only);
    return;
  }
  if (count > symbols) ArjFatal(r_, kBadCode);
  int i = 0;
  while (i < count) {
    int len = bit_buffer_ >> 13;
    if (len == 7) {
      for (unsigned mask = 1u << 12; bit_buffer_ & mask; mask >>= 1) ++len;
      if (len > kMaxCodeLength) ArjFatal(r_, kBadCode);
    }
    AdvanceBits(len < 7 ? 3 : len - 3);
    small_lengths_[i++] = static_cast<uint8_t>(len);
    if (i == special) {
      const int zeros = static_cast<int>(TakeBits(2));
      if (i + zeros > symbols) ArjFatal(r_, kBadCode);
      for (int z = 0; z < zeros; ++z) small_lengths_[i++] = 0;
    }
  }
  for (; i < symbols; ++i) small_lengths_[i] = 0;
  BuildDecodeTable(symbols, small_lengths_, kSmallTableBits, small_table_, 1 << kSmallTableBits);
}

void ArjDecoder::ReadLiteralCodeLengths() {
  const int count = static_cast<int>(TakeBits(9));
  if (count == 0) {
    const unsigned only = TakeBits(9);
    if (only >= kLiteralSymbols) ArjFatal(r_, kBadCode);
    std::memset(literal_lengths_, 0, sizeof literal_lengths_);
    for (uint16_t& entry : literal_table_) entry = static_cast<uint16_t>(only);
    return;
  }
  if (count > kLiteralSymbols) ArjFatal(r_, kBadCode);
  int i = 0;
  while (i < count) {
    const unsigned v = ReadSymbol(small_table_, kSmallTableBits, kCodeLengthSymbols, small_lengths_);
    if (v >= 3) {
      literal_lengths_[i++] = static_cast<uint8_t>(v - 2);
      continue;
    }
    const int zeros = v == 0 ? 1 : v == 1 ? static_cast<int>(TakeBits(4)) + 3 : static_cast<int>(TakeBits(9)) + 20;
    if (i + zeros > kLiteralSymbols) ArjFatal(r_, kBadCode);
    for (int z = 0; z < zeros; ++z) literal_lengths_[i++] = 0;
  }
  for (; i < kLiteralSymbols; ++i) literal_lengths_[i] = 0;
  BuildDecodeTable(kLiteralSymbols, literal_lengths_, kLiteralTableBits, literal_table_, 1 << kLiteralTableBits);
}

void ArjDecoder::CopyMatch(unsigned distance, int length) {
  int from = position_ - static_cast<int>(distance) - 1;
  if (from < 0) from += kWindowSize;
  if (from < position_ && position_ < kWindowSize - kMaxMatch - 1) {
    // The whole match lies inside the window; overlapping copies repeat.
    unsigned char* w = window_.get();
    if (from + length <= position_) {
      std::memcpy(w + position_, w + from, length);
      position_ += length;
      return;
    }
    for (int n = 0; n < length; ++n) w[position_++] = w[from++];
    return;
  }
  for (int n = 0; n < length; ++n) {
    PutByte(window_[from]);
    if (++from == kWindowSize) from = 0;
  }
}

void ArjDecoder::DecodeHuffman() {
  uint16_t block_left = 0;
  uint64_t written = 0;
  while (written < r_.original_size) {
    if (block_left == 0) {
      block_left = static_cast<uint16_t>(TakeBits(16));
      ReadSmallCodeLengths(kCodeLengthSymbols, 5, 3);
      ReadLiteralCodeLengths();
      ReadSmallCodeLengths(kDistanceSymbols, 5, kNoSpecialIndex);
    }
    --block_left;
    const unsigned v = ReadSymbol(literal_table_, kLiteralTableBits, kLiteralSymbols, literal_lengths_);
    if (v <= 0xFF) {
      PutByte(static_cast<unsigned char>(v));
      ++written;
      continue;
    }
    const int length = static_cast<int>(v) - (0x100 - kThreshold);
    written += length;
    const unsigned s = ReadSymbol(small_table_, kSmallTableBits, kDistanceSymbols, small_lengths_);
    const unsigned distance = s == 0 ? 0 : (1u << (s - 1)) + TakeBits(static_cast<int>(s) - 1);
    // No valid stream reaches back a whole window or more.
    if (distance >= kWindowSize) ArjFatal(r_, kBadCode);
    CopyMatch(distance, length);
  }
  Finish();
}

unsigned ArjDecoder::ReadMethod4Code(int first_width, int stop_width) {
  unsigned plus = 0;
  unsigned step = 1u << first_width;
  int width = first_width;
  for (; width < stop_width; ++width) {
    if (StoreBit() == 0) break;
    plus += step;
    step <<= 1;
  }
  return width != 0 ? plus + StoreBits(width) : plus;
}

void ArjDecoder::DecodeFast() {
  uint64_t written = 0;
  while (written < r_.original_size) {
    const unsigned code = ReadMethod4Code(0, 7);
    if (code == 0) {
      PutByte(static_cast<unsigned char>(StoreBits(8)));
      ++written;
      continue;
    }
    const int length = static_cast<int>(code) - 1 + kThreshold;
    written += length;
    CopyMatch(ReadMethod4Code(9, 13), length);
  }
  Finish();
}

}  // namespace

void DecodeMethod1to3(ArjReader& reader) {
  std::unique_ptr<ArjDecoder> decoder(new ArjDecoder(reader));
  decoder->DecodeHuffman();
}

void DecodeMethod4(ArjReader& reader) {
  std::unique_ptr<ArjDecoder> decoder(new ArjDecoder(reader));
  decoder->DecodeFast();
}
