#include "Quantiles.h"

#include <gsl/gsl_cdf.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

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
    return PercentileInterval(value, std::move(estimates), 0.025);
}

Interval PercentileInterval(double value, std::vector<double> estimates, double tail) {
    std::sort(estimates.begin(), estimates.end());
    return {value, Quantile(estimates, tail), Quantile(estimates, 1 - tail)};
}

double ExpandedTail(int n) {
    if (n < 2) return 0.025;
    const double count = static_cast<double>(n);
    return gsl_cdf_ugaussian_P(-std::sqrt(count / (count - 1)) *
                               gsl_cdf_tdist_Pinv(0.975, count - 1));
}

}  // namespace halosoil::study
