// The particle record, the unordered list that holds a cloud of them, and
// the random count of new particles per step.
#pragma once

#include <cstddef>
#include <vector>

#include "maths/vec.h"

// 14 floats in this order.
struct Particle {
  vec<float, 3> position;
  vec<float, 3> velocity;
  vec<float, 3> force;  // gathered during the step, cleared by the move
  float age;
  vec<float, 3> next;  // where the step's move takes the position
  float unused;
};
static_assert(sizeof(Particle) == 14 * sizeof(float), "a particle is 14 packed floats");

// Particles in no particular order: a removal moves the last record into
// the hole, so removing the last one moves nothing.
class ParticleList {
 public:
  void Add(const Particle& particle) { records_.push_back(particle); }
  void Remove(size_t index);
  // Removes every particle for which doomed(particle) holds, examining the
  // place of a removed one again (the record moved into it).
  template <typename Predicate>
  void RemoveIf(Predicate doomed) {
    for (size_t i = 0; i < records_.size();) {
      if (doomed(records_[i]))
        Remove(i);
      else
        ++i;
    }
  }

  size_t Size() const { return records_.size(); }
  bool Empty() const { return records_.empty(); }
  Particle& operator[](size_t i) { return records_[i]; }
  const Particle& operator[](size_t i) const { return records_[i]; }
  std::vector<Particle>::iterator begin() { return records_.begin(); }
  std::vector<Particle>::iterator end() { return records_.end(); }
  std::vector<Particle>::const_iterator begin() const { return records_.begin(); }
  std::vector<Particle>::const_iterator end() const { return records_.end(); }

 private:
  std::vector<Particle> records_;
};

// A Poisson-distributed count with the given mean, from one 15-bit draw u
// (Rand15() / 32767): the smallest count whose cumulative probability
// reaches u. A mean of 0 or less gives 0; means above 600 are taken as 600.
int PoissonCount(float mean);
