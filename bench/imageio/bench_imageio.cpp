// Decoding speed of our JPEG and PNG readers against libjpeg-turbo and
// libpng on the same 2048x2048 photo-like files, in megapixels per second.
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <png.h>

#include "imageio/jpeg_reader.h"
#include "imageio/png_reader.h"

namespace {

constexpr int kSide = 2048;

// RGBA with smooth shading, edges and noise, like a photo of a textured scene.
std::vector<uint8_t> PhotoLike() {
  std::vector<uint8_t> pixels;
  pixels.reserve(kSide * kSide * 4);
  uint32_t noise = 1;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      for (int c = 0; c < 4; ++c) {
        noise = noise * 1664525u + 1013904223u;
        double v = 128 + 90 * std::sin(x * 0.011 + c * 1.7) * std::cos(y * 0.013 - c);
        if ((x / 97 + y / 61) % 4 == 0) v += 30;
        v += static_cast<int>(noise >> 28) - 8;
        pixels.push_back(static_cast<uint8_t>(std::fmin(255, std::fmax(0, v))));
      }
  return pixels;
}

std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& rgba, int h_sampling, int v_sampling,
                                bool progressive = false) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = cinfo.image_height = kSide;
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_RGBX;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  cinfo.comp_info[0].h_samp_factor = h_sampling;
  cinfo.comp_info[0].v_samp_factor = v_sampling;
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&rgba[static_cast<size_t>(cinfo.next_scanline) * kSide * 4]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> file(out, out + size);
  std::free(out);
  return file;
}

std::vector<uint8_t> EncodePng(const std::vector<uint8_t>& rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = image.height = kSide;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
  std::vector<uint8_t> file(size);
  png_image_write_to_memory(&image, file.data(), &size, 0, rgba.data(), 0, nullptr);
  file.resize(size);
  return file;
}

void DecodeWithLibjpeg(const std::vector<uint8_t>& file, std::vector<uint8_t>& out) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), file.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.dct_method = JDCT_FLOAT;
  cinfo.do_fancy_upsampling = FALSE;
  cinfo.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&cinfo);
  out.resize(static_cast<size_t>(kSide) * kSide * 4);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = &out[static_cast<size_t>(cinfo.output_scanline) * kSide * 4];
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
}

void DecodeWithLibpng(const std::vector<uint8_t>& file, std::vector<uint8_t>& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  png_image_begin_read_from_memory(&image, file.data(), file.size());
  image.format = PNG_FORMAT_BGRA;
  out.resize(PNG_IMAGE_SIZE(image));
  png_image_finish_read(&image, nullptr, out.data(), 0, nullptr);
}

void DecodeWithOurs(imageio::ImageReader& reader, const std::vector<uint8_t>& file) {
  std::vector<uint8_t> bytes = file;
  AFILE f{bytes.data(), bytes.data(), bytes.data() + bytes.size()};
  std::unique_ptr<imageio::Image> image(reader.read(&f));
}

// Megapixels per second of the best of several runs.
double Speed(const std::function<void()>& decode) {
  double best = 1e9;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    decode();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return kSide * static_cast<double>(kSide) / 1e6 / best;
}

void Compare(const char* name, const char* peer, const std::function<void()>& ours, const std::function<void()>& theirs) {
  const double our_speed = Speed(ours);
  const double peer_speed = Speed(theirs);
  std::printf("%-22s ours %7.1f MP/s   %-13s %7.1f MP/s   ours/peer %.2f\n", name, our_speed, peer, peer_speed,
              our_speed / peer_speed);
}

}  // namespace

int main() {
  const std::vector<uint8_t> rgba = PhotoLike();
  const std::vector<uint8_t> jpeg420 = EncodeJpeg(rgba, 2, 2);
  const std::vector<uint8_t> jpeg444 = EncodeJpeg(rgba, 1, 1);
  const std::vector<uint8_t> progressive420 = EncodeJpeg(rgba, 2, 2, true);
  const std::vector<uint8_t> png = EncodePng(rgba);
  std::vector<uint8_t> scratch;
  std::printf("2048x2048 photo-like images; JPEG quality 90 (peer: float IDCT, no fancy upsampling)\n");
  for (const auto& [name, file] : {std::make_pair("JPEG 4:2:0", &jpeg420), std::make_pair("JPEG 4:4:4", &jpeg444),
                                   std::make_pair("JPEG progressive 4:2:0", &progressive420)})
    Compare(
        name, "libjpeg-turbo",
        [&] {
          imageio::ReadJpeg reader;
          DecodeWithOurs(reader, *file);
        },
        [&] { DecodeWithLibjpeg(*file, scratch); });
  Compare(
      "PNG RGBA", "libpng",
      [&] {
        imageio::ReadPng reader;
        DecodeWithOurs(reader, png);
      },
      [&] { DecodeWithLibpng(png, scratch); });
  return 0;
}
