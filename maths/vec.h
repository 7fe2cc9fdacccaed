// Fixed-size vectors: points, directions, colours, map coordinates.
#pragma once

#include <cmath>
#include <ostream>
#include <type_traits>

// N values of type T stored in order, nothing else; copied by value.
template <typename T, int N>
struct vec {
  T v[N];

  // Leaves the components uninitialised.
  vec() = default;
  // Every component set to s, e.g. vec<float, 4>(1) for opaque white.
  explicit vec(T s) {
    for (int i = 0; i < N; ++i) v[i] = s;
  }
  // One value per component, in order.
  template <typename... Args, typename = std::enable_if_t<(N > 1) && sizeof...(Args) == N>>
  vec(Args... components) : v{static_cast<T>(components)...} {}

  T& operator[](int i) { return v[i]; }
  const T& operator[](int i) const { return v[i]; }

  vec& operator+=(const vec& b) {
    for (int i = 0; i < N; ++i) v[i] += b.v[i];
    return *this;
  }
  vec& operator-=(const vec& b) {
    for (int i = 0; i < N; ++i) v[i] -= b.v[i];
    return *this;
  }
  vec& operator*=(T s) {
    for (int i = 0; i < N; ++i) v[i] *= s;
    return *this;
  }

  vec operator+(const vec& b) const { return vec(*this) += b; }
  vec operator-(const vec& b) const { return vec(*this) -= b; }
  vec operator*(T s) const { return vec(*this) *= s; }
  vec operator-() const {
    vec r;
    for (int i = 0; i < N; ++i) r.v[i] = -v[i];
    return r;
  }

  T SquaredLength() const { return Dot(*this, *this); }
  T Length() const { return std::sqrt(SquaredLength()); }

  // Scales to unit length; a vector no longer than 1e-7 stays as it is.
  void Normalize() {
    T length = Length();
    if (length > T(1e-7)) *this *= T(1) / length;
  }
  vec Normalized() const {
    vec r(*this);
    r.Normalize();
    return r;
  }

  friend T Dot(const vec& a, const vec& b) {
    T sum = a.v[0] * b.v[0];
    for (int i = 1; i < N; ++i) sum += a.v[i] * b.v[i];
    return sum;
  }
};

using vec3f = vec<float, 3>;

template <typename T>
vec<T, 3> Cross(const vec<T, 3>& a, const vec<T, 3>& b) {
  return vec<T, 3>(a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]);
}

// Writes "(c0,c1,...)".
template <typename T, int N>
std::ostream& operator<<(std::ostream& out, const vec<T, N>& a) {
  out << '(' << a[0];
  for (int i = 1; i < N; ++i) out << ',' << a[i];
  return out << ')';
}
