// Restart markers in the JPEG bit reader's data.
#include "imageio/jpeg_bits.h"

namespace imageio {
namespace {

constexpr int kFirstRestartMarker = 0xD0;

}  // namespace

void JpegBitReader::Restart(int number) {
  CheckNotPastEnd();
  // Bytes left before the marker are dropped, as the bits left in the buffer are.
  while (pos_ < end_ && (*pos_ != JpegBitReader::kMarkerPrefix || pos_ + 1 == end_ || pos_[1] == 0)) ++pos_;
  while (pos_ < end_ && *pos_ == JpegBitReader::kMarkerPrefix) ++pos_;
  if (pos_ == end_) throw ImageIOException("Image data ends inside the scan.\n");
  if (*pos_ != kFirstRestartMarker + number) throw ImageIOException("Restart marker not found.\n");
  ++pos_;
  bits_ = 0;
  count_ = 0;
  padding_bits_ = 0;
}

}  // namespace imageio
