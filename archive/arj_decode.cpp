// Methods 1 to 3 (LZ77 with block-wise canonical Huffman codes) and method 4
// (LZ77 with fixed prefix codes), both over a 26,624-byte window.
#include <cstring>
#include <memory>
#include <new>

#include "archive/arj_bits.h"
#include "archive/arj_internal.h"
#include "archive/lz_copy.h"

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
// Below this window position a whole match fits without wrapping.
constexpr int kLastQuickPosition = kWindowSize - kMaxMatch - 1;
// Method 4's codes: a run of up to 7 one bits and as many value bits for a
// length, a run of up to 4 and 9 to 13 value bits for a distance.
constexpr int kMethod4LengthRun = 7;
constexpr int kMethod4DistanceRun = 4;
constexpr int kMethod4DistanceWidth = 9;

// A table entry: the symbol (or tree node) in the low 16 bits, the symbol's
// code length above them (0 for tree nodes).
constexpr int kLengthShift = 16;
constexpr uint32_t kSymbolMask = 0xFFFF;

const char kBadCode[] = "Bad Huffman code";

class ArjDecoder {
 public:
  explicit ArjDecoder(ArjReader& reader) : r_(reader), bits_(reader) {
    window_.reset(new (std::nothrow) unsigned char[kWindowSize]);
    if (!window_) ArjFatal(r_, "Out of memory");
    ShowSpinner(r_);
  }

  void DecodeHuffman();
  void DecodeFast();

 private:
  unsigned TakeBits(int n) {
    bits_.Refill();
    const unsigned value = bits_.Peek(n);
    bits_.Drop(n);
    return value;
  }

  void BuildDecodeTable(int symbols, const uint8_t* lengths, int bits, uint32_t* table, int table_size);
  // The next symbol of a table's alphabet; the bit buffer holds at least 16 bits.
  unsigned ReadSymbol(ArjBits& bits, const uint32_t* table, int table_bits, unsigned symbols,
                      const uint8_t* lengths) const {
    const uint32_t entry = table[bits.Peek(table_bits)];
    unsigned v = entry & kSymbolMask;
    if (v < symbols) {
      bits.Drop(static_cast<int>(entry >> kLengthShift));
      return v;
    }
    const uint32_t window = bits.Peek(kMaxCodeLength);
    unsigned mask = 1u << (15 - table_bits);
    do {
      if (mask == 0) ArjFatal(r_, kBadCode);
      v = (window & mask) ? right_[v] : left_[v];
      mask >>= 1;
    } while (v >= symbols);
    bits.Drop(lengths[v]);
    return v;
  }
  void ReadSmallCodeLengths(int symbols, int count_bits, int special);
  void ReadLiteralCodeLengths();
  void StartBlock();

  // Puts a byte at the window position and returns the next position,
  // handing the window on when it is full.
  int PutByte(unsigned char* w, int position, unsigned byte) {
    w[position] = static_cast<unsigned char>(byte);
    if (++position < kWindowSize) return position;
    FlushWindow();
    return 0;
  }
  void FlushWindow() {
    ShowSpinner(r_);
    WriteOutput(r_, window_.get(), kWindowSize);
  }
  // Copies a match from distance + 1 bytes back; returns the new position.
  int CopyMatch(int position, unsigned distance, int length) {
    // The whole match and its source inside the window, without wrapping.
    if (static_cast<int>(distance) < position && position < kLastQuickPosition) {
      CopyMatchQuickly(window_.get() + position, distance + 1, length);
      return position + length;
    }
    return CopyWrappingMatch(position, distance, length);
  }
  int CopyWrappingMatch(int position, unsigned distance, int length);

  ArjReader& r_;
  ArjBits bits_;
  std::unique_ptr<unsigned char[]> window_;

  uint8_t literal_lengths_[kLiteralSymbols] = {};
  uint8_t small_lengths_[kCodeLengthSymbols] = {};
  uint32_t literal_table_[1 << kLiteralTableBits] = {};
  uint32_t small_table_[1 << kSmallTableBits] = {};
  uint16_t left_[kTreeNodes] = {};
  uint16_t right_[kTreeNodes] = {};
};

