// Keyframe paths: key times become segment lengths, so the cursor moves by time.
#include "paths/keyframe_path.h"

#include <iostream>

template <typename T, int N>
void KeyframePath<T, N>::Dump() const {
  CubicPath<T, N>::Dump();
  if (key_times_) {
    std::cout << "KeyTimes:\n";
    for (float time : *key_times_) std::cout << "  " << time << '\n';
  }
}

template <typename T, int N>
bool KeyframePath<T, N>::SetKeys(const std::vector<Key>& values, const std::vector<float>& times) {
  if (times.size() < values.size()) return false;
  key_times_ = times;
  if (!CubicPath<T, N>::SetPoints(values, false)) return false;
  std::vector<float>& lengths = *this->lengths_;
  this->total_length_ = 0.0f;
  for (size_t i = 0; i < lengths.size(); ++i) {
    lengths[i] = times[i + 1] - times[i];
    this->total_length_ += lengths[i];
  }
  this->start_ = times.front();
  this->end_ = times[values.size() - 1];
  this->valid_ = true;
  return true;
}

template class KeyframePath<float, 1>;
template class KeyframePath<float, 3>;
