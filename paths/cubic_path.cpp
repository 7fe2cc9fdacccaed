// Evaluating and measuring cubic Bezier paths.
#include "paths/cubic_path.h"

#include <algorithm>
#include <cmath>
#include <iostream>

template <typename T, int N>
bool CubicPath<T, N>::SetPoints(const std::vector<Key>& values, bool measure) {
  directions_.emplace(values.size(), Key(T(0)));
  if (!LinearPath<T, N>::SetPoints(values, false)) return false;
  const std::vector<Key>& p = *this->points_;
  std::vector<Key>& d = *directions_;
  size_t n = p.size();
  // A single key keeps the zero tangent: there is no neighbour to aim at.
  if (n >= 2) {
    d[0] = (p[1] - p[0]) * T(0.5);
    d[n - 1] = (p[n - 1] - p[n - 2]) * T(0.5);
  }
  for (size_t i = 1; i + 1 < n; ++i) {
    Key tangent = p[i + 1] - p[i - 1];
    tangent.Normalize();
    T after = (p[i + 1] - p[i]).Length();
    T before = (p[i] - p[i - 1]).Length();
    T shorter = before <= after ? before : after;
    d[i] = tangent * (shorter * T(0.33333334));
  }
  if (measure) {
    this->Measure(10);
    this->end_ = this->start_ + this->total_length_;
  }
  this->valid_ = true;
  return true;
}

template <typename T, int N>
void CubicPath<T, N>::Dump() const {
  LinearPath<T, N>::Dump();
  if (directions_) {
    std::cout << "directions:\n";
    for (const Key& d : *directions_) std::cout << "  " << d << '\n';
  }
}

template <typename T, int N>
typename CubicPath<T, N>::Key CubicPath<T, N>::ValueAt(float u) const {
  if (!this->valid_ || !this->points_ || !directions_ || this->points_->empty()) return this->Zero();
  const std::vector<Key>& p = *this->points_;
  const std::vector<Key>& d = *directions_;
  int last = this->LastKey();
  if (!(u >= 0.0f)) return p.front();  // below the range, or not a number
  if (u >= last) return p.back();
  float whole = std::floor(u);
  int i = std::min(static_cast<int>(whole), last - 1);
  float f = u - whole;
  // Weights in double precision, each rounded to T when it scales its term;
  // the terms are summed in this order.
  Key value = p[i] * T(std::pow(1 - f, 3));
  value += (p[i] + d[i]) * T(3 * std::pow(1 - f, 2) * f);
  value += (p[i + 1] - d[i + 1]) * T(3 * (1 - f) * std::pow(f, 2));
  value += p[i + 1] * T(std::pow(f, 3));
  return value;
}

template class CubicPath<float, 1>;
template class CubicPath<float, 3>;
