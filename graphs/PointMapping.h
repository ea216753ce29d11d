// From time steps and values to pixels (`MapPoints`): every step has a column, every value of
// a series a row, both from the axis state of the graph being drawn.
#pragma once

#include <vector>

#include "AxisState.h"
#include "InputData.h"

namespace halosoil {

// The pixel row of the lower axis end differs per kind of series by a few pixels, which
// keeps lines that coincide in value apart and lifts the measured markers (text characters
// placed by their top left corner) to their calculated line.
inline constexpr int kHydrologyBase = 348;
inline constexpr int kWaterTableBase = 346;
inline constexpr int kCalculatedSalinityBase = 350;
inline constexpr int kMeasuredSalinityBase = 348;

int StepX(const AxisState& axis, int step);
int ValueY(const AxisState& axis, double value, int base);

// The pixel arrays of one graph, indexed by time step 1..nrTst (element 0 unused).
struct MappedPoints {
    std::vector<int> x;
    std::vector<std::vector<int>> y;  // one array per series mapped, in the order given
};

struct SeriesToMap {
    const Series* values;
    int base;
    double missing = 0;  // the value of a step beyond the series' end
};

MappedPoints MapPoints(const AxisState& axis, int nrTst, const std::vector<SeriesToMap>& series);

}  // namespace halosoil
