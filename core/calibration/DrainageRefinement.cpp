#include "DrainageRefinement.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "CalibrationKernels.h"
#include "TrialThreads.h"
#include "TrialValues.h"
#include "VectorUnit.h"
#include "WaterBalance.h"

namespace halosoil {

namespace {

constexpr int kTrials = 200;

// A trial must bring the residual below this to be chosen at all.
constexpr double kStartingBestResidual = 100000.0;
// A winner outside these capacities lies at an end of the searched range: the search found no
// capacity of its own.
constexpr double kLowestOwnCapacity = 0.002;
constexpr double kHighestOwnCapacity = 0.199;

// Keeps the first trial that reached the smallest |residual| below the starting best.
class BestCapacity {
public:
    explicit BestCapacity(double entered) : q_(entered) {}

    void Offer(double q, double smallest) {
        if (smallest < best_) {
            best_ = smallest;
            q_ = q;
            found_ = true;
        }
    }

    // The ends of the range mean the search found no capacity of its own.
    void Decide(RunState& state, double entered) const {
        state.QH1Refined = found_ && !(q_ > kHighestOwnCapacity || q_ < kLowestOwnCapacity);
        state.QH1Used = state.QH1Refined ? q_ : entered;
    }

private:
    double best_ = kStartingBestResidual;
    double q_;
    bool found_ = false;
};

void RefineTrialByTrial(const RunInputs& data, RunState& state) {
    BestCapacity best(data.QH1);
    std::vector<double> residuals(static_cast<std::size_t>(data.NrTst) + 1, 0.0);
    for (double q : RefinementCapacities()) {
        RefinementTrial(data, state, q, residuals);
        for (int i = 1; i <= data.NrTst; ++i) best.Offer(q, std::fabs(residuals[i]));
    }
    best.Decide(state, data.QH1);
}

// The trials cut into shares for the threads, heaviest first: those that take ten sub-steps a
// day (from 0.02 on) one share per thread, then those that take one step a day (below 0.02)
// likewise. The threads take the shares in that order, so whichever ends its ten-sub-step
// share first takes the light ones, and both end together. A share short of lanes repeats its
// last capacity and ignores what those lanes give.
void RefineSideBySide(const RunInputs& data, RunState& state, const EngineOptions& options) {
    const std::vector<double> capacities = RefinementCapacities();
    const int threads = TrialThreadCount(options.threads);
    struct Share {
        int first, count;
        bool ten;
    };
    // The capacities rise: those below kSubStepCapacity come first.
    const int firstTen =
        static_cast<int>(std::find_if(capacities.begin(), capacities.end(),
                                      [](double q) { return !(q < kSubStepCapacity); }) -
                         capacities.begin());
    std::vector<Share> shares;
    const auto cut = [&](int first, int end, bool ten) {
        const int perThread = (end - first + threads - 1) / threads;
        const int perShare =
            (perThread + kRefinementLanes - 1) / kRefinementLanes * kRefinementLanes;
        for (int start = first; start < end; start += perShare)
            shares.push_back({start, std::min(perShare, end - start), ten});
    };
    cut(firstTen, kTrials, true);
    cut(0, firstTen, false);
    std::vector<double> smallest(kTrials);
    const VectorUnit unit = ChosenVectorUnit(options.widestVectorUnit);
    RunTasks(static_cast<int>(shares.size()), threads, [&](int s) {
        const Share& share = shares[s];
        const int lanes =
            (share.count + kRefinementLanes - 1) / kRefinementLanes * kRefinementLanes;
        double q[kMostTrialsAtOnce], found[kMostTrialsAtOnce];
        for (int k = 0; k < lanes; ++k)
            q[k] = capacities[share.first + std::min(k, share.count - 1)];
        RefinementLanes(data, state, q, lanes, share.ten, found, unit);
        for (int k = 0; k < share.count; ++k) smallest[share.first + k] = found[k];
    });
    BestCapacity best(data.QH1);
    for (int t = 0; t < kTrials; ++t) best.Offer(capacities[t], smallest[t]);
    best.Decide(state, data.QH1);
    // The lanes keep no flows of their trials; the state shows those of the last trial, as
    // the trial-by-trial loop leaves it, for the steps a pass that stops early never reaches.
    LeaveLastRefinementTrial(data, state);
}

}  // namespace

std::vector<double> RefinementCapacities() {
    return TrialValues(0, 0.001, kTrials);
}

void RefinementTrial(const RunInputs& data, RunState& state, double q,
                     std::vector<double>& residuals) {
    WaterBalance balance(data, state);
    balance.Start();
    double accumulated = 0;
    for (int i = 1; i <= data.NrTst; ++i) {
        double residual = 0;
        balance.Step(i, q, false, &residual);
        accumulated = accumulated + residual;
        residuals[i] = accumulated;
    }
}

void RefineDrainageCapacity(const RunInputs& data, RunState& state, const EngineOptions& options) {
    if (options.reference)
        RefineTrialByTrial(data, state);
    else
        RefineSideBySide(data, state, options);
}

void LeaveLastRefinementTrial(const RunInputs& data, RunState& state) {
    std::vector<double> residuals(static_cast<std::size_t>(data.NrTst) + 1, 0.0);
    RefinementTrial(data, state, RefinementCapacities().back(), residuals);
}

}  // namespace halosoil
