// The distributions of a study's uncertain parameters: a design's unit coordinate u becomes
// the parameter's value at the quantile u.
#pragma once

namespace halosoil::study {

struct Distribution {
    enum class Kind { Uniform, Normal, Triangular };
    Kind kind = Kind::Uniform;
    // Uniform(low=a, high=b); Normal(mean=a, sd=b); Triangular(low=a, mode=b, high=c)
    double a = 0, b = 1, c = 0;
    // The inverse of the cumulative distribution at u in [0,1]. A normal gives -inf and +inf
    // at 0 and 1, which is why the sampled designs keep their points inside (0,1).
    double Quantile(double u) const;
    double Mean() const;
};

// Each refuses parameters that make no distribution (a low end not below the high end, a
// standard deviation that is not positive, a mode outside the range, a number not finite).
Distribution Uniform(double low, double high);
Distribution Normal(double mean, double sd);
Distribution Triangular(double low, double mode, double high);

}  // namespace halosoil::study
