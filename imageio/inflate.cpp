// The zlib stream decoder: stored, fixed and dynamic deflate blocks with their checks.
#include "imageio/inflate.h"

#include <algorithm>
#include <cstdio>

#include "archive/lz_copy.h"
#include "imageio/adler32.h"
#include "imageio/inflate_codes.h"

namespace imageio {
namespace {

constexpr int kLiteralIndexBits = 11;
constexpr int kDistanceIndexBits = 8;
constexpr int kCodeLengthIndexBits = 7;
constexpr int kMaxLiteralCount = 286;
constexpr int kMaxDistanceCount = 30;
constexpr int kFixedLiteralCount = 288;
constexpr int kFixedDistanceCount = 32;
const uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
constexpr size_t kMaxMatch = 258;
// Output room the quick loop needs for one step: a match, or six literals.
constexpr size_t kQuickRoom = kMaxMatch;

// Writes a literal entry's one or two bytes at w; returns the next w.
inline size_t PutLiterals(uint8_t* out, size_t w, uint32_t entry) {
  out[w] = static_cast<uint8_t>(entry >> kValueShift);
  if (!(entry & kSecondLiteral)) return w + 1;
  out[w + 1] = static_cast<uint8_t>(entry >> (kValueShift + 8));
  return w + 2;
}

// The same with room for two bytes at w, without a branch.
inline size_t PutLiteralsQuickly(uint8_t* out, size_t w, uint32_t entry) {
  out[w] = static_cast<uint8_t>(entry >> kValueShift);
  out[w + 1] = static_cast<uint8_t>(entry >> (kValueShift + 8));
  return w + 1 + (entry >> kExtraShift & 1);
}

// A length's or distance's code length plus its extra bits.
inline int Bits(uint32_t entry) { return (entry & kCodeLengthMask) + (entry >> kExtraShift & 0xF); }
// Its base plus the extra bits that follow its code in bits.
inline size_t Value(uint32_t entry, uint64_t bits) {
  const int code_bits = entry & kCodeLengthMask;
  return (entry >> kValueShift) + ((bits >> code_bits) & ((1u << (entry >> kExtraShift & 0xF)) - 1));
}

// The blocks of one stream, written into out up to its capacity.
class BlockDecoder {
 public:
  BlockDecoder(InflateInput& in, uint8_t* out, size_t capacity) : in_(in), out_(out), capacity_(capacity) {}
  size_t written() const { return written_; }

  bool Stored();
  bool Fixed();
  bool Dynamic();

 private:
  enum class Step { kGoOn, kEnd, kFail };
  bool Codes(const HuffmanTable& literals, const HuffmanTable& distances);
  Step DecodeQuickly(const HuffmanTable& literals, const HuffmanTable& distances);
  Step DecodeCarefully(const HuffmanTable& literals, const HuffmanTable& distances);
  bool Room(size_t n) const { return n <= capacity_ - written_; }

