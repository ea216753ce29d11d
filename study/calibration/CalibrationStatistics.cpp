#include "CalibrationStatistics.h"
#include "NotANumber.h"

#include <gsl/gsl_cdf.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_vector.h>

#include <cmath>
#include <limits>
#include <memory>

namespace halosoil::study {

namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();
// A direction of the parameters whose singular value is this small a share of the largest
// one moves no residual: the data do not determine the parameters along it.
constexpr double kSingular = 1e-10;

struct MatrixFree {
    void operator()(gsl_matrix* m) const { gsl_matrix_free(m); }
};
struct VectorFree {
    void operator()(gsl_vector* v) const { gsl_vector_free(v); }
};
using Matrix = std::unique_ptr<gsl_matrix, MatrixFree>;
using Vector = std::unique_ptr<gsl_vector, VectorFree>;

}  // namespace

EstimateStatistics StatisticsOf(const std::vector<double>& jacobian,
                                const std::vector<double>& residuals, int parameters) {
    const int observations = static_cast<int>(residuals.size());
    const std::size_t p = static_cast<std::size_t>(parameters);
    EstimateStatistics statistics;
    statistics.standardErrors.assign(p, kNaN);
    statistics.halfWidths.assign(p, kNaN);
    statistics.correlation.assign(p, std::vector<double>(p, kNaN));
    for (std::size_t j = 0; j < p; ++j) statistics.correlation[j][j] = 1;
    const int freedom = observations - parameters;
    if (freedom < 1) return statistics;

    double squares = 0;
    for (double r : residuals) squares += r * r;
    const double variance = squares / freedom;

    // J = U S V'; (J'J)^-1 = V S^-2 V'.
    Matrix u(gsl_matrix_alloc(static_cast<std::size_t>(observations), p));
    for (int i = 0; i < observations; ++i)
        for (std::size_t j = 0; j < p; ++j)
            gsl_matrix_set(u.get(), static_cast<std::size_t>(i), j,
                           jacobian[static_cast<std::size_t>(i) * p + j]);
    Matrix v(gsl_matrix_alloc(p, p));
    Vector s(gsl_vector_alloc(p));
    Vector work(gsl_vector_alloc(p));
    gsl_linalg_SV_decomp(u.get(), v.get(), s.get(), work.get());

    const double largest = gsl_vector_get(s.get(), 0);
    std::vector<std::vector<double>> covariance(p, std::vector<double>(p, 0));
    std::vector<bool> undetermined(p, false);
    for (std::size_t k = 0; k < p; ++k) {
        const double singular = gsl_vector_get(s.get(), k);
        if (!(largest > 0) || singular <= kSingular * largest) {
            // Every parameter with a share in this direction is not determined.
            for (std::size_t j = 0; j < p; ++j)
                if (std::abs(gsl_matrix_get(v.get(), j, k)) > 1e-6) undetermined[j] = true;
            continue;
        }
        for (std::size_t a = 0; a < p; ++a)
            for (std::size_t b = 0; b < p; ++b)
                covariance[a][b] += gsl_matrix_get(v.get(), a, k) * gsl_matrix_get(v.get(), b, k) /
                                    (singular * singular);
    }
    const double t = gsl_cdf_tdist_Pinv(0.975, freedom);
    for (std::size_t j = 0; j < p; ++j) {
        if (undetermined[j]) {
            statistics.standardErrors[j] = kInfinite;
            statistics.halfWidths[j] = kInfinite;
            continue;
        }
        statistics.standardErrors[j] = std::sqrt(variance * covariance[j][j]);
        statistics.halfWidths[j] = t * statistics.standardErrors[j];
    }
    for (std::size_t a = 0; a < p; ++a)
        for (std::size_t b = 0; b < p; ++b) {
            if (a == b || undetermined[a] || undetermined[b]) continue;
            const double scale = std::sqrt(covariance[a][a] * covariance[b][b]);
            if (scale > 0) statistics.correlation[a][b] = covariance[a][b] / scale;
        }
    return statistics;
}

}  // namespace halosoil::study
