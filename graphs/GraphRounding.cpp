#include "GraphRounding.h"

#include <cmath>

namespace halosoil {

int RoundHalfEven(double value) {
    constexpr double kLimit = 1e9;
    if (std::isnan(value)) return 0;
    if (value >= kLimit) return static_cast<int>(kLimit);
    if (value <= -kLimit) return -static_cast<int>(kLimit);
    const double below = std::floor(value);
    const double fraction = value - below;
    long long result = static_cast<long long>(below);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
    return static_cast<int>(result);
}

}  // namespace halosoil
