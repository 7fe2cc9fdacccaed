// Rasterising text with FreeType into a grey coverage image.
#include "tools/content/text_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <stdexcept>

struct Font::Face {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

Font::Font(const std::string& path, int pixel_height) : face_(new Face) {
  if (FT_Init_FreeType(&face_->library)) throw std::runtime_error("FreeType did not start");
  if (FT_New_Face(face_->library, path.c_str(), 0, &face_->face) ||
      FT_Set_Pixel_Sizes(face_->face, 0, FT_UInt(pixel_height))) {
    FT_Done_FreeType(face_->library);
    throw std::runtime_error("cannot open font " + path);
  }
}

Font::~Font() {
  FT_Done_Face(face_->face);
  FT_Done_FreeType(face_->library);
}

int Font::Width(const std::string& text) const {
  long width = 0;
  for (unsigned char ch : text)
    if (!FT_Load_Char(face_->face, ch, FT_LOAD_DEFAULT)) width += face_->face->glyph->advance.x >> 6;
  return int(width);
}

void Font::Draw(GrayImage& layer, const std::string& text, int x, int baseline) const {
  for (unsigned char ch : text) {
    if (FT_Load_Char(face_->face, ch, FT_LOAD_RENDER)) continue;
    const FT_GlyphSlot g = face_->face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    for (unsigned row = 0; row < bm.rows; ++row)
      for (unsigned col = 0; col < bm.width; ++col) {
        const int px = x + g->bitmap_left + int(col), py = baseline - g->bitmap_top + int(row);
        if (px < 0 || py < 0 || px >= layer.Width() || py >= layer.Height()) continue;
        const float v = bm.buffer[row * unsigned(std::abs(bm.pitch)) + col] / 255.0f;
        layer.At(px, py) = std::min(1.0f, layer.At(px, py) + v);
      }
    x += int(g->advance.x >> 6);
  }
}

std::string DejaVuFont(const std::string& file_name) { return "/usr/share/fonts/truetype/dejavu/" + file_name; }
