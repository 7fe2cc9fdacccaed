// The frame a part has just presented, read back from the front buffer, for
// tests that compare frames of the show by region.
#pragma once

#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

struct ShownFrame {
  std::vector<uint8_t> rgb = std::vector<uint8_t>(640 * 480 * 3);  // bottom row first

  static ShownFrame Read() {
    ShownFrame frame;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_FRONT);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    glReadBuffer(GL_BACK);
    return frame;
  }

  // The mean over the channels of a box given in window pixels from the
  // lower left, of this frame or of its difference to `other`.
  double Mean(int x0, int y0, int x1, int y1, const ShownFrame* other = nullptr) const {
    double sum = 0;
    for (int y = y0; y < y1; ++y)
      for (int i = (y * 640 + x0) * 3; i < (y * 640 + x1) * 3; ++i)
        sum += other ? std::abs(rgb[i] - other->rgb[i]) : rgb[i];
    return sum / (3.0 * (x1 - x0) * (y1 - y0));
  }

  // How far the channels spread over the frame: a clear colour spreads none.
  double Spread() const {
    double sum = 0, squares = 0;
    for (uint8_t c : rgb) sum += c, squares += double(c) * c;
    return std::sqrt(squares / rgb.size() - sum * sum / rgb.size() / rgb.size());
  }

  // How many pixels of the box (window pixels from the lower left) differ
  // from the other frame's by more than a faint shade in some channel.
  int Changed(const ShownFrame& other, int x0 = 0, int y0 = 0, int x1 = 640, int y1 = 480) const {
    int changed = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        const int i = (y * 640 + x) * 3;
        bool differs = false;
        for (int c = 0; c < 3; ++c) differs = differs || std::abs(rgb[i + c] - other.rgb[i + c]) > 24;
        changed += differs;
      }
    return changed;
  }
};
