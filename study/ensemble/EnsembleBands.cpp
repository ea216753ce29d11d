// The prediction bands of an ensemble, and what its stopped members count for in them.
#include <algorithm>
#include <cmath>

#include "Ensemble.h"
#include "NotANumber.h"
#include "Quantiles.h"
#include "ShortestText.h"

namespace halosoil::study {

namespace {

bool Beyond(const Threshold& threshold, double value) {
    return threshold.above ? value > threshold.value : value < threshold.value;
}

// Whether the member exceeds the threshold at the step, as far as its run tells; a member
// whose run does not tell counts as not exceeding.
bool Exceeds(const EnsembleResult& result, int member, std::size_t quantity, int step,
             const Threshold& threshold) {
    const int stopped = result.stoppedStep[static_cast<std::size_t>(member)];
    if (stopped == 0) return Beyond(threshold, result.At(member, quantity, step));
    // A stopped run never reached its salt balance: its salinities are not results.
    if (InfoOf(threshold.quantity).zone != 0) return false;
    if (step < stopped) return Beyond(threshold, result.At(member, quantity, step));
    if (threshold.quantity != Quantity::DepthWaterTable) return false;
    // The water table left the aquifer at the stop step, at this depth, and does not come
    // back: deeper than any lesser threshold, shallower than none.
    const double lastDepth = result.At(member, quantity, stopped);
    return threshold.above && lastDepth > threshold.value;
}

// A crop's yield comes of the salt balance, which a stopped run never reaches: a stopped
// member counts as not beyond, as its salinities do.
bool YieldExceeds(const EnsembleResult& result, int member, int step, const Threshold& threshold) {
    if (result.stoppedStep[static_cast<std::size_t>(member)] != 0) return false;
    return Beyond(threshold, result.YieldAt(member, step));
}

// The quantiles of the values, which it sorts.
void SetQuantiles(BandRow& row, std::vector<double>& values) {
    std::sort(values.begin(), values.end());
    row.q05 = Quantile(values, 0.05);
    row.q25 = Quantile(values, 0.25);
    row.q50 = Quantile(values, 0.50);
    row.q75 = Quantile(values, 0.75);
    row.q95 = Quantile(values, 0.95);
}

}  // namespace

std::vector<BandRow> Bands(const EnsembleResult& result, const std::vector<Threshold>& thresholds) {
    std::vector<int> through, ran;
    for (int m = 0; m < result.members; ++m) {
        const int stopped = result.stoppedStep[static_cast<std::size_t>(m)];
        if (stopped == 0) through.push_back(m);
        if (stopped >= 0) ran.push_back(m);
    }
    const double members = static_cast<double>(ran.size());
    std::vector<BandRow> rows;
    std::vector<double> values(through.size());
    for (int step = 1; step <= result.steps; ++step) {
        const auto stoppedBy = std::count_if(ran.begin(), ran.end(), [&](int m) {
            return result.stoppedStep[static_cast<std::size_t>(m)] <= step &&
                   result.stoppedStep[static_cast<std::size_t>(m)] > 0;
        });
        for (std::size_t k = 0; k < result.quantities.size(); ++k) {
            BandRow row;
            row.step = step;
            row.quantity = result.quantities[k];
            row.pStopped = ran.empty() ? kNaN : static_cast<double>(stoppedBy) / members;
            double sum = 0;
            for (std::size_t n = 0; n < through.size(); ++n) {
                values[n] = result.At(through[n], k, step);
                sum += values[n];
            }
            row.mean = through.empty() ? kNaN : sum / static_cast<double>(through.size());
            row.pExceed = kNaN;
            for (const Threshold& threshold : thresholds) {
                if (threshold.relativeYield || threshold.quantity != row.quantity || ran.empty())
                    continue;
                const auto beyond = std::count_if(ran.begin(), ran.end(), [&](int m) {
                    return Exceeds(result, m, k, step, threshold);
                });
                row.pExceed = static_cast<double>(beyond) / members;
            }
            SetQuantiles(row, values);
            rows.push_back(row);
        }
        if (result.yields.empty()) continue;
        BandRow row;
        row.step = step;
        row.relativeYield = true;
        row.pStopped = ran.empty() ? kNaN : static_cast<double>(stoppedBy) / members;
        double sum = 0;
        for (std::size_t n = 0; n < through.size(); ++n) {
            values[n] = result.YieldAt(through[n], step);
            sum += values[n];
        }
        row.mean = through.empty() ? kNaN : sum / static_cast<double>(through.size());
        row.pExceed = kNaN;
        for (const Threshold& threshold : thresholds) {
            if (!threshold.relativeYield || ran.empty()) continue;
            const auto beyond = std::count_if(ran.begin(), ran.end(), [&](int m) {
                return YieldExceeds(result, m, step, threshold);
            });
            row.pExceed = static_cast<double>(beyond) / members;
        }
        SetQuantiles(row, values);
        rows.push_back(row);
    }
    return rows;
}

std::string BandsCsv(const std::vector<BandRow>& rows) {
    std::string text = "step,quantity,mean,q05,q25,q50,q75,q95,p_exceed,p_stopped\n";
    for (const BandRow& row : rows) {
        text += std::to_string(row.step) + "," +
                (row.relativeYield ? "relative_yield" : InfoOf(row.quantity).name);
        for (double value :
             {row.mean, row.q05, row.q25, row.q50, row.q75, row.q95, row.pExceed, row.pStopped}) {
            text += ',';
            text += ShortestText(value);
        }
        text += '\n';
    }
    return text;
}

}  // namespace halosoil::study
