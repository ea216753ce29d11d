#include "Distributions.h"

#include <gsl/gsl_cdf.h>

#include <cmath>

#include "Errors.h"

namespace halosoil::study {

namespace {

// The fields are open, so a distribution may be built without the functions below; each
// use checks it again rather than compute nonsense from it.
void Check(const Distribution& distribution) {
    const double a = distribution.a, b = distribution.b, c = distribution.c;
    switch (distribution.kind) {
        case Distribution::Kind::Uniform:
            if (!std::isfinite(a) || !std::isfinite(b))
                throw HalosoilError("The ends of a uniform distribution must be finite numbers.");
            if (!(a < b))
                throw HalosoilError("A uniform distribution needs its low end below its high end.");
            return;
        case Distribution::Kind::Normal:
            if (!std::isfinite(a) || !std::isfinite(b))
                throw HalosoilError(
                    "The mean and the standard deviation of a normal distribution must be "
                    "finite numbers.");
            if (!(b > 0))
                throw HalosoilError("A normal distribution needs a positive standard deviation.");
            return;
        case Distribution::Kind::Triangular:
            if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c))
                throw HalosoilError(
                    "The low end, the mode and the high end of a triangular distribution must "
                    "be finite numbers.");
            if (!(a < c))
                throw HalosoilError(
                    "A triangular distribution needs its low end below its high end.");
            if (!(a <= b && b <= c))
                throw HalosoilError(
                    "A triangular distribution needs its mode between its low and high ends.");
            return;
    }
    throw HalosoilError("A distribution is of no known kind.");
}

Distribution Checked(Distribution distribution) {
    Check(distribution);
    return distribution;
}

}  // namespace

double Distribution::Quantile(double u) const {
    Check(*this);
    if (!(u >= 0 && u <= 1)) throw HalosoilError("A quantile needs a probability between 0 and 1.");
    switch (kind) {
        case Kind::Uniform:
            return a + u * (b - a);
        case Kind::Normal:
            return gsl_cdf_gaussian_Pinv(u, b) + a;
        case Kind::Triangular: {
            const double width = c - a;
            // u below the probability that lies under the mode: the rising side.
            if (u * width <= b - a) return a + std::sqrt(u * width * (b - a));
            return c - std::sqrt((1 - u) * width * (c - b));
        }
    }
    return 0;  // Check refused every other kind
}

double Distribution::Mean() const {
    Check(*this);
    switch (kind) {
        case Kind::Uniform:
            return (a + b) / 2;
        case Kind::Normal:
            return a;
        case Kind::Triangular:
            return (a + b + c) / 3;
    }
    return 0;  // Check refused every other kind
}

Distribution Uniform(double low, double high) {
    return Checked({Distribution::Kind::Uniform, low, high, 0});
}

Distribution Normal(double mean, double sd) {
    return Checked({Distribution::Kind::Normal, mean, sd, 0});
}

Distribution Triangular(double low, double mode, double high) {
    return Checked({Distribution::Kind::Triangular, low, mode, high});
}

}  // namespace halosoil::study
