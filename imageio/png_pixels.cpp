// Unfiltering PNG scanlines, Adam7 passes and 8-bit samples for every colour type.
#include "imageio/png_pixels.h"

#include <algorithm>
#include <memory>

#include "imageio/png_filters.h"

namespace imageio {
namespace {

struct Pass {
  uint32_t x0, y0, dx, dy;
};

const Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                        {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
const Pass kWholeImage = {0, 0, 1, 1};

int Channels(int colour_type) {
  switch (colour_type) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

uint32_t PassSize(uint32_t size, uint32_t start, uint32_t step) { return size > start ? (size - start + step - 1) / step : 0; }

size_t RowBytes(const PngFormat& f, uint32_t pixels) {
  return (static_cast<size_t>(pixels) * Channels(f.colour_type) * f.depth + 7) / 8;
}

// Sample i of a row, reduced to 8 bits (the high byte of 16-bit samples);
// samples of 1, 2 or 4 bits are returned as they are.
uint8_t Sample(const uint8_t* row, size_t i, int depth) {
  switch (depth) {
    case 8: return row[i];
    case 16: return row[2 * i];
    default: {
      const size_t bit = i * depth;
      const int shift = 8 - depth - static_cast<int>(bit & 7);
      return (row[bit >> 3] >> shift) & ((1 << depth) - 1);
    }
  }
}

struct Passes {
  const Pass* first;
  int count;
};

Passes PassesOf(const PngFormat& f) { return f.interlaced ? Passes{kAdam7, 7} : Passes{&kWholeImage, 1}; }

// Unfilters every pass's rows and hands each pixel's 8-bit samples to
// store(pixel index, samples).
template <typename Store>
void DecodePixels(const PngFormat& f, uint8_t* scanlines, Store store) {
  const int channels = Channels(f.colour_type);
  const int unit = (channels * f.depth + 7) / 8;
  const Passes passes = PassesOf(f);
  uint8_t samples[4];
  for (int p = 0; p < passes.count; ++p) {
    const Pass& pass = passes.first[p];
    const uint32_t width = PassSize(f.width, pass.x0, pass.dx);
    const uint32_t height = PassSize(f.height, pass.y0, pass.dy);
    if (width == 0 || height == 0) continue;
    const size_t row_bytes = RowBytes(f, width);
    const uint8_t* previous = nullptr;
    for (uint32_t y = 0; y < height; ++y) {
      uint8_t* row = scanlines + 1;
      UnfilterRow(scanlines[0], row, previous, row_bytes, unit);
      const size_t out_row = static_cast<size_t>(pass.y0 + y * pass.dy) * f.width;
      for (uint32_t x = 0; x < width; ++x) {
        for (int c = 0; c < channels; ++c) samples[c] = Sample(row, static_cast<size_t>(x) * channels + c, f.depth);
        store(out_row + pass.x0 + x * pass.dx, samples);
      }
      previous = row;
      scanlines += row_bytes + 1;
    }
  }
}

// 8-bit samples without interlacing: each row is unfiltered and converted
// straight from its bytes. A row is converted only after the row below it
// has been unfiltered against it, so pixels may lie over the scanlines
// (from their start): each pixel is then written below the bytes still to
// be read.
template <typename T, typename Convert>
void DecodeWholeRows(const PngFormat& f, uint8_t* scanlines, T* pixels, Convert convert) {
  const int channels = Channels(f.colour_type);
  const size_t row_bytes = RowBytes(f, f.width);
  const size_t stride = row_bytes + 1;
  auto convert_row = [&](uint32_t y) {
    const uint8_t* row = scanlines + y * stride + 1;
    T* out = pixels + static_cast<size_t>(y) * f.width;
    for (uint32_t x = 0; x < f.width; ++x) out[x] = convert(row + static_cast<size_t>(x) * channels);
  };
  for (uint32_t y = 0; y < f.height; ++y) {
    uint8_t* row = scanlines + y * stride + 1;
    UnfilterRow(row[-1], row, y > 0 ? row - stride : nullptr, row_bytes, channels);
    if (y > 0) convert_row(y - 1);
  }
  if (f.height > 0) convert_row(f.height - 1);
}

// Fills the scanlines and decodes them into a new pixel array. Where a
// pixel takes as many bytes as its samples in the row (8-bit samples, no
// interlacing, not RGB), the pixel array is the scanlines' own buffer.
template <typename T, typename Convert>
T* DecodeTo(const PngFormat& f, const FillScanlines& fill, Convert convert) {
  const size_t size = PngFilteredSize(f);
  const size_t pixels = static_cast<size_t>(f.width) * f.height;
  if (!f.interlaced && f.depth == 8 && sizeof(T) == static_cast<size_t>(Channels(f.colour_type))) {
    std::unique_ptr<T[]> buffer(new T[std::max(pixels, (size + sizeof(T) - 1) / sizeof(T))]);
    uint8_t* bytes = reinterpret_cast<uint8_t*>(buffer.get());
    fill(bytes, size);
    DecodeWholeRows(f, bytes, buffer.get(), convert);
    return buffer.release();
  }
  std::unique_ptr<uint8_t[]> scanlines(new uint8_t[size]);
  fill(scanlines.get(), size);
  std::unique_ptr<T[]> out(new T[pixels]);
  if (!f.interlaced && f.depth == 8)
    DecodeWholeRows(f, scanlines.get(), out.get(), convert);
  else
    DecodePixels(f, scanlines.get(), [&](size_t i, const uint8_t* s) { out[i] = convert(s); });
  return out.release();
}

}  // namespace

size_t PngFilteredSize(const PngFormat& f) {
  const Passes passes = PassesOf(f);
  size_t total = 0;
  for (int p = 0; p < passes.count; ++p) {
    const Pass& pass = passes.first[p];
    const uint32_t width = PassSize(f.width, pass.x0, pass.dx);
    const uint32_t height = PassSize(f.height, pass.y0, pass.dy);
    if (width && height) total += height * (RowBytes(f, width) + 1);
  }
  return total;
}

Image* BuildPngImage(const PngFormat& f, const FillScanlines& fill, std::unique_ptr<RGB8[]> palette) {
  const int w = f.width;
  const int h = f.height;
  switch (f.colour_type) {
    case 0: {
      const int scale = f.depth < 8 ? 255 / ((1 << f.depth) - 1) : 1;
      return new ImageData<Grayscale8>(
          w, h, DecodeTo<Grayscale8>(f, fill, [scale](const uint8_t* s) { return Grayscale8{uint8_t(s[0] * scale)}; }));
    }
    case 2:
      return new ImageData<RGBA8>(
          w, h, DecodeTo<RGBA8>(f, fill, [](const uint8_t* s) { return RGBA8(s[0], s[1], s[2], 0); }));
    case 4:
      return new ImageData<GrayscaleAlpha8>(
          w, h, DecodeTo<GrayscaleAlpha8>(f, fill, [](const uint8_t* s) { return GrayscaleAlpha8{s[0], s[1]}; }));
    case 6:
      return new ImageData<RGBA8>(
          w, h, DecodeTo<RGBA8>(f, fill, [](const uint8_t* s) { return RGBA8(s[0], s[1], s[2], s[3]); }));
    default: {
      uint8_t* indices = DecodeTo<uint8_t>(f, fill, [](const uint8_t* s) { return s[0]; });
      return new PaletteImage(w, h, indices, palette.release());
    }
  }
}

}  // namespace imageio
