// Entropy decoding of one 8 x 8 block of JPEG coefficients: sequential, and the four kinds of progressive scan.
#pragma once

#include <cstdint>

#include "imageio/jpeg_bits.h"
#include "imageio/jpeg_huffman.h"

namespace imageio {

// Natural (row-major) index of each zigzag position.
extern const uint8_t kJpegZigzag[64];

// Each decoder adds what its scan holds to `block`, 64 coefficients in natural
// order, and throws when the data is corrupt or cut short. The DC decoders
// update the component's predictor; the AC decoders of progressive scans keep
// the run of blocks that have no more coefficients in the band, `eob_run`.

// All 64 coefficients into a block of zeros.
void DecodeSequentialBlock(JpegBitReader& bits, const JpegHuffmanTable& dc, const JpegHuffmanTable& ac,
                           int32_t& predictor, int16_t* block);

// The DC coefficient's bits from `low_bit` up.
void DecodeFirstDc(JpegBitReader& bits, const JpegHuffmanTable& dc, int low_bit, int32_t& predictor, int16_t* block);
// One more bit, `low_bit`, of the DC coefficient.
void RefineDc(JpegBitReader& bits, int low_bit, int16_t* block);
// Coefficients `first` to `last` (zigzag positions, 1 to 63) from bit `low_bit` up.
void DecodeFirstAc(JpegBitReader& bits, const JpegHuffmanTable& ac, int first, int last, int low_bit,
                   int32_t& eob_run, int16_t* block);
// One more bit, `low_bit`, of coefficients `first` to `last`, and those that become non-zero with it.
void RefineAc(JpegBitReader& bits, const JpegHuffmanTable& ac, int first, int last, int low_bit, int32_t& eob_run,
              int16_t* block);

}  // namespace imageio
