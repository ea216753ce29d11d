// The members' parameter values of an ensemble: a design of points in the unit cube (a Latin
// hypercube or a Sobol sequence) turned into values through each parameter's distribution,
// truncated to its bounds; or, from a calibration's report, through the multivariate normal
// of its estimates.
#pragma once

#include <vector>

#include "Ensemble.h"

namespace halosoil::study {

// members x parameters, row-major.
std::vector<double> DrawMembers(const EnsembleSettings& settings,
                                const std::vector<Parameter>& parameters);

// The quantile at u of the distribution truncated to [low, high].
double TruncatedQuantile(const Distribution& distribution, double low, double high, double u);

}  // namespace halosoil::study
