// Raising rasterised text into boxes of block lettering.
#include "content/scenes/text_mesh.h"

#include "tools/content/mesh_builders.h"
#include "tools/content/text_raster.h"

void AddBlockText(Mesh& mesh, const std::string& text, int pixel_height, V3 centre, float cell, float depth,
                  uint16_t material) {
  const Font font(DejaVuFont("DejaVuSans-Bold.ttf"), pixel_height);
  const int width = font.Width(text) + 2, height = pixel_height * 3 / 2, baseline = pixel_height;
  GrayImage layer(width, height);
  font.Draw(layer, text, 1, baseline);
  // One box per horizontal run of inked pixels.
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width;) {
      if (layer.At(x, y) < 0.5f) {
        ++x;
        continue;
      }
      int end = x;
      while (end < width && layer.At(end, y) >= 0.5f) ++end;
      const float x0 = centre.x + (float(x) - width / 2.0f) * cell, x1 = centre.x + (float(end) - width / 2.0f) * cell;
      const float z1 = centre.z + float(baseline - y) * cell;
      AddBox(mesh, {x0, centre.y, z1 - cell}, {x1, centre.y + depth, z1}, material, cell * 8);
      x = end;
    }
}
