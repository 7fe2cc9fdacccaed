// The generated files of the show, by name, and how they reach the disk.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/content/raster.h"

class AssetSet {
 public:
  // Throws std::invalid_argument for a name that is taken, empty, has a
  // path separator or an upper-case letter.
  void Add(const std::string& name, std::vector<uint8_t> bytes);
  // Adds the colour image as NAME (a ".jpg" name) and, when `alpha` is given,
  // its mask as the name with its last four characters replaced by ".mask".
  void AddTexture(const std::string& name, const RgbImage& colour, const GrayImage* alpha = nullptr);

  const std::map<std::string, std::vector<uint8_t>>& Files() const { return files_; }
  bool Has(const std::string& name) const { return files_.count(name) != 0; }

  // Writes every file into the folder (which must exist) with one fixed
  // modification time, and removes nothing else. Throws std::runtime_error.
  void WriteTo(const std::string& folder) const;

 private:
  std::map<std::string, std::vector<uint8_t>> files_;
};

// The mask file name that belongs to an image name ("a.jpg" -> "a.mask").
std::string MaskName(const std::string& image_name);

constexpr int kJpegQuality = 88;
