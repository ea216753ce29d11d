// Designs in the unit cube: the points a study maps through the parameters' distributions
// before it runs the model at each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace halosoil::study {

// count points of dims coordinates in [0,1), row-major: point k is values[k*dims .. k*dims+dims).
struct UnitPoints {
    int count = 0;
    int dims = 0;
    std::vector<double> values;
    double At(int point, int dim) const {
        return values[static_cast<std::size_t>(point) * dims + dim];
    }
};

inline constexpr int kMostSobolDimensions = 40;  // GSL's Sobol generator

// The first count points of GSL's Sobol sequence. GSL never hands out the sequence's
// all-zero start: its first point is already (0.5, 0.5, ...), so every point lies inside
// (0,1) and maps to a finite value even through an unbounded distribution.
UnitPoints SobolSequence(int count, int dims);

// One point in each of count equal strata per dimension, placed at random within its
// stratum, the strata permuted independently per dimension. Every coordinate lies inside
// (0,1). The same seed gives the same points with every compiler and standard library.
UnitPoints LatinHypercube(int count, int dims, std::uint64_t seed);

// Draws from a seeded generator that are the same with every standard library (the
// library's own distributions may differ between them, and a study must repeat on another
// machine): an index in [0, count) without bias, and a value inside (0,1).
int RandomIndex(std::mt19937_64& random, int count);
double RandomInsideUnit(std::mt19937_64& random);

}  // namespace halosoil::study
