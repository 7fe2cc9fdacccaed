// Making and reading the readers' test files with cjpeg, djpeg, libpng and zlib.
#include "files.h"

#include <png.h>
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "archive/afile.h"

Bytes ReadBinary(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBinary(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }

static double PictureSample(Picture picture, int x, int y, int c, uint32_t noise) {
  switch (picture) {
    case Picture::kPhoto: {
      double v = 128 + 70 * std::sin(x * 0.045 + c) * std::cos(y * 0.06 - c * 0.5);
      if ((x / 23 + y / 17) % 3 == 0) v += 40 - 25 * c;
      return v + static_cast<int>(noise >> 28) - 8;
    }
    case Picture::kBrightSky: {
      const bool cloud = std::sin(x * 0.11) * std::cos(y * 0.17) > 0.55;
      return cloud ? 255 : 255 - (2 - c) * (40 - y * 0.3) + static_cast<int>(noise >> 29);
    }
    case Picture::kTextOnColour: {
      const bool stroke = (x % 9 < 2 && y % 13 < 10) || (y % 13 == 4 && x % 9 < 7);
      if (stroke) return (x / 9 + y / 13) % 2 ? 255 : 0;
      return (c == (x / 27 + y / 19) % 3) ? 230 : 20;
    }
    case Picture::kPrimaries: {
      static const int kTiles[8][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0},
                                       {0, 255, 255}, {255, 0, 255}, {0, 0, 0}, {255, 255, 255}};
      return kTiles[(x / 5 + 3 * (y / 6)) % 8][c];
    }
  }
  return 0;
}

Pnm Cjpeg(const std::string& stem, int width, int height, const std::string& options, Picture picture) {
  std::string pnm = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  uint32_t noise = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c) {
        noise = noise * 1664525u + 1013904223u;
        const double v = PictureSample(picture, x, y, c, noise);
        pnm.push_back(static_cast<char>(std::lround(std::fmin(255, std::fmax(0, v)))));
      }
  WriteBinary(stem + ".pnm", Bytes(pnm.begin(), pnm.end()));
  if (!Shell("cjpeg " + options + " -outfile " + stem + ".jpg " + stem + ".pnm"))
    throw std::runtime_error("cjpeg failed on " + stem);
  return Djpeg(stem + ".jpg");
}

Pnm Djpeg(const std::string& jpeg_path) {
  const std::string out = jpeg_path + ".ref";
  if (!Shell("djpeg -dct float -nosmooth -pnm -outfile " + out + " " + jpeg_path))
    throw std::runtime_error("djpeg failed on " + jpeg_path);
  const Bytes bytes = ReadBinary(out);
  Pnm p;
  int kind = 0, start = 0;
  std::sscanf(std::string(bytes.begin(), bytes.end()).c_str(), "P%d %d %d 255%n", &kind, &p.width, &p.height, &start);
  p.channels = kind == 5 ? 1 : kind == 6 ? 3 : 0;
  if (start) p.samples.assign(bytes.begin() + start + 1, bytes.end());
  if (!p.channels || p.samples.size() != size_t(p.width) * p.height * p.channels) throw std::runtime_error(jpeg_path);
  return p;
}

std::unique_ptr<imageio::Image> DecodeBytes(imageio::ImageReader& reader, Bytes bytes, std::string* error) {
  AFILE file{bytes.data(), bytes.data(), bytes.data() + bytes.size()};
  try {
    return std::unique_ptr<imageio::Image>(reader.read(&file));
  } catch (const imageio::ImageIOException& e) {
    if (error) *error = e.message();
  }
  return nullptr;
}

std::string DecodeError(imageio::ImageReader& reader, const Bytes& bytes) {
  std::string error;
  DecodeBytes(reader, bytes, &error);
  return error;
}

static size_t RowBytes(const PngLayout& s) {
  const int channels[] = {1, 0, 3, 1, 2, 0, 4};
  return (size_t(s.width) * channels[s.colour_type] * s.depth + 7) / 8;
}

