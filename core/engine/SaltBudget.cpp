#include "SaltBudget.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "RunInputs.h"
#include "RunSaltInputs.h"
#include "SaltBalanceDays.h"

namespace halosoil {

namespace {

struct NoResults {
    void Salinities(int, const double (&)[kZoneCount + 1]) {}
};

// Sums each day's flows into the budget of its step.
class BudgetDays {
public:
    BudgetDays(const RunSaltInputs& in, std::vector<StepSaltBudget>& budget)
        : in_(in), budget_(budget) {}

    void Day(int i, const double (&start)[kZoneCount + 1], const LaneSalinities<double>& z) {
        StepSaltBudget& step = budget_[static_cast<std::size_t>(i)];
        const int layers = in_.Layers();
        const int j = 1;  // every day of a step has the step's flows
        for (int zone = Layer1; zone <= Aquif; ++zone) {
            if (zone > layers && zone < Trans) continue;
            step[zone].storageChange += in_.W(zone) * (z.s[zone] - start[zone]);
        }
        step[Layer1].irrigation += in_.IrrigSalt(i);
        // Root-zone layers top down, then the transition zone: what percolates out of a zone
        // enters the next one down, what rises into it leaves the next one.
        int above = 0;
        for (int zone = Layer1; zone <= Trans; ++zone) {
            if (zone > layers && zone < Trans) continue;
            if (above != 0) {
                const double leachate = in_.LeachEff(above) * in_.Perc(above, i, j) * z.avg[above];
                step[above].percolationOut += leachate;
                step[zone].percolationIn += leachate;
                const double rise = in_.Cap(above, i, j) * start[zone];
                step[zone].capillaryRiseOut += rise;
                step[above].capillaryRiseIn += rise;
            }
            above = zone;
        }
        const double leT = in_.LeachEff(Trans), leA = in_.LeachEff(Aquif);
        const double drained = in_.d.SaltBalance == SaltBalanceKind::Conserving
                                   ? in_.Drain(i) / in_.TstLength()
                                   : in_.Drain(i);
        step[Trans].drainage += leT * drained * z.avg[Trans];
        const double down = leT * in_.Down() * z.avg[Trans];
        step[Trans].seepageOut += down;
        step[Aquif].seepageIn += down;
        const double up = in_.Up() * start[Aquif];
        step[Aquif].seepageOut += up;
        step[Trans].seepageIn += up;
        step[Aquif].groundwaterInflow += in_.LateralSalt();
        step[Aquif].groundwaterOutflow += leA * in_.GrwtOut() * z.avg[Aquif];
    }

private:
    const RunSaltInputs& in_;
    std::vector<StepSaltBudget>& budget_;
};

// A number of any size in a few digits: 1.39e+120, 250, 0.1.
std::string Short(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

constexpr const char* kZoneNames[] = {
    "", "layer 1", "layer 2", "layer 3", "the transition zone", "the aquifer"};

}  // namespace

std::vector<StepSaltBudget> SaltBudgetOf(const InputData& data, const RunState& state) {
    const RunInputs in = MakeRunInputs(data);
    const RunSaltInputs inputs{in, state};
    std::vector<StepSaltBudget> budget(static_cast<std::size_t>(in.NrTst < 0 ? 0 : in.NrTst) + 1);
    NoResults results;
    BudgetDays days(inputs, budget);
    double sse[kZoneCount + 1];
    if (in.SaltBalance == SaltBalanceKind::Conserving)
        SaltBalanceDays<double, SaltBalanceKind::Conserving>(inputs, results, sse, days);
    else
        SaltBalanceDays<double, SaltBalanceKind::Specified>(inputs, results, sse, days);
    return budget;
}

SaltBudgetTotals TotalsOf(const std::vector<StepSaltBudget>& budget, const RunState& state,
                          const InputData& data) {
    SaltBudgetTotals totals;
    for (std::size_t i = 1; i < budget.size(); ++i) {
        totals.inflow += budget[i][Layer1].irrigation + budget[i][Layer1].rain +
                         budget[i][Aquif].groundwaterInflow;
        for (int zone = Layer1; zone <= Aquif; ++zone)
            totals.imbalance += budget[i][zone].Imbalance();
        for (int zone : ZonesOf(LayerCount(data))) {
            const double salinity = state.Salinity(zone)[i];
            // NaN and infinity are reported too: no balance should give them.
            if (!(salinity <= totals.highestSalinity)) {
                totals.highestSalinity = salinity;
                totals.highestZone = zone;
                totals.highestStep = static_cast<int>(i);
            }
        }
    }
    return totals;
}

std::vector<std::string> SaltBudgetWarnings(const SaltBudgetTotals& totals) {
    std::vector<std::string> warnings;
    const double allowed = kImbalanceShareReported * totals.inflow;
    if (!(std::fabs(totals.imbalance) <= allowed) && std::fabs(totals.imbalance) > 1e-6)
        warnings.push_back(
            "the salt balance " + std::string(totals.imbalance > 0 ? "made " : "lost ") +
            Short(std::fabs(totals.imbalance)) +
            " mm x dS/m that no flow brought or took, against " + Short(totals.inflow) +
            " mm x dS/m that came in with irrigation and groundwater (more than " +
            Short(100 * kImbalanceShareReported) +
            " %); the conserving salt balance keeps to what comes in");
    if (!(totals.highestSalinity <= kHighestPlausibleSalinity))
        warnings.push_back("the salinity of " + std::string(kZoneNames[totals.highestZone]) +
                           " reaches " + Short(totals.highestSalinity) + " dS/m in step " +
                           std::to_string(totals.highestStep) + ", more than the " +
                           Short(kHighestPlausibleSalinity) + " dS/m that soil water can hold");
    return warnings;
}

}  // namespace halosoil
