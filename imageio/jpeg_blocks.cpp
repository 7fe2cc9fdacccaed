// The block decoders of sequential and progressive JPEG scans.
#include "imageio/jpeg_blocks.h"

namespace imageio {

const uint8_t kJpegZigzag[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

namespace {

// An AC symbol's zero run in its high four bits, the value's size in the low.
constexpr int kRunOf16Zeros = 15;  // with size 0: sixteen zero coefficients
constexpr int kLastCoefficient = 63;

// Bad data that could be the zero bits after a cut: reported as the cut.
[[noreturn]] void ThrowCorruptData(bool past_end) {
  if (past_end) throw ImageIOException("Image data ends inside the scan.\n");
  throw ImageIOException("Corrupt JPEG data.\n");
}

int16_t Coefficient(uint32_t value) { return static_cast<int16_t>(value); }

int32_t AddDifference(int32_t predictor, int difference) {
  return static_cast<int32_t>(static_cast<uint32_t>(predictor) + static_cast<uint32_t>(difference));
}

// The run of blocks an end-of-band symbol with this run field stands for, this block included.
int32_t EobRun(JpegBitReader& bits, int run_field) { return (1 << run_field) + bits.ReadBits(run_field); }

// Adds one bit, `bit_value`, to a coefficient that is already non-zero, away from zero.
void RefineNonZero(JpegBitReader& bits, int bit_value, int16_t& coefficient) {
  if (bits.ReadBit() && (coefficient & bit_value) == 0)
    coefficient = Coefficient(static_cast<uint32_t>(coefficient + (coefficient >= 0 ? bit_value : -bit_value)));
}

[[gnu::always_inline]] inline void DecodeSequentialCoefficients(JpegBitReader& bits, const JpegHuffmanTable& dc,
                                                                const JpegHuffmanTable& ac, int32_t& predictor,
                                                                int16_t* block) {
  predictor = AddDifference(predictor, bits.ReceiveValue(bits.DecodeSymbol(dc) & 15));
  block[0] = Coefficient(static_cast<uint32_t>(predictor));
  for (int k = 1; k <= kLastCoefficient; ++k) {
    const int short_entry = bits.DecodeShortRunAndValue(ac);
    if (short_entry != 0) {
      k += (short_entry >> 4) & 15;
      if (k > kLastCoefficient) ThrowCorruptData(bits.PastEnd());
      block[kJpegZigzag[k]] = static_cast<int16_t>(short_entry >> 8);
      continue;
    }
    const int symbol = bits.DecodeSymbol(ac);
    const int run = symbol >> 4;
    const int size = symbol & 15;
    if (size == 0) {
      if (run != kRunOf16Zeros) return;  // end of block
      k += 15;
      continue;
    }
    k += run;
    if (k > kLastCoefficient) ThrowCorruptData(bits.PastEnd());
    block[kJpegZigzag[k]] = Coefficient(static_cast<uint32_t>(bits.ReceiveValue(size)));
  }
}

}  // namespace

void DecodeSequentialBlock(JpegBitReader& reader, const JpegHuffmanTable& dc, const JpegHuffmanTable& ac,
                           int32_t& predictor, int16_t* block) {
  // A copy the compiler keeps in registers while the block decodes, put back after it.
  JpegBitReader bits = reader;
  DecodeSequentialCoefficients(bits, dc, ac, predictor, block);
  reader = bits;
}

void DecodeFirstDc(JpegBitReader& bits, const JpegHuffmanTable& dc, int low_bit, int32_t& predictor, int16_t* block) {
  predictor = AddDifference(predictor, bits.ReceiveValue(bits.DecodeSymbol(dc) & 15));
  block[0] = Coefficient(static_cast<uint32_t>(predictor) << low_bit);
}

void RefineDc(JpegBitReader& bits, int low_bit, int16_t* block) {
  if (bits.ReadBit()) block[0] = Coefficient(static_cast<uint32_t>(block[0]) | 1u << low_bit);
}

void DecodeFirstAc(JpegBitReader& bits, const JpegHuffmanTable& ac, int first, int last, int low_bit,
                   int32_t& eob_run, int16_t* block) {
  if (eob_run > 0) {
    --eob_run;
    return;
  }
  for (int k = first; k <= last; ++k) {
    const int symbol = bits.DecodeSymbol(ac);
    const int run = symbol >> 4;
    const int size = symbol & 15;
    if (size == 0) {
      if (run != kRunOf16Zeros) {
        eob_run = EobRun(bits, run) - 1;
        return;
      }
      k += 15;
      continue;
    }
    k += run;
    if (k > last) ThrowCorruptData(bits.PastEnd());
    block[kJpegZigzag[k]] = Coefficient(static_cast<uint32_t>(bits.ReceiveValue(size)) << low_bit);
  }
}

void RefineAc(JpegBitReader& bits, const JpegHuffmanTable& ac, int first, int last, int low_bit, int32_t& eob_run,
              int16_t* block) {
  const int bit_value = 1 << low_bit;
  int k = first;
  if (eob_run == 0) {
    for (; k <= last; ++k) {
      const int symbol = bits.DecodeSymbol(ac);
      int run = symbol >> 4;
      const int size = symbol & 15;
      int new_value = 0;
      if (size != 0) {
        if (size != 1) ThrowCorruptData(bits.PastEnd());  // a refinement makes new coefficients of one bit only
        new_value = bits.ReadBit() ? bit_value : -bit_value;
      } else if (run != kRunOf16Zeros) {
        eob_run = EobRun(bits, run);
        break;
      }
      // Skips `run` zero coefficients, refining the non-zero ones passed, and stops on the next zero one.
      for (; k <= last; ++k) {
        int16_t& coefficient = block[kJpegZigzag[k]];
        if (coefficient != 0) {
          RefineNonZero(bits, bit_value, coefficient);
        } else if (run-- == 0) {
          break;
        }
      }
      if (new_value != 0) {
        if (k > last) ThrowCorruptData(bits.PastEnd());
        block[kJpegZigzag[k]] = static_cast<int16_t>(new_value);
      }
    }
  }
  if (eob_run > 0) {
    for (; k <= last; ++k) {
      int16_t& coefficient = block[kJpegZigzag[k]];
      if (coefficient != 0) RefineNonZero(bits, bit_value, coefficient);
    }
    --eob_run;
  }
}

}  // namespace imageio
