// Elementary effects (Morris): a cheap screening that ranks the parameters by how much the
// output moves when each changes alone, from a few trajectories through the unit cube.
#pragma once

#include <cstdint>
#include <vector>

#include "Interval.h"
#include "UnitPoints.h"

namespace halosoil::study {

// trajectories of dims+1 points each on a grid of `levels` levels (0, 1/(levels-1), ..., 1;
// levels even), each trajectory changing one coordinate at a time, in random order, by
// delta = levels / (2*(levels-1)) up or down, from a start point random on the grid. The
// same seed gives the same design. Coordinates lie in [0,1], the ends included: a normal
// distribution's quantile is infinite there, so such a parameter needs its ends cut off
// before the mapping.
struct MorrisDesign {
    int trajectories = 0;
    int dims = 0;
    int levels = 4;
    UnitPoints points;
    // For each row: which coordinate changed from the previous row of its trajectory (-1 for
    // the trajectory's first row), and by how much (signed, in unit-cube units; 0 for a first
    // row).
    std::vector<int> changedDim;
    std::vector<double> step;
};
MorrisDesign MakeMorrisDesign(int trajectories, int dims, int levels, std::uint64_t seed);

struct MorrisEffect {
    Interval muStar;
    double mu = 0;
    double sigma = 0;
    int effects = 0;
};

// Effects in unit-cube units, EE = (f(x + step e_i) - f(x)) / step: the change of the output
// over the whole range of the parameter. muStar = mean |EE| with a seeded bootstrap 95 %
// interval over the trajectories, the percentile interval expanded for the few trajectories
// a screening has (ExpandedTail), mu = mean EE, sigma = the standard deviation
// of EE (n-1 in the denominator; 0 with one effect). An effect that involves a NaN or
// infinite output (a failed model run) is left out; effects counts the kept ones. A parameter
// left with no effect at all has NaN for muStar, mu and sigma.
std::vector<MorrisEffect> MorrisEffects(const MorrisDesign& design,
                                        const std::vector<double>& outputs, int resamples,
                                        std::uint64_t seed);

}  // namespace halosoil::study
