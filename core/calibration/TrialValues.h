// The trial values of a calibration: each the one before plus a step, summed in double
// precision as the search has always made them, never recomputed from the trial's number.
#pragma once

#include <vector>

namespace halosoil {

inline std::vector<double> TrialValues(double start, double step, int count) {
    std::vector<double> values;
    double value = start;
    for (int trial = 1; trial <= count; ++trial) {
        value = value + step;
        values.push_back(value);
    }
    return values;
}

}  // namespace halosoil