static void PushBigEndian(Bytes& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

static void ThrowOnError(png_structp, png_const_charp message) { throw std::runtime_error(message); }

Bytes PackedRows(const PngLayout& s) {
  Bytes rows(RowBytes(s) * s.height);
  uint32_t noise = 7;
  for (uint32_t y = 0; y < s.height; ++y)
    for (size_t i = 0; i < RowBytes(s); ++i) {
      noise = noise * 1103515245u + 12345u;
      rows[y * RowBytes(s) + i] = static_cast<uint8_t>(i * 3 + y * 5 + ((noise >> 16) & 7));
    }
  if (s.colour_type == 3 && s.depth == 8)
    for (uint8_t& index : rows) index %= s.palette_entries;
  return rows;
}

Bytes WritePngWithLibpng(const PngLayout& s, const Bytes& rows) {
  char* buffer = nullptr;
  size_t size = 0;
  FILE* file = open_memstream(&buffer, &size);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, ThrowOnError, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, s.width, s.height, s.depth, s.colour_type, s.interlaced ? PNG_INTERLACE_ADAM7 : 0, 0, 0);
  std::vector<png_color> palette;
  for (int i = 0; i < s.palette_entries; ++i) palette.push_back({png_byte(i * 37), png_byte(255 - i), png_byte(i * i)});
  if (s.colour_type == 3) png_set_PLTE(png, info, palette.data(), s.palette_entries);
  if (s.filters >= 0) png_set_filter(png, 0, s.filters);
  png_set_compression_level(png, s.compression);
  png_set_compression_buffer_size(png, s.idat_size);
  std::vector<png_bytep> row_pointers(s.height);
  for (uint32_t y = 0; y < s.height; ++y) row_pointers[y] = const_cast<png_bytep>(&rows[y * RowBytes(s)]);
  png_set_rows(png, info, row_pointers.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

Bytes DecodeWithLibpng(const Bytes& bytes, bool rgba) {
  FILE* file = fmemopen(const_cast<uint8_t*>(bytes.data()), bytes.size(), "rb");
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ThrowOnError, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_read_info(png, info);
  png_set_palette_to_rgb(png);
  png_set_expand_gray_1_2_4_to_8(png);
  png_set_strip_16(png);
  png_set_interlace_handling(png);
  if (rgba) png_set_gray_to_rgb(png);
  if (rgba) png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_read_update_info(png, info);
  const size_t row_bytes = png_get_rowbytes(png, info);
  const uint32_t height = png_get_image_height(png, info);
  Bytes pixels(row_bytes * height);
  std::vector<png_bytep> rows(height);
  for (uint32_t y = 0; y < height; ++y) rows[y] = &pixels[y * row_bytes];
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return pixels;
}

Bytes SamplesOf(imageio::Image* image, int colour_type) {
  using namespace imageio;
  Bytes out;
  const size_t count = size_t(image->width()) * image->height();
  for (size_t i = 0; i < count; ++i)
    if (auto* grey = dynamic_cast<ImageData<Grayscale8>*>(image)) {
      out.push_back(grey->data()[i].value);
    } else if (auto* grey_alpha = dynamic_cast<ImageData<GrayscaleAlpha8>*>(image)) {
      out.insert(out.end(), {grey_alpha->data()[i].value, grey_alpha->data()[i].alpha});
    } else if (auto* rgba = dynamic_cast<ImageData<RGBA8>*>(image)) {
      const RGBA8& p = rgba->data()[i];
      out.insert(out.end(), {p.red, p.green, p.blue});
      if (colour_type == 6) out.push_back(p.alpha);
    } else if (auto* indexed = dynamic_cast<PaletteImage*>(image)) {
      const RGB8& c = indexed->palette()[indexed->indices()[i]];
      out.insert(out.end(), {c.red, c.green, c.blue});
    }
  return out;
}

Bytes Chunk(const char* type, const Bytes& data) {
  Bytes out;
  PushBigEndian(out, static_cast<uint32_t>(data.size()));
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PushBigEndian(out, static_cast<uint32_t>(crc32(crc32(0, out.data() + 4, 4), data.data(), data.size())));
  return out;
}

Bytes Header(uint32_t width, uint32_t height, int depth, int colour_type, int interlace) {
  Bytes data;
  PushBigEndian(data, width), PushBigEndian(data, height);
  data.insert(data.end(), {uint8_t(depth), uint8_t(colour_type), 0, 0, uint8_t(interlace)});
  return Chunk("IHDR", data);
}

Bytes PngFile(const std::vector<Bytes>& chunks) {
  Bytes out = {137, 80, 78, 71, 13, 10, 26, 10};
  for (const auto& c : chunks) out.insert(out.end(), c.begin(), c.end());
  return out;
}

Bytes Zlib(const Bytes& data, int level, int strategy) {
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, 15, 8, strategy);
  Bytes out(deflateBound(&z, data.size()));
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}
