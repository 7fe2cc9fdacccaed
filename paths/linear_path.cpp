// Evaluating, measuring and advancing along straight-segment paths.
#include "paths/linear_path.h"

#include <cmath>
#include <iostream>

namespace {
float path_step = 0.0f;
}  // namespace

void SetPathStep(float step) { path_step = step; }
float PathStep() { return path_step; }

template <typename T, int N>
bool LinearPath<T, N>::SetPoints(const std::vector<Key>& values, bool measure) {
  if (values.empty()) return false;
  points_ = values;
  lengths_.emplace(values.size() - 1, 0.0f);
  // Valid before measuring: Measure reads the keys through ValueAt.
  valid_ = true;
  if (measure) {
    Measure(1);
    end_ = start_ + total_length_;
  }
  Rewind();
  return true;
}

template <typename T, int N>
void LinearPath<T, N>::Dump() const {
  if (points_) {
    std::cout << "points:\n";
    for (const Key& p : *points_) std::cout << p << '\n';
  }
  if (lengths_) {
    std::cout << "lengths:\n";
    for (float length : *lengths_) std::cout << length << '\n';
  }
}

template <typename T, int N>
typename LinearPath<T, N>::Key LinearPath<T, N>::ValueAt(float u) const {
  if (!valid_ || !points_ || points_->empty()) return Zero();
  const std::vector<Key>& p = *points_;
  if (!(u >= 0.0f)) return p.front();  // below the range, or not a number
  if (u >= LastKey()) return p.back();
  float whole = std::floor(u);
  int i = static_cast<int>(whole);
  return p[i] + (p[i + 1] - p[i]) * (u - whole);
}

template <typename T, int N>
void LinearPath<T, N>::Measure(unsigned steps) {
  if (!valid_) return;
  std::vector<float>& lengths = *lengths_;
  const std::vector<Key>& p = *points_;
  total_length_ = 0.0f;
  for (size_t i = 0; i < lengths.size(); ++i) {
    if (steps < 2) {
      lengths[i] = (p[i + 1] - p[i]).Length();
    } else {
      float h = 1.0f / steps;
      float u = static_cast<float>(i);
      Key previous = ValueAt(u);
      lengths[i] = 0.0f;
      for (unsigned k = 0; k < steps; ++k) {
        u += h;
        Key next = ValueAt(u);
        lengths[i] += (next - previous).Length();
        previous = next;
      }
    }
    total_length_ += lengths[i];
  }
}

template <typename T, int N>
int LinearPath<T, N>::KeyCount() const {
  return points_ ? static_cast<int>(points_->size()) : 0;
}

template <typename T, int N>
void LinearPath<T, N>::Rewind() {
  position_ = start_;
  segment_ = 0;
  offset_ = 0.0f;
  cached_ = false;
}

template <typename T, int N>
typename LinearPath<T, N>::Key LinearPath<T, N>::Advance(float delta) {
  if (!valid_) return Zero();
  cached_ = false;
  if (delta > 0.0f) {
    float amount = delta;
    if (position_ < start_) {
      if (start_ - position_ < amount) {
        amount -= start_ - position_;
        position_ = start_;
      } else {
        position_ += amount;
        return Value();
      }
    }
    while (amount > 0.0f) {
      if (AtEnd()) break;
      float rest = (*lengths_)[segment_] - offset_;
      if (amount < rest) {
        position_ += amount;
        offset_ += amount;
        return Value();
      }
      position_ += rest;
      amount -= rest;
      segment_ += 1;
      offset_ = 0.0f;
      if (AtEnd()) position_ = end_;
    }
    position_ += amount;  // overshoot past the end
  } else if (delta < 0.0f) {
    float amount = -delta;
    if (position_ > end_) {
      if (position_ - end_ < amount) {
        amount -= position_ - end_;
        position_ = end_;
      } else {
        position_ -= amount;
        return Value();
      }
    }
    while (amount > 0.0f) {
      if (AtStart()) break;
      if (amount < offset_) {
        position_ -= amount;
        offset_ -= amount;
        return Value();
      }
      position_ -= offset_;
      amount -= offset_;
      segment_ -= 1;
      if (segment_ < 0) {
        segment_ = 0;
        offset_ = 0.0f;
      } else {
        offset_ = (*lengths_)[segment_];
      }
      if (AtStart()) position_ = start_;
    }
    position_ -= amount;  // overshoot past the start
  }
  return Value();
}

template <typename T, int N>
typename LinearPath<T, N>::Key LinearPath<T, N>::Value() {
  if (!valid_) return Zero();
  if (!cached_) {
    cached_value_ = ValueAt(Parameter());
    cached_ = true;
  }
  return cached_value_;
}

template <typename T, int N>
float LinearPath<T, N>::Parameter() const {
  if (!valid_ || segment_ < 0) return 0.0f;
  if (segment_ < LastKey()) {
    float length = (*lengths_)[segment_];
    // A zero-length segment (repeated key or key time) has no inside.
    if (length == 0.0f) return static_cast<float>(segment_);
    return segment_ + offset_ / length;
  }
  return static_cast<float>(segment_);
}

template <typename T, int N>
bool LinearPath<T, N>::AtStart() const {
  if (!valid_) return true;
  if (segment_ > 0) return false;
  return offset_ <= 0.0f;
}

template <typename T, int N>
bool LinearPath<T, N>::AtEnd() const {
  if (!valid_) return true;
  return segment_ >= LastKey();
}

template class LinearPath<float, 1>;
template class LinearPath<float, 3>;
