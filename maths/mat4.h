// 4 x 4 float matrix stored as four rows.
#pragma once

#include "maths/vec.h"

struct mat4 {
  vec<float, 4> rows[4];

  // Leaves the elements uninitialised.
  mat4() = default;
  // s on the diagonal, 0 elsewhere; mat4(1) is the identity.
  explicit mat4(float s);

  vec<float, 4>& operator[](int row) { return rows[row]; }
  const vec<float, 4>& operator[](int row) const { return rows[row]; }
  float& operator()(int row, int column) { return rows[row][column]; }
  float operator()(int row, int column) const { return rows[row][column]; }
};

// Gauss-Jordan inversion with partial pivoting. Consumes source and leaves
// the inverse in destination. Returns 0, or -1 when a pivot column holds
// only zeros (or is not a number).
int Invert(mat4& source, mat4& destination);
