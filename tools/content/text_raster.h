// Text coverage drawn with FreeType from an installed font file.
#pragma once

#include <memory>
#include <string>

#include "tools/content/raster.h"

class Font {
 public:
  // Throws std::runtime_error when the font cannot be opened.
  Font(const std::string& path, int pixel_height);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // Advance width of the text in pixels.
  int Width(const std::string& text) const;
  // Adds the coverage of the text (ASCII) to the layer, with its baseline
  // starting at (x, baseline); pixels outside the layer are dropped.
  void Draw(GrayImage& layer, const std::string& text, int x, int baseline) const;

 private:
  struct Face;
  std::unique_ptr<Face> face_;
};

// Path of a font of the fonts-dejavu-core package.
std::string DejaVuFont(const std::string& file_name);
