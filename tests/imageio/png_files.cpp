#include "png_files.h"

#include <png.h>
#include <zlib.h>

#include <cstring>
#include <stdexcept>

namespace {

int Channels(int colour_type) {
  switch (colour_type) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

size_t RowBytes(const PngLayout& s) { return (static_cast<size_t>(s.width) * Channels(s.colour_type) * s.depth + 7) / 8; }

void PushBigEndian(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void ThrowOnError(png_structp, png_const_charp message) { throw std::runtime_error(message); }

}  // namespace

std::vector<uint8_t> PackedRows(const PngLayout& s) {
  std::vector<uint8_t> rows(RowBytes(s) * s.height);
  uint32_t noise = 7;
  for (uint32_t y = 0; y < s.height; ++y)
    for (size_t i = 0; i < RowBytes(s); ++i) {
      noise = noise * 1103515245u + 12345u;
      // Smooth ramps with some noise, so that every filter has work to do.
      rows[y * RowBytes(s) + i] = static_cast<uint8_t>(i * 3 + y * 5 + ((noise >> 16) & 7));
    }
  if (s.colour_type == 3 && s.depth == 8)  // indices inside the palette
    for (uint8_t& index : rows) index %= s.palette_entries;
  return rows;
}

std::vector<uint8_t> WritePngWithLibpng(const PngLayout& s, const std::vector<uint8_t>& rows) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, ThrowOnError, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t size) {
        auto* v = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
        v->insert(v->end(), data, data + size);
      },
      nullptr);
  png_set_IHDR(png, info, s.width, s.height, s.depth, s.colour_type,
               s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette(s.palette_entries);
  for (int i = 0; i < s.palette_entries; ++i)
    palette[i] = {static_cast<png_byte>(i * 37), static_cast<png_byte>(255 - i), static_cast<png_byte>(i * i)};
  if (s.colour_type == 3) png_set_PLTE(png, info, palette.data(), s.palette_entries);
  if (s.filters >= 0) png_set_filter(png, 0, s.filters);
  png_set_compression_level(png, s.compression);
  png_set_compression_buffer_size(png, s.idat_size);
  std::vector<png_bytep> row_pointers(s.height);
  for (uint32_t y = 0; y < s.height; ++y) row_pointers[y] = const_cast<png_bytep>(&rows[y * RowBytes(s)]);
  png_set_rows(png, info, row_pointers.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> DecodeWithLibpng(const std::vector<uint8_t>& bytes) {
  struct Source {
    const std::vector<uint8_t>* bytes;
    size_t at;
  } source{&bytes, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ThrowOnError, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_read_fn(png, &source, [](png_structp p, png_bytep data, png_size_t size) {
    auto* src = static_cast<Source*>(png_get_io_ptr(p));
    if (src->at + size > src->bytes->size()) png_error(p, "read past the end");
    std::memcpy(data, src->bytes->data() + src->at, size);
    src->at += size;
  });
  png_read_info(png, info);
  png_set_palette_to_rgb(png);
  png_set_expand_gray_1_2_4_to_8(png);
  png_set_strip_16(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t row_bytes = png_get_rowbytes(png, info);
  const uint32_t height = png_get_image_height(png, info);
  std::vector<uint8_t> pixels(row_bytes * height);
  std::vector<png_bytep> rows(height);
  for (uint32_t y = 0; y < height; ++y) rows[y] = &pixels[y * row_bytes];
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  return pixels;
}

std::vector<uint8_t> SamplesOf(imageio::Image* image, int colour_type) {
  using namespace imageio;
  std::vector<uint8_t> out;
  const size_t count = static_cast<size_t>(image->width()) * image->height();
  if (auto* grey = dynamic_cast<ImageData<Grayscale8>*>(image)) {
    for (size_t i = 0; i < count; ++i) out.push_back(grey->data()[i].value);
  } else if (auto* grey_alpha = dynamic_cast<ImageData<GrayscaleAlpha8>*>(image)) {
    for (size_t i = 0; i < count; ++i) out.insert(out.end(), {grey_alpha->data()[i].value, grey_alpha->data()[i].alpha});
  } else if (auto* rgba = dynamic_cast<ImageData<RGBA8>*>(image)) {
    for (size_t i = 0; i < count; ++i) {
      const RGBA8& p = rgba->data()[i];
      out.insert(out.end(), {p.red, p.green, p.blue});
      if (colour_type == 6) out.push_back(p.alpha);
    }
  } else if (auto* indexed = dynamic_cast<PaletteImage*>(image)) {
    for (size_t i = 0; i < count; ++i) {
      const RGB8& c = indexed->palette()[indexed->indices()[i]];
      out.insert(out.end(), {c.red, c.green, c.blue});
    }
  }
  return out;
}

std::vector<uint8_t> Chunk(const char* type, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out;
  PushBigEndian(out, static_cast<uint32_t>(data.size()));
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PushBigEndian(out, static_cast<uint32_t>(crc32(crc32(0, out.data() + 4, 4), data.data(), data.size())));
  return out;
}

std::vector<uint8_t> Header(uint32_t width, uint32_t height, int depth, int colour_type, int interlace) {
  std::vector<uint8_t> data;
  PushBigEndian(data, width);
  PushBigEndian(data, height);
  data.insert(data.end(), {static_cast<uint8_t>(depth), static_cast<uint8_t>(colour_type), 0, 0,
                           static_cast<uint8_t>(interlace)});
  return Chunk("IHDR", data);
}

std::vector<uint8_t> PngFile(const std::vector<std::vector<uint8_t>>& chunks) {
  std::vector<uint8_t> out = {137, 80, 78, 71, 13, 10, 26, 10};
  for (const auto& c : chunks) out.insert(out.end(), c.begin(), c.end());
  return out;
}

std::vector<uint8_t> Zlib(const std::vector<uint8_t>& data, int level, int strategy) {
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, 15, 8, strategy);
  std::vector<uint8_t> out(deflateBound(&z, data.size()));
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

int CountChunks(const std::vector<uint8_t>& png, const char* type) {
  int count = 0;
  for (size_t at = 8; at + 12 <= png.size();) {
    const uint32_t length = png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    if (std::memcmp(&png[at + 4], type, 4) == 0) ++count;
    at += 12 + length;
  }
  return count;
}
