#include "Quantiles.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "Errors.h"

namespace halosoil::study {

double Quantile(const std::vector<double>& sorted, double p) {
    if (!(p >= 0 && p <= 1)) throw HalosoilError("A quantile needs a probability between 0 and 1.");
    if (sorted.empty()) return std::numeric_limits<double>::quiet_NaN();
    const double position = p * static_cast<double>(sorted.size() - 1);
    const std::size_t below = static_cast<std::size_t>(std::floor(position));
    if (below + 1 >= sorted.size()) return sorted.back();
    const double fraction = position - static_cast<double>(below);
    return sorted[below] + fraction * (sorted[below + 1] - sorted[below]);
}

Interval PercentileInterval(double value, std::vector<double> estimates) {
    std::sort(estimates.begin(), estimates.end());
    return {value, Quantile(estimates, 0.025), Quantile(estimates, 0.975)};
}

}  // namespace halosoil::study