void ArjDecoder::BuildDecodeTable(int symbols, const uint8_t* lengths, int bits, uint32_t* table,
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
      const uint32_t entry = static_cast<uint32_t>(s) | static_cast<uint32_t>(len) << kLengthShift;
      for (uint32_t i = k; i < next; ++i) table[i] = entry;
    } else {
      uint32_t* in_table = &table[k >> unused_bits];
      if (*in_table == 0) {
        if (avail >= kTreeNodes) ArjFatal(r_, kBadCode);
        left_[avail] = right_[avail] = 0;
        *in_table = static_cast<uint32_t>(avail++);
      }
      uint16_t* p = (k & mask) ? &right_[*in_table] : &left_[*in_table];
      k <<= 1;
      for (int i = len - bits - 1; i > 0; --i) {
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

void ArjDecoder::ReadSmallCodeLengths(int symbols, int count_bits, int special) {
  const int count = static_cast<int>(TakeBits(count_bits));
  if (count == 0) {
    const unsigned only = TakeBits(count_bits);
    if (only >= static_cast<unsigned>(symbols)) ArjFatal(r_, kBadCode);
    std::memset(small_lengths_, 0, sizeof small_lengths_);
    for (uint32_t& entry : small_table_) entry = only;
    return;
  }
  if (count > symbols) ArjFatal(r_, kBadCode);
  int i = 0;
  while (i < count) {
    bits_.Refill();
    const uint32_t window = bits_.Peek(16);
    int len = static_cast<int>(window >> 13);
    if (len == 7) {
      for (unsigned mask = 1u << 12; window & mask; mask >>= 1) ++len;
      if (len > kMaxCodeLength) ArjFatal(r_, kBadCode);
    }
    bits_.Drop(len < 7 ? 3 : len - 3);
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
    for (uint32_t& entry : literal_table_) entry = only;
    return;
  }
  if (count > kLiteralSymbols) ArjFatal(r_, kBadCode);
  int i = 0;
  while (i < count) {
    bits_.Refill();
    const unsigned v = ReadSymbol(bits_, small_table_, kSmallTableBits, kCodeLengthSymbols, small_lengths_);
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

void ArjDecoder::StartBlock() {
  ReadSmallCodeLengths(kCodeLengthSymbols, 5, 3);
  ReadLiteralCodeLengths();
  ReadSmallCodeLengths(kDistanceSymbols, 5, kNoSpecialIndex);
}

int ArjDecoder::CopyWrappingMatch(int position, unsigned distance, int length) {
  int from = position - static_cast<int>(distance) - 1;
  if (from < 0) from += kWindowSize;
  unsigned char* w = window_.get();
  if (from >= position && from + length <= kWindowSize && position + length < kWindowSize) {
    // The source lies ahead (from the window's previous round), so a forward
    // copy reads each byte before anything is written over it.
    std::memmove(w + position, w + from, length);
    return position + length;
  }
  for (int n = 0; n < length; ++n) {
    w[position] = w[from];
    if (++position == kWindowSize) {
      FlushWindow();
      position = 0;
    }
    if (++from == kWindowSize) from = 0;
  }
  return position;
}

void ArjDecoder::DecodeHuffman() {
  uint16_t block_left = 0;
  uint64_t written = 0;
  int position = 0;
  unsigned char* const w = window_.get();
  // The bit reader lives in a local copy here, away from the window's bytes.
  ArjBits bits = bits_;
  const uint64_t size = r_.original_size;
  while (written < size) {
    if (block_left == 0) {
      bits_ = bits;
      block_left = static_cast<uint16_t>(TakeBits(16));
      StartBlock();
      bits = bits_;
    }
    --block_left;
    // Enough for a symbol, a distance symbol and its value bits: 16 + 16 + 15.
    bits.Refill();
    const unsigned v = ReadSymbol(bits, literal_table_, kLiteralTableBits, kLiteralSymbols, literal_lengths_);
    if (v <= 0xFF) {
      position = PutByte(w, position, v);
      ++written;
      // A second literal from the same refill: 40 bits are left.
      const uint32_t entry = literal_table_[bits.Peek(kLiteralTableBits)];
      if ((entry & kSymbolMask) <= 0xFF && block_left != 0 && written < size) {
        --block_left;
        bits.Drop(static_cast<int>(entry >> kLengthShift));
        position = PutByte(w, position, entry & kSymbolMask);
        ++written;
      }
      continue;
    }
    const int length = static_cast<int>(v) - (0x100 - kThreshold);
    written += length;
    const unsigned s = ReadSymbol(bits, small_table_, kSmallTableBits, kDistanceSymbols, small_lengths_);
    unsigned distance = s;
    if (s > 1) {
      distance = (1u << (s - 1)) + bits.Peek(static_cast<int>(s) - 1);
      bits.Drop(static_cast<int>(s) - 1);
    }
    // No valid stream reaches back a whole window or more.
    if (distance >= kWindowSize) ArjFatal(r_, kBadCode);
    position = CopyMatch(position, distance, length);
  }
  if (position != 0) WriteOutput(r_, w, position);
  bits.Finish(0);
}

void ArjDecoder::DecodeFast() {
  uint64_t written = 0;
  int position = 0;
  unsigned char* const w = window_.get();
  ArjBits bits = bits_;
  // How many bits method 4's 16-bit store would hold: they count as taken
  // from the input.
  int store = 0;
  const uint64_t size = r_.original_size;
  while (written < size) {
    // A length code (at most 7 + 7 bits) and a distance code (4 + 13).
    bits.Refill();
    const int length_run = bits.OnesAhead(kMethod4LengthRun);
    const int length_flags = length_run + (length_run < kMethod4LengthRun);
    store = ArjBits::StoreAfterBits(store, length_flags);
    bits.Drop(length_flags);
    if (length_run == 0) {
      store = ArjBits::StoreAfterWord(store, 8);
      position = PutByte(w, position, bits.Peek(8));
      ++written;
      bits.Drop(8);
      // A second literal from the same refill: 47 bits are left.
      if (bits.Peek(1) == 0 && written < size) {
        store = ArjBits::StoreAfterWord(ArjBits::StoreAfterBits(store, 1), 8);
        position = PutByte(w, position, bits.Peek(9));
        ++written;
        bits.Drop(9);
      }
      continue;
    }
    store = ArjBits::StoreAfterWord(store, length_run);
    const int length = static_cast<int>((1u << length_run) - 1 + bits.Peek(length_run)) - 1 + kThreshold;
    bits.Drop(length_run);
    written += length;

    const int distance_run = bits.OnesAhead(kMethod4DistanceRun);
    const int distance_flags = distance_run + (distance_run < kMethod4DistanceRun);
    store = ArjBits::StoreAfterBits(store, distance_flags);
    bits.Drop(distance_flags);
    const int width = kMethod4DistanceWidth + distance_run;
    store = ArjBits::StoreAfterWord(store, width);
    const unsigned distance = ((1u << width) - (1u << kMethod4DistanceWidth)) + bits.Peek(width);
    bits.Drop(width);
    position = CopyMatch(position, distance, length);
  }
  if (position != 0) WriteOutput(r_, w, position);
  bits.Finish(store);
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
