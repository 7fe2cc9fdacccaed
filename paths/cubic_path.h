// Paths through key values joined by cubic Bezier segments.
#pragma once

#include "paths/linear_path.h"

template <typename T, int N>
class CubicPath : public LinearPath<T, N> {
 public:
  using typename LinearPath<T, N>::Key;

  // Takes the keys and derives a tangent offset for each; with measure, the
  // lengths are measured along the curves (ten pieces per segment).
  bool SetPoints(const std::vector<Key>& values, bool measure) override;
  void Dump() const override;
  // The Bezier segment whose inner control points are the keys moved by
  // their tangent offsets.
  Key ValueAt(float parameter) const override;

 protected:
  std::optional<std::vector<Key>> directions_;
};
