// Deflate's canonical Huffman codes as look-up tables: one look-up of the next
// bits gives a symbol's meaning (literal, length or distance base and extra
// bits, end of block) and its code length; codes longer than the table's
// index width go through one second-level table.
#pragma once

#include <cstdint>

namespace imageio {

// An entry: bits 0-7 the code length, bits 8-11 the extra bits (or a second-
// level table's index bits), bits 12-15 the kind, bits 16-31 the value
// (literal byte, base, or the second-level table's offset). A literal entry
// with kSecondLiteral holds two literals (bits 16-23, then 24-31), and its
// code length is that of both codes.
constexpr uint32_t kCodeLengthMask = 0xFF;
constexpr int kExtraShift = 8;
constexpr uint32_t kSecondLiteral = 1u << kExtraShift;
constexpr uint32_t kLiteral = 1u << 12;
constexpr uint32_t kSubtable = 1u << 13;
constexpr uint32_t kEndOfBlock = 1u << 14;
constexpr uint32_t kInvalid = 1u << 15;
constexpr int kValueShift = 16;

constexpr int kMaxCodeBits = 15;

// What each symbol of an alphabet decodes to, without its code length.
struct SymbolMeanings {
  const uint32_t* entries;
  int count;
};

// The literal/length alphabet (symbols 286 and 287 invalid), the distance
// alphabet (30 and 31 invalid) and the code-length alphabet.
SymbolMeanings LiteralLengthMeanings();
SymbolMeanings DistanceMeanings();
SymbolMeanings CodeLengthMeanings();

class HuffmanTable {
 public:
  // Builds the table for the code lengths of meanings.count symbols (each 0
  // to 15). False for an over-subscribed code, or an incomplete one with more
  // than one code; a single code or none is accepted, and bit patterns that no
  // code has decode as kInvalid.
  bool Build(const uint8_t* lengths, const SymbolMeanings& meanings, int index_bits);
  // Turns each first-level literal entry whose bits after the code hold a
  // whole second literal's code into an entry for both.
  void PairLiterals();

  // The entry for the next bits of the stream (bit 0 first); bits holds at
  // least kMaxCodeBits of them.
  uint32_t Look(uint64_t bits) const {
    uint32_t entry = entries_[bits & index_mask_];
    if (entry & kSubtable) {
      const uint32_t sub_bits = entry >> kExtraShift & 0xF;
      entry = entries_[(entry >> kValueShift) + ((bits >> index_bits_) & ((1u << sub_bits) - 1))];
    }
    return entry;
  }

 private:
  // Room for the largest first-level table and every second-level table a
  // complete code of 288 symbols can need.
  static constexpr int kMaxIndexBits = 11;
  static constexpr int kCapacity = (1 << kMaxIndexBits) + 1024;

  uint32_t entries_[kCapacity];
  int index_bits_ = 0;
  uint32_t index_mask_ = 0;
};

}  // namespace imageio
