#include "MorrisEffects.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <numeric>
#include <random>
#include <string>
#include <utility>

#include "Errors.h"
#include "Quantiles.h"

namespace halosoil::study {

namespace {

void CheckSizes(int trajectories, int dims, int levels) {
    if (trajectories < 2) throw HalosoilError("The Morris method needs at least 2 trajectories.");
    if (dims < 1) throw HalosoilError("The Morris method needs at least 1 parameter.");
    if (levels < 2 || levels % 2 != 0)
        throw HalosoilError("The Morris method needs an even number of levels, at least 2.");
}

double MeanOf(const std::vector<double>& values) {
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

}  // namespace

MorrisDesign MakeMorrisDesign(int trajectories, int dims, int levels, std::uint64_t seed) {
    CheckSizes(trajectories, dims, levels);
    if (static_cast<long long>(trajectories) * (dims + 1) > std::numeric_limits<int>::max())
        throw HalosoilError("A Morris design of " + std::to_string(trajectories) +
                            " trajectories of " + std::to_string(dims) +
                            " parameters has more rows than it can count.");
    const int rows = trajectories * (dims + 1);
    MorrisDesign design{trajectories, dims, levels, {rows, dims, {}}, {}, {}};
    design.points.values.reserve(static_cast<std::size_t>(rows) * dims);
    design.changedDim.reserve(static_cast<std::size_t>(rows));
    design.step.reserve(static_cast<std::size_t>(rows));
    // Positions count in grid steps of 1/(levels-1); delta is levels/2 of them. From a level
    // below levels/2 only the step up stays inside the cube, from one above only the step
    // down, so a start drawn evenly from all levels visits every level and both directions
    // equally often.
    const int jump = levels / 2;
    const double gridStep = 1.0 / (levels - 1);
    std::mt19937_64 random(seed);
    std::vector<int> position(static_cast<std::size_t>(dims));
    std::vector<int> order(static_cast<std::size_t>(dims));
    const auto addRow = [&](int changed, double step) {
        for (int level : position) design.points.values.push_back(level * gridStep);
        design.changedDim.push_back(changed);
        design.step.push_back(step);
    };
    for (int t = 0; t < trajectories; ++t) {
        for (int& level : position) level = RandomIndex(random, levels);
        std::iota(order.begin(), order.end(), 0);
        for (int k = dims - 1; k > 0; --k) std::swap(order[k], order[RandomIndex(random, k + 1)]);
        addRow(-1, 0);
        for (int dim : order) {
            const double before = position[dim] * gridStep;
            position[dim] += position[dim] < jump ? jump : -jump;
            // The step as the coordinates differ, so that EE divides by what really changed.
            addRow(dim, position[dim] * gridStep - before);
        }
    }
    design.points.count = rows;
    return design;
}

std::vector<MorrisEffect> MorrisEffects(const MorrisDesign& design,
                                        const std::vector<double>& outputs, int resamples,
                                        std::uint64_t seed) {
    const int dims = design.dims;
    CheckSizes(design.trajectories, dims, design.levels);
    if (resamples < 1) throw HalosoilError("The bootstrap needs at least 1 resample.");
    const std::size_t rows = static_cast<std::size_t>(design.trajectories) * (dims + 1);
    if (outputs.size() != rows)
        throw HalosoilError("There are " + std::to_string(outputs.size()) +
                            " model values for a design of " + std::to_string(rows) + " rows.");
    // A design put together by hand must still be trajectories: a start row, then rows
    // that each change one parameter by a step that is not 0.
    bool trajectories = design.changedDim.size() == rows && design.step.size() == rows;
    for (std::size_t row = 0; row < rows && trajectories; ++row) {
        const int dim = design.changedDim[row];
        trajectories = row % static_cast<std::size_t>(dims + 1) == 0
                           ? dim == -1
                           : dim >= 0 && dim < dims && design.step[row] != 0;
    }
    if (!trajectories)
        throw HalosoilError("The rows of the Morris design do not form its trajectories.");

    // Each trajectory gives at most one effect per parameter, so resampling a parameter's
    // kept effects resamples the trajectories that gave one.
    std::vector<std::vector<double>> effects(static_cast<std::size_t>(dims));
    for (std::size_t row = 0; row < rows; ++row) {
        const int dim = design.changedDim[row];
        if (dim < 0) continue;
        const double before = outputs[row - 1], after = outputs[row];
        if (!std::isfinite(before) || !std::isfinite(after)) continue;
        effects[dim].push_back((after - before) / design.step[row]);
    }

    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<MorrisEffect> result(static_cast<std::size_t>(dims));
    std::mt19937_64 random(seed);
    for (int dim = 0; dim < dims; ++dim) {
        const std::vector<double>& ee = effects[dim];
        MorrisEffect& effect = result[dim];
        effect.effects = static_cast<int>(ee.size());
        if (ee.empty()) {
            effect.muStar = {nan, nan, nan};
            effect.mu = effect.sigma = nan;
            continue;
        }
        std::vector<double> sizes(ee.size());
        for (std::size_t k = 0; k < ee.size(); ++k) sizes[k] = std::abs(ee[k]);
        effect.mu = MeanOf(ee);
        double squares = 0;
        for (double value : ee) squares += (value - effect.mu) * (value - effect.mu);
        effect.sigma = ee.size() > 1 ? std::sqrt(squares / static_cast<double>(ee.size() - 1)) : 0;
        std::vector<double> estimates;
        estimates.reserve(static_cast<std::size_t>(resamples));
        std::vector<double> drawn(sizes.size());
        for (int r = 0; r < resamples; ++r) {
            for (double& value : drawn) value = sizes[RandomIndex(random, effect.effects)];
            estimates.push_back(MeanOf(drawn));
        }
        effect.muStar =
            PercentileInterval(MeanOf(sizes), std::move(estimates), ExpandedTail(effect.effects));
    }
    return result;
}

}  // namespace halosoil::study
