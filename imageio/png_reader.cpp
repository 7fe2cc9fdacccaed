// The PNG reader: signature, chunks in order, IDAT inflated and unfiltered into an image.
#include "imageio/png_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "imageio/inflate.h"
#include "imageio/png_pixels.h"

namespace imageio {
namespace {

constexpr uint32_t kMaxSide = 16384;
// Deflate's best case: a longest match (258 bytes) from two 1-bit codes.
constexpr size_t kMaxInflateRatio = 1032;
const uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

uint32_t ReadBigEndian32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

bool LegalDepth(int colour_type, int depth) {
  switch (colour_type) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    default: return depth == 8 || depth == 16;
  }
}

class PngDecoder {
 public:
  explicit PngDecoder(AFILE* file) : file_(file) {}
  Image* Decode();
  int colour_type() const { return format_.colour_type; }

 private:
  void ReadHeader();
  void ReadPalette(uint32_t length);
  void ReadData(uint32_t length);
  Image* BuildImage();
  int64_t BytesLeft() const { return file_size_ - aftell(file_); }

  AFILE* file_;
  int64_t file_size_ = 0;
  PngFormat format_;
  bool header_read_ = false;
  // The IDAT chunks' bytes, where they lie in the file.
  std::vector<InflateInput::Buffer> data_;
  size_t data_size_ = 0;
  std::unique_ptr<RGB8[]> palette_;
};

void PngDecoder::ReadHeader() {
  uint8_t h[13] = {};
  afread(h, 1, sizeof h, file_);
  format_.width = ReadBigEndian32(h);
  format_.height = ReadBigEndian32(h + 4);
  format_.depth = h[8];
  format_.colour_type = h[9];
  format_.interlaced = h[12] == 1;
  header_read_ = true;
  if (h[10] != 0) throw ImageIOException("Unknown compression type");
  if (h[11] != 0) throw ImageIOException("Unknown filter type");
  const int depth = format_.depth;
  switch (format_.colour_type) {
    case 0: break;
    case 2: if (depth < 8) throw ImageIOException("bitdepth < 8, but RGB-data"); break;
    case 3: if (depth > 8) throw ImageIOException("bitdepth > 8, but indexed data"); break;
    case 4: if (depth < 8) throw ImageIOException("bitdepth < 8, but grayscale data"); break;
    case 6: if (depth < 8) throw ImageIOException("bitdepth < 8, but RGBA-data"); break;
    default: throw ImageIOException("Unknown image type.");
  }
  if (!LegalDepth(format_.colour_type, depth)) throw ImageIOException("Unsupported bit depth.");
  if (h[12] > 1) throw ImageIOException("Unknown interlace method.");
  if (format_.width > kMaxSide || format_.height > kMaxSide)
    throw ImageIOException("Image is larger than 16384 pixels.");
}

void PngDecoder::ReadPalette(uint32_t length) {
  if (length % 3 != 0) throw ImageIOException("Palette size not 0 mod 3.");
  // Indices past the file's entries give black.
  palette_.reset(new RGB8[256]());
  const uint32_t entries = std::min<uint32_t>(length / 3, 256);
  afread(palette_.get(), sizeof(RGB8), entries, file_);
}

void PngDecoder::ReadData(uint32_t length) {
  const size_t size = static_cast<size_t>(std::min<int64_t>(length, BytesLeft()));
  data_.push_back({file_->pos, size});
  data_size_ += size;
}

Image* PngDecoder::BuildImage() {
  if (!header_read_) throw ImageIOException("No image header.");
  if (format_.colour_type == 3 && !palette_) throw ImageIOException("No palette for indexed data.");
  // No stream of this many bytes inflates to that much.
  if (PngFilteredSize(format_) / kMaxInflateRatio > data_size_) throw ImageIOException("Uncompression failed.");
  auto inflate = [this](uint8_t* bytes, size_t size) {
    InflateInput input(data_);
    size_t written = 0;
    if (!Inflate(input, bytes, size, &written) || written != size) throw ImageIOException("Uncompression failed.");
  };
  return BuildPngImage(format_, inflate, format_.colour_type == 3 ? std::move(palette_) : nullptr);
}

Image* PngDecoder::Decode() {
  const int32_t start = aftell(file_);
  afseek(file_, 0, 2);
  file_size_ = aftell(file_);
  afseek(file_, start, 0);

  uint8_t signature[8] = {};
  afread(signature, 1, 8, file_);
  if (std::memcmp(signature, kSignature, 8) != 0) throw ImageIOException("Incorrect signature");

  for (;;) {
    uint8_t head[8] = {};
    afread(head, 1, 8, file_);
    const uint32_t length = ReadBigEndian32(head);
    const int64_t crc_position = aftell(file_) + static_cast<int64_t>(length);
    if (std::memcmp(head + 4, "IHDR", 4) == 0) {
      ReadHeader();
    } else if (std::memcmp(head + 4, "IDAT", 4) == 0) {
      ReadData(length);
    } else if (std::memcmp(head + 4, "PLTE", 4) == 0) {
      ReadPalette(length);
    } else if (std::memcmp(head + 4, "IEND", 4) == 0) {
      return BuildImage();
    }
    if (crc_position >= file_size_)
      afseek(file_, 0, 2);
    else
      afseek(file_, static_cast<int32_t>(crc_position), 0);
    uint8_t crc[4];
    afread(crc, 1, 4, file_);
    if (afeof(file_)) throw ImageIOException("End of file, but no image data.");
  }
}

}  // namespace

Image* ReadPng::read(AFILE* file) {
  PngDecoder decoder(file);
  Image* image = decoder.Decode();
  colour_type_ = decoder.colour_type();
  return image;
}

}  // namespace imageio
