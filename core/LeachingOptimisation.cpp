#include "LeachingOptimisation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "CalibrationKernels.h"
#include "SpeculativeSearch.h"
#include "TrialThreads.h"
#include "TrialValues.h"
#include "VectorUnit.h"
#include "ZoneUpdate.h"

namespace halosoil {

namespace {

constexpr double kSumCap = 1000;
constexpr int kTrials = 180;

// The sum of one trial, with the difference of the searched zone added on the last day of
// every step that has a measurement.
class Trial {
public:
    Trial(const RunInputs& data, int zone, bool absolute)
        : d_(data), zone_(zone), absolute_(absolute) {
        for (int z = Layer1; z <= Aquif; ++z) zones.s[z] = data.InitSalt[z];
    }

    void Measure(int i, int j) {
        const double measured = d_.MeasSalt[zone_][i];
        if (measured > 0 && j == d_.TstLength) {
            const double difference = zones.s[zone_] - measured;
            sse = sse + (absolute_ ? std::fabs(difference) : difference * difference);
            if (sse > kSumCap) sse = kSumCap;
        }
    }

    ZoneSalinities zones;
    double sse = 0;

private:
    const RunInputs& d_;
    int zone_;
    bool absolute_;
};

// Members 1 to 3. With one layer the aquifer's lateral inflow and outflow of salt are taken
// TstLength times on every day, and the transition-zone member uses the single irrigation
// salinity; the members for the transition zone and the aquifer leave layer 1 unbounded.
double OneLayerTrial(const RunInputs& d, const RunState& st, const ZoneValues& le, int zone,
                     double e) {
    const bool searchRoot = zone == Layer1;
    const bool searchTrans = zone == Trans;
    const bool searchAquif = zone == Aquif;
    Trial trial(d, zone, false);
    ZoneSalinities& z = trial.zones;
    const SaltFloor layerFloor = searchRoot ? SaltFloor::AtZero : SaltFloor::None;
    const double tstLength = d.TstLength;
    for (int i = 1; i <= d.NrTst; ++i) {
        const double irrigationSalinity = searchTrans ? d.SaltIrrig : d.IrrSal[i];
        for (int j = 1; j <= d.TstLength; ++j) {
            const double perc1 = st.DayPerc1(i, j);
            z.Update(Layer1, d.IrrigSpread[i] * irrigationSalinity + st.DayCap1(i, j) * z.s[Trans],
                     (searchRoot ? e : le[Layer1]) * perc1, st.W1, layerFloor);
            if (searchRoot) trial.Measure(i, j);
            z.Update(Trans,
                     (searchRoot ? e : le[Layer1]) * perc1 * z.avg[Layer1] + st.Up * z.s[Aquif],
                     (searchTrans ? e : le[Trans]) * (st.Drain[i] + st.Down), st.Wt,
                     SaltFloor::BelowZero);
            if (searchTrans) trial.Measure(i, j);
            z.Update(Aquif,
                     (searchTrans ? e : le[Trans]) * st.Down * z.avg[Trans] +
                         d.GrwtInf * d.SalInf * tstLength,
                     (searchAquif ? e : le[Aquif]) * (tstLength * d.GrwtOut + st.Up), st.Wa,
                     SaltFloor::BelowZero);
            if (searchAquif) trial.Measure(i, j);
        }
    }
    return trial.sse;
}

// Members 4 to 7. The layer-1 member also tries its efficiency on layer 2's outflow and on
// the leachate into the transition zone; the aquifer member weighs the upward seepage into
// the transition zone with the aquifer's efficiency; only the layer-2 member weighs the
// transition zone's leachate into the aquifer.
double TwoLayerTrial(const RunInputs& d, const RunState& st, const ZoneValues& le, int zone,
                     double e) {
    const bool search1 = zone == Layer1;
    const bool search2 = zone == Layer2;
    const bool searchTrans = zone == Trans;
    const bool searchAquif = zone == Aquif;
    Trial trial(d, zone, false);
    ZoneSalinities& z = trial.zones;
    for (int i = 1; i <= d.NrTst; ++i) {
        for (int j = 1; j <= d.TstLength; ++j) {
            const double perc1 = st.DayPerc1(i, j);
            const double perc2 = st.DayPerc2(i, j);
            const double cap1 = st.DayCap1(i, j);
            z.Update(Layer1, d.IrrigSpread[i] * d.IrrSal[i] + cap1 * z.s[Layer2],
                     (search1 ? e : le[Layer1]) * perc1, st.W1, SaltFloor::AtZero);
            if (search1) trial.Measure(i, j);
            z.Update(Layer2, le[Layer1] * perc1 * z.avg[Layer1] + st.DayCap2(i, j) * z.s[Trans],
                     (search1 || search2 ? e : le[Layer2]) * (perc2 + cap1), st.W2,
                     SaltFloor::AtZero);
            if (search2) trial.Measure(i, j);
            const double seepageIn =
                searchAquif ? le[Aquif] * st.Up * z.s[Aquif] : st.Up * z.s[Aquif];
            z.Update(Trans, (search1 ? e : le[Layer2]) * perc2 * z.avg[Layer2] + seepageIn,
                     (searchTrans ? e : le[Trans]) * (st.Drain[i] + st.Down), st.Wt,
                     SaltFloor::BelowZero);
            if (searchTrans) trial.Measure(i, j);
            const double leachate =
                search2 ? le[Trans] * st.Down * z.avg[Trans] : st.Down * z.avg[Trans];
            z.Update(Aquif, leachate + d.GrwtInf * d.SalInf,
                     (searchAquif ? e : le[Aquif]) * (d.GrwtOut + st.Up), st.Wa,
                     SaltFloor::BelowZero);
            if (searchAquif) trial.Measure(i, j);
        }
    }
    return trial.sse;
}

// Members 8 to 12. The layer-1 member also tries its efficiency on the leachate into layer 2
// and sums absolute differences; the layer-3 member also on the leachate into the transition
// zone; the aquifer takes the transition zone's leachate unweighted.
double ThreeLayerTrial(const RunInputs& d, const RunState& st, const ZoneValues& le, int zone,
                       double e) {
    const bool search1 = zone == Layer1;
    const bool search2 = zone == Layer2;
    const bool search3 = zone == Layer3;
    const bool searchTrans = zone == Trans;
    const bool searchAquif = zone == Aquif;
    Trial trial(d, zone, search1);
    ZoneSalinities& z = trial.zones;
    for (int i = 1; i <= d.NrTst; ++i) {
        for (int j = 1; j <= d.TstLength; ++j) {
            const double perc1 = st.DayPerc1(i, j);
            const double perc2 = st.DayPerc2(i, j);
            const double perc3 = st.DayPerc3(i, j);
            const double cap1 = st.DayCap1(i, j);
            const double cap2 = st.DayCap2(i, j);
            z.Update(Layer1, d.IrrigSpread[i] * d.IrrSal[i] + cap1 * z.s[Layer2],
                     (search1 ? e : le[Layer1]) * perc1, st.W1, SaltFloor::AtZero);
            if (search1) trial.Measure(i, j);
            z.Update(Layer2,
                     (search1 ? e : le[Layer1]) * perc1 * z.avg[Layer1] + cap2 * z.s[Layer3],
                     (search2 ? e : le[Layer2]) * (perc2 + cap1), st.W2, SaltFloor::AtZero);
            if (search2) trial.Measure(i, j);
            z.Update(Layer3, le[Layer2] * perc2 * z.avg[Layer2] + st.DayCap3(i, j) * z.s[Trans],
                     (search3 ? e : le[Layer3]) * (perc3 + cap2), st.W3, SaltFloor::BelowZero);
            if (search3) trial.Measure(i, j);
            z.Update(Trans, (search3 ? e : le[Layer3]) * perc3 * z.avg[Layer3] + st.Up * z.s[Aquif],
                     (searchTrans ? e : le[Trans]) * (st.Drain[i] + st.Down), st.Wt,
                     SaltFloor::BelowZero);
            if (searchTrans) trial.Measure(i, j);
            z.Update(Aquif, st.Down * z.avg[Trans] + d.GrwtInf * d.SalInf,
                     (searchAquif ? e : le[Aquif]) * (d.GrwtOut + st.Up), st.Wa,
                     SaltFloor::BelowZero);
            if (searchAquif) trial.Measure(i, j);
        }
    }
    return trial.sse;
}

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
    double best_ = 1000000;
};

void OptimiseTrialByTrial(const RunInputs& data, const RunState& state, ZoneValues& le, int zone) {
    BestEfficiency best;
    for (double e : TrialEfficiencies())
        best.Offer(LeachingTrial(data, state, le, zone, e), e, le[zone]);
}

// The sums of the trials numbered in `trials` (indices into efficiencies), trial k seeing
// assumed[k] as the working efficiency of the searched zone: one share of whole groups of
// lanes per thread. A share short of lanes repeats its last trial and ignores those lanes.
// A trial past `bound` may stop early and report the sum it had then.
std::vector<double> SumsOfTrials(const RunInputs& data, const RunState& state, const ZoneValues& le,
                                 int zone, const std::vector<double>& efficiencies,
                                 const std::vector<int>& trials, const std::vector<double>& assumed,
                                 SumBound bound, const EngineOptions& options) {
    const VectorUnit unit = ChosenVectorUnit(options.widestVectorUnit);
    const int count = static_cast<int>(trials.size());
    const int groups = (count + kTrialLanes - 1) / kTrialLanes;
    // A thread of its own pays for a share of at least two groups.
    const int threads = std::min(TrialThreadCount(options.threads), std::max(1, groups / 2));
    const int perShare = (groups + threads - 1) / threads * kTrialLanes;
    const int shares = (count + perShare - 1) / perShare;
    std::vector<double> sums(trials.size());
    RunTasks(shares, threads, [&](int s) {
        const int start = s * perShare;
        const int length = std::min(perShare, count - start);
        double e[kMostTrialsAtOnce], leSearched[kMostTrialsAtOnce], sse[kMostTrialsAtOnce];
        for (int k = 0; k < perShare; ++k) {
            const int m = start + std::min(k, length - 1);
            e[k] = efficiencies[trials[m]];
            leSearched[k] = assumed[m];
        }
        MemberLanes(data, state, le, zone, e, leSearched, sse, perShare, bound, unit);
        for (int k = 0; k < length; ++k) sums[start + k] = sse[k];
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
    switch (data.Layers) {
        case 1:
            return OneLayerTrial(data, state, le, zone, e);
        case 2:
            return TwoLayerTrial(data, state, le, zone, e);
        default:
            return ThreeLayerTrial(data, state, le, zone, e);
    }
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
    if (options.reference)
        OptimiseTrialByTrial(data, state, le, zone);
    else if (ReadsSearchedEfficiency(data.Layers, zone))
        OptimiseSpeculatively(data, state, le, zone, options);
    else
        OptimiseSideBySide(data, state, le, zone, options);
}

}  // namespace halosoil
