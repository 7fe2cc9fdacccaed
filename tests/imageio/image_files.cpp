#include "image_files.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "archive/afile.h"

std::vector<uint8_t> ReadBinary(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBinary(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }

Pnm ReadPnm(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadBinary(path);
  std::istringstream header(std::string(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 64)));
  std::string magic;
  int max_value = 0;
  Pnm picture;
  header >> magic >> picture.width >> picture.height >> max_value;
  if ((magic != "P5" && magic != "P6") || max_value != 255) throw std::runtime_error("not an 8-bit PNM: " + path);
  picture.channels = magic == "P5" ? 1 : 3;
  const size_t size = static_cast<size_t>(picture.width) * picture.height * picture.channels;
  const size_t start = static_cast<size_t>(header.tellg()) + 1;
  if (bytes.size() < start + size) throw std::runtime_error("short PNM: " + path);
  picture.samples.assign(bytes.begin() + start, bytes.begin() + start + size);
  return picture;
}

void WritePnm(const std::string& path, const Pnm& picture) {
  const std::string header = (picture.channels == 1 ? "P5\n" : "P6\n") + std::to_string(picture.width) + " " +
                             std::to_string(picture.height) + "\n255\n";
  std::vector<uint8_t> bytes(header.begin(), header.end());
  bytes.insert(bytes.end(), picture.samples.begin(), picture.samples.end());
  WriteBinary(path, bytes);
}

Pnm PhotoLike(int width, int height, int channels) {
  Pnm picture{width, height, channels, {}};
  uint32_t noise = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < channels; ++c) {
        noise = noise * 1664525u + 1013904223u;
        double v = 128 + 70 * std::sin(x * 0.045 + c) * std::cos(y * 0.06 - c * 0.5);
        if ((x / 23 + y / 17) % 3 == 0) v += 40 - 25 * c;  // hard-edged patches
        v += static_cast<int>(noise >> 28) - 8;
        picture.samples.push_back(static_cast<uint8_t>(std::lround(std::fmin(255, std::fmax(0, v)))));
      }
  return picture;
}

namespace {

std::unique_ptr<imageio::Image> Decode(imageio::ImageReader& reader, AFILE* file, std::string* error) {
  try {
    return std::unique_ptr<imageio::Image>(reader.read(file));
  } catch (const imageio::ImageIOException& e) {
    if (error) *error = e.message();
    return nullptr;
  }
}

}  // namespace

std::unique_ptr<imageio::Image> DecodeBytes(imageio::ImageReader& reader, std::vector<uint8_t> bytes,
                                            std::string* error) {
  AFILE file{bytes.data(), bytes.data(), bytes.data() + bytes.size()};
  return Decode(reader, &file, error);
}

std::unique_ptr<imageio::Image> DecodeFile(imageio::ImageReader& reader, const std::string& path,
                                           std::string* error) {
  std::unique_ptr<AFILE> file(afload(path.c_str()));
  if (!file) throw std::runtime_error("cannot read " + path);
  std::unique_ptr<imageio::Image> image = Decode(reader, file.get(), error);
  affree(file.get());
  return image;
}

std::string DecodeError(imageio::ImageReader& reader, const std::vector<uint8_t>& bytes) {
  std::string error;
  DecodeBytes(reader, bytes, &error);
  return error;
}
