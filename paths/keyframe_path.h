// Cubic paths whose keys sit at given times: the cursor moves by time.
#pragma once

#include "paths/cubic_path.h"

template <typename T, int N>
class KeyframePath : public CubicPath<T, N> {
 public:
  using typename CubicPath<T, N>::Key;

  void Dump() const override;
  // Takes the keys and their times (at least as many times as keys); the
  // segment lengths become the time steps and the range runs from the first
  // key's time to the last's. The cursor is left where the previous range
  // started until the next Rewind.
  virtual bool SetKeys(const std::vector<Key>& values, const std::vector<float>& times);

 protected:
  std::optional<std::vector<float>> key_times_;
};
