#include "EnsembleDraws.h"

#include <gsl/gsl_cdf.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_matrix.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "Errors.h"
#include "UnitPoints.h"

namespace halosoil::study {

namespace {

// A member of the calibration's normal that falls outside the bounds is drawn again, at most
// this many times, then moved onto the nearest bound.
constexpr int kRedraws = 1000;

UnitPoints DesignOf(const EnsembleSettings& settings, int dims) {
    if (settings.design == Design::Sobol) {
        if (dims > kMostSobolDimensions)
            throw HalosoilError("A Sobol design takes at most " +
                                std::to_string(kMostSobolDimensions) + " parameters.");
        return SobolSequence(settings.members, dims);
    }
    return LatinHypercube(settings.members, dims, settings.seed);
}

// The lower triangle L of the covariance S = L L', from the standard errors and the
// correlation.
std::vector<double> CholeskyOf(const ReportEstimates& report) {
    const std::size_t p = report.parameters.size();
    // A parameter the calibration held (no spread) has a row and column of zeros: a 1 on its
    // diagonal keeps the others' decomposition as it is, and is taken out again after.
    const auto held = [&](std::size_t a) { return report.standardErrors[a] == 0; };
    gsl_matrix* covariance = gsl_matrix_alloc(p, p);
    for (std::size_t a = 0; a < p; ++a)
        for (std::size_t b = 0; b < p; ++b)
            gsl_matrix_set(covariance, a, b,
                           a == b && held(a) ? 1.0
                                             : report.standardErrors[a] * report.standardErrors[b] *
                                                   (a == b ? 1.0 : report.correlation[a][b]));
    const int status = gsl_linalg_cholesky_decomp1(covariance);
    std::vector<double> lower(p * p, 0.0);
    if (status == 0) {
        for (std::size_t a = 0; a < p; ++a)
            for (std::size_t b = 0; b <= a; ++b)
                lower[a * p + b] = held(a) ? 0.0 : gsl_matrix_get(covariance, a, b);
    } else {
        // A correlation matrix rounded in the report may lose its definiteness; the
        // estimates are then drawn independently.
        for (std::size_t a = 0; a < p; ++a) lower[a * p + a] = report.standardErrors[a];
    }
    gsl_matrix_free(covariance);
    return lower;
}

void CheckReport(const ReportEstimates& report) {
    for (std::size_t j = 0; j < report.parameters.size(); ++j)
        if (!std::isfinite(report.standardErrors[j]) || report.standardErrors[j] < 0)
            throw HalosoilError(report.parameters[j].Name() +
                                " has no standard error in the report: the calibration did "
                                "not determine it, so no ensemble can be drawn from it.");
}

std::vector<double> FromReport(const EnsembleSettings& settings, const UnitPoints& design) {
    const ReportEstimates& report = *settings.fromReport;
    CheckReport(report);
    const std::size_t p = report.parameters.size();
    const std::vector<double> lower = CholeskyOf(report);
    std::mt19937_64 random(settings.seed);
    std::normal_distribution<double> standard(0, 1);
    std::vector<double> values;
    std::vector<double> z(p), x(p);
    for (int m = 0; m < settings.members; ++m) {
        for (std::size_t j = 0; j < p; ++j)
            z[j] = gsl_cdf_ugaussian_Pinv(design.At(m, static_cast<int>(j)));
        for (int attempt = 0;; ++attempt) {
            bool inside = true;
            for (std::size_t a = 0; a < p; ++a) {
                x[a] = report.values[a];
                for (std::size_t b = 0; b <= a; ++b) x[a] += lower[a * p + b] * z[b];
                const Parameter& parameter = report.parameters[a];
                if (x[a] < parameter.low || x[a] > parameter.high) inside = false;
            }
            if (inside) break;
            if (attempt == kRedraws) {
                for (std::size_t a = 0; a < p; ++a)
                    x[a] = std::clamp(x[a], report.parameters[a].low, report.parameters[a].high);
                break;
            }
            for (std::size_t j = 0; j < p; ++j) z[j] = standard(random);
        }
        values.insert(values.end(), x.begin(), x.end());
    }
    return values;
}

}  // namespace

double TruncatedQuantile(const Distribution& distribution, double low, double high, double u) {
    if (distribution.kind != Distribution::Kind::Normal)
        return std::clamp(distribution.Quantile(u), low, high);
    const double mean = distribution.a, sd = distribution.b;
    const double below = gsl_cdf_gaussian_P(low - mean, sd);
    const double above = gsl_cdf_gaussian_P(high - mean, sd);
    const double x = mean + gsl_cdf_gaussian_Pinv(below + u * (above - below), sd);
    return std::clamp(x, low, high);
}

std::vector<double> DrawMembers(const EnsembleSettings& settings,
                                const std::vector<Parameter>& parameters) {
    const int dims = static_cast<int>(parameters.size());
    const UnitPoints design = DesignOf(settings, dims);
    if (settings.fromReport) return FromReport(settings, design);
    if (settings.distributions.size() != parameters.size())
        throw HalosoilError("Every parameter of an ensemble needs a distribution.");
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(settings.members) * parameters.size());
    for (int m = 0; m < settings.members; ++m)
        for (int j = 0; j < dims; ++j) {
            const Parameter& parameter = parameters[static_cast<std::size_t>(j)];
            values.push_back(TruncatedQuantile(settings.distributions[static_cast<std::size_t>(j)],
                                               parameter.low, parameter.high, design.At(m, j)));
        }
    return values;
}

}  // namespace halosoil::study
