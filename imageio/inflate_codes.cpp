// Look-up tables for deflate's canonical codes, and what each symbol of the three alphabets means.
#include "imageio/inflate_codes.h"

#include <algorithm>
#include <array>

namespace imageio {
namespace {

constexpr int kLiteralLengthSymbols = 288;
constexpr int kDistanceSymbols = 32;
constexpr int kCodeLengthSymbols = 19;

const uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr uint32_t Meaning(uint32_t value, uint32_t extra) { return value << kValueShift | extra << kExtraShift; }

std::array<uint32_t, kLiteralLengthSymbols> MakeLiteralLengthMeanings() {
  std::array<uint32_t, kLiteralLengthSymbols> m{};
  for (int s = 0; s < 256; ++s) m[s] = Meaning(s, 0) | kLiteral;
  m[256] = kEndOfBlock;
  for (int s = 257; s < 286; ++s) m[s] = Meaning(kLengthBase[s - 257], kLengthExtra[s - 257]);
  m[286] = m[287] = kInvalid;
  return m;
}

std::array<uint32_t, kDistanceSymbols> MakeDistanceMeanings() {
  std::array<uint32_t, kDistanceSymbols> m{};
  for (int s = 0; s < 30; ++s) m[s] = Meaning(kDistanceBase[s], kDistanceExtra[s]);
  m[30] = m[31] = kInvalid;
  return m;
}

std::array<uint32_t, kCodeLengthSymbols> MakeCodeLengthMeanings() {
  std::array<uint32_t, kCodeLengthSymbols> m{};
  for (int s = 0; s < kCodeLengthSymbols; ++s) m[s] = Meaning(s, 0);
  return m;
}

uint32_t Reversed(uint32_t code, int length) {
  uint32_t r = 0;
  for (int i = 0; i < length; ++i, code >>= 1) r = r << 1 | (code & 1);
  return r;
}

}  // namespace

SymbolMeanings LiteralLengthMeanings() {
  static const auto meanings = MakeLiteralLengthMeanings();
  return {meanings.data(), kLiteralLengthSymbols};
}

SymbolMeanings DistanceMeanings() {
  static const auto meanings = MakeDistanceMeanings();
  return {meanings.data(), kDistanceSymbols};
}

SymbolMeanings CodeLengthMeanings() {
  static const auto meanings = MakeCodeLengthMeanings();
  return {meanings.data(), kCodeLengthSymbols};
}

bool HuffmanTable::Build(const uint8_t* lengths, const SymbolMeanings& meanings, int index_bits) {
  int count[kMaxCodeBits + 1] = {};
  for (int s = 0; s < meanings.count; ++s) ++count[lengths[s]];
  const int used = meanings.count - count[0];
  count[0] = 0;
  int left = 1;
  for (int len = 1; len <= kMaxCodeBits; ++len) {
    left = left * 2 - count[len];
    if (left < 0) return false;
  }
  if (left > 0 && used > 1) return false;

  // The symbols in code order: by length, then by symbol.
  int offset[kMaxCodeBits + 2] = {};
  for (int len = 1; len <= kMaxCodeBits; ++len) offset[len + 1] = offset[len] + count[len];
  uint16_t sorted[kLiteralLengthSymbols];
  for (int s = 0; s < meanings.count; ++s)
    if (lengths[s]) sorted[offset[lengths[s]]++] = static_cast<uint16_t>(s);

  index_bits_ = index_bits;
  index_mask_ = (1u << index_bits) - 1;
  const uint32_t first_level = 1u << index_bits;
  // A complete code fills every entry itself.
  if (left > 0) std::fill(entries_, entries_ + first_level, kInvalid);
  uint32_t next_free = first_level;
  uint32_t sub_prefix = first_level;  // none yet
  uint32_t sub_offset = 0;
  int remaining[kMaxCodeBits + 1];
  std::copy(count, count + kMaxCodeBits + 1, remaining);

  uint32_t code = 0;
  int i = 0;
  for (int len = 1; len <= kMaxCodeBits; ++len, code <<= 1) {
    for (int k = 0; k < count[len]; ++k, ++code, --remaining[len]) {
      const uint32_t entry = meanings.entries[sorted[i++]] | static_cast<uint32_t>(len);
      const uint32_t reversed = Reversed(code, len);
      if (len <= index_bits) {
        for (uint32_t r = reversed; r < first_level; r += 1u << len) entries_[r] = entry;
        continue;
      }
      const uint32_t prefix = reversed & index_mask_;
      if (prefix != sub_prefix) {
        // The smallest second-level table that the codes still to come under
        // this prefix fill.
        int sub_bits = len - index_bits;
        int deepest = len;
        int space = (1 << sub_bits) - remaining[len];
        while (space > 0 && deepest < kMaxCodeBits) {
          ++deepest;
          ++sub_bits;
          space = space * 2 - remaining[deepest];
        }
        if (next_free + (1u << sub_bits) > static_cast<uint32_t>(kCapacity)) return false;
        sub_offset = next_free;
        next_free += 1u << sub_bits;
        std::fill(entries_ + sub_offset, entries_ + next_free, kInvalid);
        entries_[prefix] = kSubtable | static_cast<uint32_t>(sub_bits) << kExtraShift | sub_offset << kValueShift;
        sub_prefix = prefix;
      }
      const uint32_t sub_size = 1u << (entries_[prefix] >> kExtraShift & 0xF);
      for (uint32_t r = reversed >> index_bits; r < sub_size; r += 1u << (len - index_bits))
        entries_[sub_offset + r] = entry;
    }
  }
  return true;
}

void HuffmanTable::PairLiterals() {
  // Downwards: the entry read for the bits after the first code lies at or
  // below i, so it is still a single one.
  for (uint32_t i = 1u << index_bits_; i-- > 0;) {
    const uint32_t first = entries_[i];
    if (!(first & kLiteral)) continue;
    const int first_bits = first & kCodeLengthMask;
    // The bits after the first code, with zeros above them: the entry there
    // is the second symbol's when its code lies within the known bits.
    const uint32_t second = entries_[i >> first_bits];
    if ((second & kLiteral) && first_bits + static_cast<int>(second & kCodeLengthMask) <= index_bits_)
      entries_[i] = (first + (second & kCodeLengthMask)) | kSecondLiteral | (second >> kValueShift) << (kValueShift + 8);
  }
}

}  // namespace imageio
