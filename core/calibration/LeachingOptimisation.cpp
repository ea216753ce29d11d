#include "LeachingOptimisation.h"

#include <algorithm>

#include "CalibrationKernels.h"
#include "ConservingOptimisation.h"
#include "MemberTrials.h"
#include "SpeculativeSearch.h"
#include "TrialThreads.h"
#include "TrialValues.h"
#include "VectorUnit.h"

namespace halosoil {

namespace {

constexpr int kTrials = 180;

// Keeps the first trial efficiency with the smallest sum, as the search has always done.
class BestEfficiency {
public:
    // Whether the trial improved; the working efficiency then becomes its efficiency.
    bool Offer(double sse, double e, double& working) {
        if (!(sse < best_)) return false;
        best_ = sse;
        working = e;
        return true;
    }

private:
    double best_ = kStartingBestSum;
};

void OptimiseTrialByTrial(const RunInputs& data, const RunState& state, ZoneValues& le, int zone) {
    BestEfficiency best;
    for (double e : TrialEfficiencies())
        best.Offer(LeachingTrial(data, state, le, zone, e), e, le[zone]);
}

// The sums of the trials numbered in `trials` (indices into efficiencies), trial k seeing
// assumed[k] as the working efficiency of the searched zone: the trials cut into groups of
// lanes, dealt to the threads' shares in turn. Trials next to each other run alike (near the
// best they run to the end, far from it they stop early), so each share takes groups from all
// over the range and the threads finish together. A share short of lanes repeats its last
// trial and ignores those lanes. A trial past `bound` may stop early and report the sum it had
// then.
std::vector<double> SumsOfTrials(const RunInputs& data, const RunState& state, const ZoneValues& le,
                                 int zone, const std::vector<double>& efficiencies,
                                 const std::vector<int>& trials, const std::vector<double>& assumed,
                                 SumBound bound, const EngineOptions& options) {
    const VectorUnit unit = ChosenVectorUnit(options.widestVectorUnit);
    const int count = static_cast<int>(trials.size());
    const int groups = (count + kTrialLanes - 1) / kTrialLanes;
    // A thread of its own pays for a share of at least two groups.
    const int shares = std::min(TrialThreadCount(options.threads), std::max(1, groups / 2));
    std::vector<double> sums(trials.size());
    RunTasks(shares, shares, [&](int s) {
        double e[kMostTrialsAtOnce]{}, leSearched[kMostTrialsAtOnce]{}, sse[kMostTrialsAtOnce];
        int taken[kMostTrialsAtOnce];
        int lanes = 0;
        for (int g = s; g < groups; g += shares)
            for (int k = 0; k < kTrialLanes; ++k) {
                const int m = std::min(g * kTrialLanes + k, count - 1);
                taken[lanes] = g * kTrialLanes + k;
                e[lanes] = efficiencies[trials[m]];
                leSearched[lanes] = assumed[m];
                ++lanes;
            }
        MemberLanes(data, state, le, zone, e, leSearched, sse, lanes, bound, unit);
        for (int k = 0; k < lanes; ++k)
            if (taken[k] < count) sums[taken[k]] = sse[k];
    });
    return sums;
}

// A member whose trials do not read the searched zone's working efficiency, so that each
// trial's sum is its own and the plain loop keeps the first trial with the smallest sum. A
// sample of trials spread over the range is computed first; the smallest of their sums then
// bounds the others, which stop as soon as their growing sums exceed it, since they cannot be
// the first with the smallest sum.
void OptimiseSideBySide(const RunInputs& data, const RunState& state, ZoneValues& le, int zone,
                        const EngineOptions& options) {
    const std::vector<double> efficiencies = TrialEfficiencies();
    const int sampleSize = 2 * kTrialLanes * TrialThreadCount(options.threads);
    std::vector<int> sample, others;
    for (int t = 0; t < kTrials; ++t) {
        const bool sampled =
            sampleSize < kTrials && t * (sampleSize - 1) % (kTrials - 1) < sampleSize - 1;
        (sampled ? sample : others).push_back(t);
    }
    std::vector<double> sums(kTrials);
    const auto compute = [&](const std::vector<int>& trials, SumBound bound) {
        const std::vector<double> found =
            SumsOfTrials(data, state, le, zone, efficiencies, trials,
                         std::vector<double>(trials.size(), le[zone]), bound, options);
        for (std::size_t k = 0; k < trials.size(); ++k) sums[trials[k]] = found[k];
    };
    compute(sample, SumBound{});
    SumBound bound;  // exceeding, not reaching: an earlier trial with an equal sum would win
    for (int t : sample)
        if (sums[t] < bound.value) bound.value = sums[t];
    compute(others, bound);
    BestEfficiency best;
    for (int t = 0; t < kTrials; ++t) best.Offer(sums[t], efficiencies[t], le[zone]);
}

// A member whose trials read the searched zone's working efficiency: blocks of trials on
// an assumption of what each trial sees, checked in order. A trial whose sum reaches the best
// before its block stops early: it cannot improve.
void OptimiseSpeculatively(const RunInputs& data, const RunState& state, ZoneValues& le, int zone,
                           const EngineOptions& options) {
    // Two groups of lanes where the guesses are unsure; three a thread where they hold.
    const int leastBlock = 2 * kTrialLanes;
    const int mostBlock = std::max(leastBlock, 3 * kTrialLanes * TrialThreadCount(options.threads));
    const std::vector<double> efficiencies = TrialEfficiencies();
    le[zone] =
        SearchSpeculatively(efficiencies, le[zone], leastBlock, mostBlock,
                            [&](int first, int count, const std::vector<double>& assumed,
                                std::vector<double>& sums, double best) {
                                std::vector<int> trials(count);
                                for (int m = 0; m < count; ++m) trials[m] = first + m;
                                const std::vector<double> found = SumsOfTrials(
                                    data, state, le, zone, efficiencies, trials,
                                    std::vector<double>(assumed.begin(), assumed.begin() + count),
                                    SumBound{best, true}, options);
                                std::copy(found.begin(), found.end(), sums.begin());
                            });
}

}  // namespace

double LeachingTrial(const RunInputs& data, const RunState& state, const ZoneValues& le, int zone,
                     double e) {
    // The member's lanes at the width of one: the trial sees le[zone] as its zone's working
    // efficiency.
    double sse = 0;
    members::MemberBody<double>(data, state, le, zone, &e, &le[zone], &sse, 1, SumBound{});
    return sse;
}

std::vector<int> OptimisationOrder(int layers) {
    std::vector<int> order = ZonesOf(layers);
    if (layers == 3) {
        order.push_back(Trans);
        order.push_back(Aquif);
    }
    return order;
}

std::vector<double> TrialEfficiencies() {
    return TrialValues(0.1, 0.01, kTrials);
}

bool ReadsSearchedEfficiency(int layers, int zone) {
    if (layers == 2) return zone == Layer1 || zone == Layer2 || zone == Aquif;
    return layers == 3 && zone == Layer2;
}

void OptimiseLeachEff(const RunInputs& data, const RunState& state, ZoneValues& le, int zone,
                      const EngineOptions& options) {
    if (data.SaltBalance == SaltBalanceKind::Conserving)
        OptimiseConserving(data, state, le, zone);
    else if (options.reference)
        OptimiseTrialByTrial(data, state, le, zone);
    else if (ReadsSearchedEfficiency(data.Layers, zone))
        OptimiseSpeculatively(data, state, le, zone, options);
    else
        OptimiseSideBySide(data, state, le, zone, options);
}

}  // namespace halosoil
