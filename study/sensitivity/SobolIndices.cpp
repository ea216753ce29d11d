#include "SobolIndices.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <random>
#include <string>
#include <utility>

#include "Errors.h"
#include "Quantiles.h"

namespace halosoil::study {

namespace {

inline constexpr int kMostSobolParameters = kMostSobolDimensions / 2;

// The model values of one design, looked up by sample and block.
struct Values {
    const std::vector<double>& outputs;
    int n;
    double A(int j) const { return outputs[static_cast<std::size_t>(j)]; }
    double B(int j) const { return outputs[static_cast<std::size_t>(n) + j]; }
    double AB(int i, int j) const { return outputs[static_cast<std::size_t>(n) * (2 + i) + j]; }
};

// The mean and variance (divided by the count) of the samples' f(A) and f(B); the variance
// is 0 when the values are all alike, asked of the values themselves: the mean of equal values
// may round off them, and the variance come out a speck above 0.
struct Spread {
    double mean = 0, variance = 0;
};

Spread SpreadOf(const Values& f, const std::vector<int>& samples) {
    const double count = static_cast<double>(samples.size());
    bool moves = false;
    double sum = 0;
    for (int j : samples) {
        moves = moves || f.A(j) != f.A(samples[0]) || f.B(j) != f.A(samples[0]);
        sum += f.A(j) + f.B(j);
    }
    Spread spread{sum / (2 * count), 0};
    if (!moves) return spread;
    double squares = 0;
    for (int j : samples)
        squares += (f.A(j) - spread.mean) * (f.A(j) - spread.mean) +
                   (f.B(j) - spread.mean) * (f.B(j) - spread.mean);
    spread.variance = squares / (2 * count);
    return spread;
}

bool WithinRounding(const Spread& spread) {
    const double meanSquare = spread.mean * spread.mean + spread.variance;
    return spread.variance > 0 && spread.variance < kRoundingSpread * kRoundingSpread * meanSquare;
}

// Both estimators over the samples listed (a repeated sample counts as often as it is
// listed), each divided by the variance of the same samples' f(A) and f(B).
std::vector<SobolIndex> Estimate(const Values& f, int dims, const std::vector<int>& samples) {
    const double count = static_cast<double>(samples.size());
    std::vector<SobolIndex> indices(static_cast<std::size_t>(dims));
    // An output that no parameter moves explains nothing.
    const Spread spread = SpreadOf(f, samples);
    if (!(spread.variance > 0)) return indices;
    const double mean = spread.mean, variance = spread.variance;
    for (int i = 0; i < dims; ++i) {
        double first = 0, total = 0;
        for (int j : samples) {
            const double change = f.AB(i, j) - f.A(j);
            // Centred on the mean: the same expectation as f(B) * change, since f(AB_i) and
            // f(A) share theirs, but without the noise an output far from 0 brings.
            first += (f.B(j) - mean) * change;
            total += change * change;
        }
        indices[i].first.value = first / count / variance;
        indices[i].total.value = total / count / 2 / variance;
    }
    return indices;
}

}  // namespace

SaltelliDesign MakeSaltelliDesign(int n, int dims) {
    if (n < 2) throw HalosoilError("The Sobol method needs at least 2 samples.");
    if (dims < 1) throw HalosoilError("The Sobol method needs at least 1 parameter.");
    if (dims > kMostSobolParameters)
        throw HalosoilError("The Sobol method takes at most " +
                            std::to_string(kMostSobolParameters) + " parameters.");
    if (static_cast<long long>(n) * (dims + 2) > std::numeric_limits<int>::max())
        throw HalosoilError("A Sobol design of " + std::to_string(n) + " samples of " +
                            std::to_string(dims) + " parameters has more rows than it can count.");
    const UnitPoints sequence = SobolSequence(n, 2 * dims);
    SaltelliDesign design{n, dims, {n * (dims + 2), dims, {}}};
    design.points.values.reserve(static_cast<std::size_t>(design.points.count) * dims);
    std::vector<double>& values = design.points.values;
    for (int j = 0; j < n; ++j)
        for (int k = 0; k < dims; ++k) values.push_back(sequence.At(j, k));
    for (int j = 0; j < n; ++j)
        for (int k = 0; k < dims; ++k) values.push_back(sequence.At(j, dims + k));
    for (int i = 0; i < dims; ++i)
        for (int j = 0; j < n; ++j)
            for (int k = 0; k < dims; ++k) values.push_back(sequence.At(j, k == i ? dims + k : k));
    return design;
}

SobolResult SobolIndices(const SaltelliDesign& design, const std::vector<double>& outputs,
                         int resamples, std::uint64_t seed) {
    const int n = design.n, dims = design.dims;
    if (n < 2) throw HalosoilError("The Sobol method needs at least 2 samples.");
    if (dims < 1) throw HalosoilError("The Sobol method needs at least 1 parameter.");
    if (resamples < 1) throw HalosoilError("The bootstrap needs at least 1 resample.");
    const std::size_t rows = static_cast<std::size_t>(n) * (dims + 2);
    if (outputs.size() != rows)
        throw HalosoilError("There are " + std::to_string(outputs.size()) +
                            " model values for a design of " + std::to_string(rows) + " rows.");

    const Values f{outputs, n};
    std::vector<int> kept;
    for (int j = 0; j < n; ++j) {
        bool whole = std::isfinite(f.A(j)) && std::isfinite(f.B(j));
        for (int i = 0; i < dims && whole; ++i) whole = std::isfinite(f.AB(i, j));
        if (whole) kept.push_back(j);
    }
    const int used = static_cast<int>(kept.size());
    if (used < 2)
        throw HalosoilError("Only " + std::to_string(used) + " of the " + std::to_string(n) +
                            " samples had no failed model run; the Sobol method needs at "
                            "least 2.");

    const Spread spread = SpreadOf(f, kept);
    if (WithinRounding(spread)) {
        constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
        const Interval undetermined{kNaN, kNaN, kNaN};
        return {std::vector<SobolIndex>(static_cast<std::size_t>(dims),
                                        SobolIndex{undetermined, undetermined}),
                used, true, spread.mean, std::sqrt(spread.variance)};
    }
    SobolResult result{Estimate(f, dims, kept), used, false, spread.mean,
                       std::sqrt(spread.variance)};
    // One resample serves every index, as the samples' runs belong together.
    std::vector<std::vector<double>> firsts(static_cast<std::size_t>(dims));
    std::vector<std::vector<double>> totals(static_cast<std::size_t>(dims));
    std::mt19937_64 random(seed);
    std::vector<int> drawn(kept.size());
    for (int r = 0; r < resamples; ++r) {
        for (int& j : drawn) j = kept[RandomIndex(random, used)];
        const std::vector<SobolIndex> estimate = Estimate(f, dims, drawn);
        for (int i = 0; i < dims; ++i) {
            firsts[i].push_back(estimate[i].first.value);
            totals[i].push_back(estimate[i].total.value);
        }
    }
    for (int i = 0; i < dims; ++i) {
        SobolIndex& index = result.indices[i];
        index.first = PercentileInterval(index.first.value, std::move(firsts[i]));
        index.total = PercentileInterval(index.total.value, std::move(totals[i]));
    }
    return result;
}

}  // namespace halosoil::study
