// Quantiles of samples: the spread of an ensemble's results and the ends of the bootstrap
// intervals of the sensitivity indices.
#pragma once

#include <vector>

#include "Interval.h"

namespace halosoil::study {

// The p-quantile (p in [0,1]) of an ascending vector: linear interpolation between the order
// statistics around position p*(n-1), as numpy's default ("linear") computes it, so that a
// user's own script finds the same numbers. NaN for an empty vector.
double Quantile(const std::vector<double>& sorted, double p);

// An estimate with the 2.5 % and 97.5 % quantiles of its bootstrap estimates as its 95 %
// interval (the percentile bootstrap). The estimates need not be sorted.
Interval PercentileInterval(double value, std::vector<double> estimates);
// The same between the quantiles tail and 1 - tail.
Interval PercentileInterval(double value, std::vector<double> estimates, double tail);

// The tail of the expanded percentile bootstrap of a mean of n values (Hesterberg, "What
// teachers should know about the bootstrap", The American Statistician 69, 2015): the
// percentile interval of a mean is too narrow for small n, by sqrt((n - 1) / n) and by
// taking the normal's quantile for Student's; the tail whose normal quantile is
// sqrt(n / (n - 1)) times Student's t(0.975, n - 1) makes up both. 0.025 for n < 2.
double ExpandedTail(int n);

}  // namespace halosoil::study