  InflateInput& in_;
  uint8_t* out_;
  size_t capacity_;
  size_t written_ = 0;
  HuffmanTable literals_;
  HuffmanTable distances_;
};

bool BlockDecoder::Stored() {
  in_.AlignToByte();
  const uint32_t length = in_.ReadBits(16);
  const uint32_t complement = in_.ReadBits(16);
  if (complement != (~length & 0xFFFF) && length != 0 && complement != 0) return false;
  if (!Room(length)) return false;
  const size_t copied = in_.ReadAlignedBytes(out_ + written_, length);
  written_ += copied;
  if (copied < length) {
    std::printf("%d ERR\n", static_cast<int>(length - copied));
    return false;
  }
  return true;
}

struct FixedTables {
  FixedTables() {
    uint8_t lengths[kFixedLiteralCount + kFixedDistanceCount];
    std::fill(lengths, lengths + 144, 8);
    std::fill(lengths + 144, lengths + 256, 9);
    std::fill(lengths + 256, lengths + 280, 7);
    std::fill(lengths + 280, lengths + kFixedLiteralCount, 8);
    std::fill(lengths + kFixedLiteralCount, lengths + kFixedLiteralCount + kFixedDistanceCount, 5);
    literals.Build(lengths, LiteralLengthMeanings(), kLiteralIndexBits);
    literals.PairLiterals();
    distances.Build(lengths + kFixedLiteralCount, DistanceMeanings(), kDistanceIndexBits);
  }
  HuffmanTable literals;
  HuffmanTable distances;
};

bool BlockDecoder::Fixed() {
  static const FixedTables tables;
  return Codes(tables.literals, tables.distances);
}

bool BlockDecoder::Dynamic() {
  const int literal_count = static_cast<int>(in_.ReadBits(5)) + 257;
  const int distance_count = static_cast<int>(in_.ReadBits(5)) + 1;
  const int code_length_count = static_cast<int>(in_.ReadBits(4)) + 4;
  if (literal_count > kMaxLiteralCount || distance_count > kMaxDistanceCount) return false;
  uint8_t lengths[kFixedLiteralCount + kFixedDistanceCount] = {};
  for (int i = 0; i < code_length_count; ++i) lengths[kCodeLengthOrder[i]] = static_cast<uint8_t>(in_.ReadBits(3));
  // The code-length code lives in the distance table until the lengths are read.
  if (!distances_.Build(lengths, CodeLengthMeanings(), kCodeLengthIndexBits)) return false;
  std::fill(lengths, lengths + 19, 0);

  const int total = literal_count + distance_count;
  for (int i = 0; i < total;) {
    in_.Refill();
    const uint32_t entry = distances_.Look(in_.Peek());
    if (entry & kInvalid) return false;
    in_.Drop(entry & kCodeLengthMask);
    const int symbol = static_cast<int>(entry >> kValueShift);
    if (symbol < 16) {
      lengths[i++] = static_cast<uint8_t>(symbol);
      continue;
    }
    int repeat;
    uint8_t value = 0;
    if (symbol == 16) {
      if (i == 0) return false;
      value = lengths[i - 1];
      repeat = 3 + static_cast<int>(in_.ReadBits(2));
    } else if (symbol == 17) {
      repeat = 3 + static_cast<int>(in_.ReadBits(3));
    } else {
      repeat = 11 + static_cast<int>(in_.ReadBits(7));
    }
    if (i + repeat > total) return false;
    while (repeat--) lengths[i++] = value;
  }
  // Unused symbols (286, 287 and the distances past the count) stay at length 0.
  uint8_t distance_lengths[kFixedDistanceCount] = {};
  std::copy(lengths + literal_count, lengths + total, distance_lengths);
  std::fill(lengths + literal_count, lengths + kFixedLiteralCount, 0);
  if (!literals_.Build(lengths, LiteralLengthMeanings(), kLiteralIndexBits)) return false;
  literals_.PairLiterals();
  if (!distances_.Build(distance_lengths, DistanceMeanings(), kDistanceIndexBits)) return false;
  return Codes(literals_, distances_);
}

// Decodes symbols while neither the input's current buffer nor the output
// room is near its end, with the reader's state in registers. Returns kGoOn
// when the careful path must take the next symbol.
BlockDecoder::Step BlockDecoder::DecodeQuickly(const HuffmanTable& literals, const HuffmanTable& distances) {
  if (capacity_ - written_ <= kQuickRoom) return Step::kGoOn;
  InflateInput::Bits s = in_.Save();
  uint8_t* const out = out_;
  size_t w = written_;
  const size_t last = capacity_ - kQuickRoom;
  Step result = Step::kGoOn;
  while (w <= last && s.CanRefillQuickly()) {
    s.RefillQuickly();
    uint32_t entry = literals.Look(s.bits);
    if (entry & kLiteral) {
      // Three entries, each one or two literals, fit in one refill.
      s.Drop(entry & kCodeLengthMask);
      w = PutLiteralsQuickly(out, w, entry);
      entry = literals.Look(s.bits);
      if (!(entry & kLiteral)) continue;
      s.Drop(entry & kCodeLengthMask);
      w = PutLiteralsQuickly(out, w, entry);
      entry = literals.Look(s.bits);
      if (!(entry & kLiteral)) continue;
      s.Drop(entry & kCodeLengthMask);
      w = PutLiteralsQuickly(out, w, entry);
      continue;
    }
    if (entry & (kEndOfBlock | kInvalid)) {
      s.Drop(entry & kCodeLengthMask);
      result = entry & kInvalid ? Step::kFail : Step::kEnd;
      break;
    }
    const size_t length = Value(entry, s.bits);
    s.Drop(Bits(entry));
    const uint32_t d = distances.Look(s.bits);
    const size_t distance = Value(d, s.bits);
    s.Drop(Bits(d));
    if ((d & kInvalid) || distance > w) {
      result = Step::kFail;
      break;
    }
    CopyMatchQuickly(out + w, distance, length);
    w += length;
  }
  in_.Restore(s);
  written_ = w;
  return result;
}

BlockDecoder::Step BlockDecoder::DecodeCarefully(const HuffmanTable& literals, const HuffmanTable& distances) {
  // One refill covers a length with its extra bits and a distance with its
  // own: at most 15 + 5 + 15 + 13 bits.
  in_.Refill();
  const uint32_t entry = literals.Look(in_.Peek());
  if (entry & kLiteral) {
    in_.Drop(entry & kCodeLengthMask);
    if (in_.exhausted() || !Room(1 + ((entry & kSecondLiteral) != 0))) return Step::kFail;
    written_ = PutLiterals(out_, written_, entry);
    return Step::kGoOn;
  }
  if (entry & (kEndOfBlock | kInvalid)) {
    in_.Drop(entry & kCodeLengthMask);
    return (entry & kInvalid) || in_.exhausted() ? Step::kFail : Step::kEnd;
  }
  const size_t length = Value(entry, in_.Peek());
  in_.Drop(Bits(entry));
  if (in_.exhausted()) return Step::kFail;
  const uint32_t d = distances.Look(in_.Peek());
  const size_t distance = Value(d, in_.Peek());
  in_.Drop(Bits(d));
  if ((d & kInvalid) || distance > written_ || !Room(length)) return Step::kFail;
  // Near the end of the output: byte by byte, nothing past the match.
  for (size_t i = 0; i < length; ++i, ++written_) out_[written_] = out_[written_ - distance];
  return Step::kGoOn;
}

bool BlockDecoder::Codes(const HuffmanTable& literals, const HuffmanTable& distances) {
  for (;;) {
    Step step = DecodeQuickly(literals, distances);
    if (step == Step::kGoOn) step = DecodeCarefully(literals, distances);
    if (step != Step::kGoOn) return step == Step::kEnd;
  }
}

}  // namespace

bool Inflate(InflateInput& in, uint8_t* out, size_t capacity, size_t* written) {
  *written = 0;
  const uint32_t cmf = in.ReadBits(8);
  const uint32_t flg = in.ReadBits(8);
  if ((cmf & 15) != 8 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20)) return false;

  BlockDecoder blocks(in, out, capacity);
  for (bool last = false; !last;) {
    last = in.ReadBits(1);
    const uint32_t type = in.ReadBits(2);
    bool ok = false;
    if (!in.exhausted()) {
      if (type == 0) ok = blocks.Stored();
      if (type == 1) ok = blocks.Fixed();
      if (type == 2) ok = blocks.Dynamic();
    }
    *written = blocks.written();
    if (!ok) return false;
  }

  in.AlignToByte();
  uint32_t expected = 0;
  for (int i = 0; i < 4; ++i) expected = expected << 8 | in.ReadBits(8);
  if (in.exhausted()) return false;
  return expected == Adler32(out, *written);
}

}  // namespace imageio
