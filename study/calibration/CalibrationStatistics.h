// How well the observations determine the calibrated values: from the Jacobian J of the
// weighted residuals at the optimum, the covariance s^2 (J'J)^-1 with s^2 the residual sum of
// squares over the degrees of freedom (observations less parameters), the standard errors,
// their Student-t 95 % intervals and the correlation of the estimates.
#pragma once

#include <vector>

namespace halosoil::study {

struct EstimateStatistics {
    std::vector<double> standardErrors;  // NaN: no degrees of freedom; inf: not determined
    std::vector<double> halfWidths;      // of the 95 % intervals
    std::vector<std::vector<double>> correlation;
};

// jacobian: observations x parameters, row-major; residuals: the weighted residuals at the
// optimum.
EstimateStatistics StatisticsOf(const std::vector<double>& jacobian,
                                const std::vector<double>& residuals, int parameters);

}  // namespace halosoil::study
