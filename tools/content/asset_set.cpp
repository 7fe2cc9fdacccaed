// The set of generated files by name, written to a folder.
#include "tools/content/asset_set.h"

#include <sys/stat.h>
#include <utime.h>

#include <cctype>
#include <cstdio>
#include <stdexcept>

#include "tools/content/image_codecs.h"

namespace {
// 21 June 2024, 20:00 UTC: every generated file carries this time.
constexpr time_t kFileTime = 1719000000;
}  // namespace

std::string MaskName(const std::string& image_name) {
  if (image_name.size() < 4) throw std::invalid_argument("image name too short: " + image_name);
  return image_name.substr(0, image_name.size() - 4) + ".mask";
}

void AssetSet::Add(const std::string& name, std::vector<uint8_t> bytes) {
  if (name.empty() || name.find('/') != std::string::npos || name.find('\\') != std::string::npos)
    throw std::invalid_argument("bad asset name '" + name + "'");
  for (unsigned char c : name)
    if (std::isupper(c)) throw std::invalid_argument("asset names are lower case: '" + name + "'");
  if (!files_.emplace(name, std::move(bytes)).second) throw std::invalid_argument("asset made twice: " + name);
}

void AssetSet::AddTexture(const std::string& name, const RgbImage& colour, const GrayImage* alpha) {
  Add(name, EncodeJpeg(colour, kJpegQuality));
  if (alpha) {
    if (alpha->Width() != colour.Width() || alpha->Height() != colour.Height())
      throw std::invalid_argument("mask size differs from image: " + name);
    Add(MaskName(name), EncodeGrayPng(*alpha));
  }
}

void AssetSet::WriteTo(const std::string& folder) const {
  for (const auto& [name, bytes] : files_) {
    const std::string path = folder + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if ((std::fclose(f) != 0) || !ok) throw std::runtime_error("cannot write " + path);
    const utimbuf times{kFileTime, kFileTime};
    if (utime(path.c_str(), &times) != 0) throw std::runtime_error("cannot set the time of " + path);
  }
}
