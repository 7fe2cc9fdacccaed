// The particle list with swap-removal and the Poisson count of births per step.
#include "effects/particle.h"

#include <algorithm>
#include <cmath>

#include "effects/random.h"

namespace {

// exp(-mean) stays a normal double up to about 708; 600 particles per step
// is far beyond any cloud the show draws.
constexpr double kLargestMean = 600.0;

}  // namespace

void ParticleList::Remove(size_t index) {
  if (index >= records_.size()) return;
  if (index + 1 < records_.size()) records_[index] = records_.back();
  records_.pop_back();
}

int PoissonCount(float mean) {
  const double u = RandomUnit();
  if (!(mean > 0.0f)) return 0;
  const double m = std::min(static_cast<double>(mean), kLargestMean);
  double probability = std::exp(-m);
  double cumulative = probability;
  int count = 0;
  while (cumulative < u) {
    ++count;
    probability *= m / count;
    // Rounding can leave the sum just short of u = 1: once the terms past
    // the mean have died out there is nothing left to add.
    if (probability == 0.0 && count > m) break;
    cumulative += probability;
  }
  return count;
}
