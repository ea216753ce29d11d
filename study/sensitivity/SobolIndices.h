// Variance-based sensitivity: the first-order index S1 (the share of the output's variance
// that a parameter explains alone) and the total index ST (its share with all its
// interactions), estimated from a Saltelli design.
#pragma once

#include <cstdint>
#include <vector>

#include "Interval.h"
#include "UnitPoints.h"

namespace halosoil::study {

// Rows: A (n rows), B (n rows), then AB_1 ... AB_d (n rows each; AB_i is A with column i
// taken from B): n*(d+2) rows of d coordinates. A and B are the first and last d coordinates
// of one 2d-dimensional Sobol sequence, so a design takes at most 20 parameters.
struct SaltelliDesign {
    int n = 0;
    int dims = 0;
    UnitPoints points;
};
SaltelliDesign MakeSaltelliDesign(int n, int dims);

struct SobolIndex {
    Interval first, total;
};
struct SobolResult {
    std::vector<SobolIndex> indices;
    int samplesUsed = 0;
    bool undetermined = false;
    // The mean and standard deviation of the kept samples' f(A) and f(B).
    double mean = 0, spread = 0;
};

// A double carries about 16 significant digits and a run rounds at every step of its
// arithmetic; a spread below this share of the output's size is that rounding, far below
// anything a measurement tells.
inline constexpr double kRoundingSpread = 1e-8;

// outputs: one model value per design row, in row order.
//   S1_i = mean_j (f(B_j) - m) (f(AB_i,j) - f(A_j)) / V   (Saltelli 2010, centred on the
//          mean m of f(A) and f(B), which keeps its expectation and lowers its noise)
//   ST_i = mean_j (f(A_j) - f(AB_i,j))^2 / 2 / V    (Jansen)
// with V the variance (divided by the count) of the 2n values f(A), f(B). A sample j is left
// out when any of its d+2 values is NaN or infinite (a model run that failed); samplesUsed
// says how many were kept. The 95 % intervals are percentile-bootstrap intervals over the
// kept samples with `resamples` resamples, the same for the same seed. V == 0 (an output
// that no parameter moves) gives indices 0 with intervals [0,0]. An output whose standard
// deviation is below kRoundingSpread of its size (the root of its mean square) moves by no
// more than the rounding of the model's arithmetic: its indices would share out noise, so
// they are undetermined (NaN, intervals too) and undetermined is set.
SobolResult SobolIndices(const SaltelliDesign& design, const std::vector<double>& outputs,
                         int resamples, std::uint64_t seed);

}  // namespace halosoil::study
