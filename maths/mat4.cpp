// Inverting a 4 x 4 matrix.
#include "maths/mat4.h"

#include <cmath>
#include <utility>

mat4::mat4(float s) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) rows[r][c] = r == c ? s : 0.0f;
}

int Invert(mat4& source, mat4& destination) {
  destination = mat4(1.0f);
  for (int k = 0; k < 4; ++k) {
    int pivot_row = k;
    float largest = std::fabs(source(k, k));
    for (int r = k + 1; r < 4; ++r) {
      if (std::fabs(source(r, k)) > largest) {
        largest = std::fabs(source(r, k));
        pivot_row = r;
      }
    }
    if (!(largest > 0.0f)) return -1;
    std::swap(source[k], source[pivot_row]);
    std::swap(destination[k], destination[pivot_row]);

    float pivot = source(k, k);
    for (int c = 0; c < 4; ++c) {
      source(k, c) /= pivot;
      destination(k, c) /= pivot;
    }
    for (int r = 0; r < 4; ++r) {
      if (r == k) continue;
      float factor = source(r, k);
      for (int c = 0; c < 4; ++c) {
        source(r, c) -= source(k, c) * factor;
        destination(r, c) -= destination(k, c) * factor;
      }
    }
  }
  return 0;
}
