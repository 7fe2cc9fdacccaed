// Paths through key values joined by straight segments, with a cursor that
// moves along them by distance.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "maths/vec.h"

// The distance every path advances in Update this frame; the show's parts
// set it once per frame.
void SetPathStep(float step);
float PathStep();

template <typename T, int N>
class LinearPath {
 public:
  using Key = vec<T, N>;

  LinearPath() = default;
  virtual ~LinearPath() = default;

  // Takes the keys (at least one) and rewinds; with measure, also computes
  // the segment lengths and sets the end of the range to the total length.
  virtual bool SetPoints(const std::vector<Key>& values, bool measure);
  // Prints the keys and lengths to standard output.
  virtual void Dump() const;
  // The value at a fractional key index (0 = first key, n - 1 = last),
  // clamped to the first and last keys; zero for a path without keys.
  virtual Key ValueAt(float parameter) const;

  // Segment lengths along the path, each summed over the given number of
  // pieces (straight key-to-key distances below 2).
  void Measure(unsigned steps);
  void Rewind();
  // Moves the cursor by delta (either sign, past either end of the range)
  // and returns the value there.
  Key Advance(float delta);
  // Advance by the shared path step.
  Key Update() { return Advance(PathStep()); }
  // The value at the cursor, computed once per cursor position.
  Key Value();
  // The cursor as a fractional key index.
  float Parameter() const;
  bool AtStart() const;
  bool AtEnd() const;

  void SetRate(float rate) { rate_ = rate; }
  float Rate() const { return rate_; }

  bool IsValid() const { return valid_; }
  int KeyCount() const;
  float Start() const { return start_; }
  float End() const { return end_; }
  float TotalLength() const { return total_length_; }
  float CursorPosition() const { return position_; }
  int32_t CursorSegment() const { return segment_; }

 protected:
  static Key Zero() { return Key(T(0)); }
  int LastKey() const { return static_cast<int>(points_->size()) - 1; }

  std::optional<std::vector<Key>> points_;
  std::optional<std::vector<float>> lengths_;
  float total_length_ = 0.0f;
  int32_t segment_ = 0;
  float position_ = 0.0f;
  float offset_ = 0.0f;
  float start_ = 0.0f;
  float end_ = 0.0f;
  float rate_ = 1.0f;
  bool valid_ = false;
  bool cached_ = false;
  Key cached_value_ = Zero();
};
