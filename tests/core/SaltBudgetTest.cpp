// The salt budget of a run, and the conserving salt balance it shows to close.

#include <gtest/gtest.h>

#include <cmath>

#include "Engine.h"
#include "EngineTestSupport.h"
#include "ExampleProjects.h"
#include "FixedAnswersHost.h"
#include "InputFile.h"
#include "ProjectBuilder.h"
#include "QuantityCatalogue.h"
#include "SaltBudget.h"
#include "SameResults.h"

namespace halosoil {
namespace {

// One root-zone layer, steps of one day: 10 mm of irrigation at 1 dS/m and 5 mm of capillary
// rise a day, nothing percolating, no drains and no groundwater; every efficiency 100 %.
// W1 = 100 mm, Wt = 200 mm, Wa = 1000 mm; the layer starts at 2, the transition zone at 4,
// the aquifer at 1 dS/m. The flows are set by hand, as a water balance would leave them.
struct RiseCase {
    InputData data;
    RunState state;

    explicit RiseCase(SaltBalanceKind kind, int steps = 2) {
        data = test::PlainProject(steps, 1);
        data.SaltBalance = kind;
        data.InitSalt = {0, 2, 0, 0, 4, 1};
        data.GrwtInf = 0;
        data.GrwtOut = 0;
        SizeSeries(data.IrrigSpread, steps);
        SizeSeries(data.IrrSal, steps);
        for (int i = 1; i <= steps; ++i) {
            data.IrrigSpread[i] = 10;
            data.IrrSal[i] = 1;
        }
        for (DayTable* table : {&state.DayPerc1, &state.DayPerc2, &state.DayPerc3, &state.DayCap1,
                                &state.DayCap2, &state.DayCap3})
            table->Size(steps, 1);
        for (int i = 1; i <= steps; ++i) state.DayCap1(i, 1) = 5;
        SizeResultSeries(state, steps);
        state.LeachEff = {0, 1, 1, 1, 1, 1};
        state.W1 = 100;
        state.Wt = 200;
        state.Wa = 1000;
    }
};

TEST(SaltBudgetTest, SpecifiedBalanceMakesTheSaltItsRiseCarriesUp) {
    RiseCase c(SaltBalanceKind::Specified);
    const auto budget = SaltBudgetOf(c.data, c.state);
    ASSERT_EQ(budget.size(), 3u);
    // Day 1: layer 1 takes 10 x 1 + 5 x 4 = 30 and nothing leaves it: 2 + 30 / 100 = 2.3.
    // The transition zone keeps 4 dS/m, though 5 x 4 = 20 rose out of it: it made 20.
    const ZoneSaltBudget& layer = budget[1][Layer1];
    EXPECT_DOUBLE_EQ(layer.irrigation, 10);
    EXPECT_DOUBLE_EQ(layer.capillaryRiseIn, 20);
    EXPECT_NEAR(layer.storageChange, 30, 1e-12);
    EXPECT_NEAR(layer.Imbalance(), 0, 1e-12);
    const ZoneSaltBudget& trans = budget[1][Trans];
    EXPECT_DOUBLE_EQ(trans.capillaryRiseOut, 20);
    EXPECT_DOUBLE_EQ(trans.storageChange, 0);
    EXPECT_DOUBLE_EQ(trans.Imbalance(), 20);
    // Day 2 again: 2.3 + 0.3 = 2.6 in layer 1, 20 made in the transition zone.
    EXPECT_NEAR(budget[2][Layer1].storageChange, 30, 1e-12);
    EXPECT_DOUBLE_EQ(budget[2][Trans].Imbalance(), 20);
    EXPECT_DOUBLE_EQ(budget[2][Aquif].Imbalance(), 0);
    // 40 made against the 20 of irrigation: both warnings' first.
    const SaltBudgetTotals totals = TotalsOf(budget, c.state, c.data);
    EXPECT_DOUBLE_EQ(totals.inflow, 20);
    EXPECT_NEAR(totals.imbalance, 40, 1e-12);
    ASSERT_EQ(SaltBudgetWarnings(totals).size(), 1u);
    EXPECT_NE(SaltBudgetWarnings(totals)[0].find("made 40 mm x dS/m"), std::string::npos);
}

TEST(SaltBudgetTest, ConservingBalanceTakesTheRiseOutOfTheTransitionZone) {
    RiseCase c(SaltBalanceKind::Conserving);
    const auto budget = SaltBudgetOf(c.data, c.state);
    // Day 1: the transition zone takes in -5 x 4 = -20: 4 - 20 / 200 = 3.9, a loss of 20.
    EXPECT_NEAR(budget[1][Trans].storageChange, -20, 1e-12);
    EXPECT_NEAR(budget[1][Trans].Imbalance(), 0, 1e-12);
    // Day 2: layer 1 takes 10 + 5 x 3.9 = 29.5; the transition zone loses 5 x 3.9 = 19.5,
    // 3.9 x (1 - 5 / 200) = 3.8025 dS/m.
    EXPECT_NEAR(budget[2][Layer1].storageChange, 29.5, 1e-12);
    EXPECT_NEAR(budget[2][Trans].capillaryRiseOut, 19.5, 1e-12);
    EXPECT_NEAR(budget[2][Trans].storageChange, 200 * (3.8025 - 3.9), 1e-12);
    const SaltBudgetTotals totals = TotalsOf(budget, c.state, c.data);
    EXPECT_NEAR(totals.imbalance, 0, 1e-12);
    EXPECT_TRUE(SaltBudgetWarnings(totals).empty());
}

TEST(SaltBudgetTest, ConservingBalanceDrainsADaysShareOfTheStepsDischarge) {
    // A step of 7 days with 14 mm of drain discharge, as the plain engine test has it, but
    // the conserving balance: 2 mm a day. Wt = 1000 x 1.5 x 0.4 = 600 mm; each day the
    // transition zone's salinity is multiplied by (1 - 0.5 x 2 / 600) / (1 + 0.5 x 2 / 600)
    // = 599 / 601.
    InputData data = test::PlainProject(1, 7);
    test::SetDrains(data, {.DrainDepth = 2.0, .QH1 = 0.002});
    data.SaltBalance = SaltBalanceKind::Conserving;
    PrepareIrrigSpread(data);
    Engine engine;
    FixedAnswersHost host(false, false);
    engine.Compute(data, host);
    const RunState& s = engine.State();
    ASSERT_NEAR(s.Drain[1], 14, 1e-12);
    EXPECT_NEAR(s.SalTrans[1], 2 * std::pow(599.0 / 601.0, 7), 1e-12);
    // The budget's drainage, 2 mm a day at the day's average salinity, is all the zone
    // loses: 600 x (2 - 2 x (599 / 601)^7) = 27.676 mm x dS/m.
    const auto budget = SaltBudgetOf(data, s);
    EXPECT_NEAR(budget[1][Trans].drainage, 600 * (2 - 2 * std::pow(599.0 / 601.0, 7)), 1e-9);
    EXPECT_NEAR(budget[1][Trans].Imbalance(), 0, 1e-9);
}

// The daily example's season repeated ten times: 1,200 days.
InputData LongDaily(SaltBalanceKind kind) {
    const InputData season = test::examples::TwoLayersDaily();
    InputData d = season;
    d.NrTst = d.HydrRows = 1200;
    for (Series* series : {&d.Rain, &d.Irrig, &d.Evap, &d.IrrSal}) SizeSeries(*series, 1200);
    for (auto& measured : d.MeasSalt) measured.assign(1201, kMissing);
    for (int i = 1; i <= 1200; ++i) {
        const int k = (i - 1) % 120 + 1;
        d.Rain[i] = season.Rain[k];
        d.Irrig[i] = season.Irrig[k];
        d.Evap[i] = season.Evap[k];
        d.IrrSal[i] = season.IrrSal[k];
    }
    d.SaltBalance = kind;
    PrepareIrrigSpread(d);
    return d;
}

RunState BudgetRun(const InputData& data) {
    Engine engine;
    FixedAnswersHost host(false, false);
    engine.Compute(data, host);
    return engine.State();
}

// The budget follows the run's own salinities: each zone's storage changes add up to its
// stored water times the change from the initial to the last salinity.
void ExpectBudgetFollowsTheRun(const InputData& d, const RunState& s,
                               const std::vector<StepSaltBudget>& budget) {
    const double w[] = {0, s.W1, s.W2, s.W3, s.Wt, s.Wa};
    for (int zone : ZonesOf(LayerCount(d))) {
        double change = 0;
        for (int i = 1; i <= d.NrTst; ++i) change += budget[i][zone].storageChange;
        const double expected = w[zone] * (s.Salinity(zone)[d.NrTst] - d.InitSalt[zone]);
        EXPECT_NEAR(change, expected, 1e-9 * (1 + std::fabs(expected))) << "zone " << zone;
    }
}

TEST(SaltBudgetTest, LongDailyRunGainsSaltOnlyWithTheSpecifiedBalance) {
    const InputData specified = LongDaily(SaltBalanceKind::Specified);
    const RunState s = BudgetRun(specified);
    ASSERT_FALSE(s.RunStopped);
    const auto made = SaltBudgetOf(specified, s);
    ExpectBudgetFollowsTheRun(specified, s, made);
    const SaltBudgetTotals madeTotals = TotalsOf(made, s, specified);
    // Far more salt appears than comes in.
    EXPECT_GT(madeTotals.imbalance, madeTotals.inflow);
    EXPECT_FALSE(SaltBudgetWarnings(madeTotals).empty());

    const InputData conserving = LongDaily(SaltBalanceKind::Conserving);
    const RunState c = BudgetRun(conserving);
    const auto kept = SaltBudgetOf(conserving, c);
    ExpectBudgetFollowsTheRun(conserving, c, kept);
    const SaltBudgetTotals keptTotals = TotalsOf(kept, c, conserving);
    // What rounding leaves of about ten thousand mm x dS/m moved.
    EXPECT_LT(std::fabs(keptTotals.imbalance), 1e-8 * keptTotals.inflow);
    EXPECT_TRUE(SaltBudgetWarnings(keptTotals).empty());
    // Both give the same water balance; only the salinities differ.
    test::ExpectSameBits(s.DepthWT, c.DepthWT, "DepthWT");
    EXPECT_LT(c.SalTrans[1200], s.SalTrans[1200]);
}

TEST(SaltBudgetTest, YearlyStepsDriveTheTransitionZoneToTheFloorOnlyWithTheSpecifiedBalance) {
    // 360 days a year, each draining the year's discharge: below zero, floored to 0.1.
    InputData specified = test::examples::TwoLayersYearlyDrained();
    PrepareIrrigSpread(specified);
    const RunState s = BudgetRun(specified);
    ASSERT_FALSE(s.RunStopped);
    for (int i = 1; i <= 4; ++i) EXPECT_DOUBLE_EQ(s.SalTrans[i], 0.1) << "year " << i;
    const SaltBudgetTotals made = TotalsOf(SaltBudgetOf(specified, s), s, specified);
    EXPECT_GT(made.imbalance, made.inflow);

    InputData conserving = specified;
    conserving.SaltBalance = SaltBalanceKind::Conserving;
    const RunState c = BudgetRun(conserving);
    const auto budget = SaltBudgetOf(conserving, c);
    ExpectBudgetFollowsTheRun(conserving, c, budget);
    const SaltBudgetTotals kept = TotalsOf(budget, c, conserving);
    EXPECT_LT(std::fabs(kept.imbalance), 1e-8 * kept.inflow);
    for (int i = 1; i <= conserving.NrTst; ++i) EXPECT_GT(c.SalTrans[i], 1) << "year " << i;
}

TEST(SaltBudgetTest, ConservingBalancesSideBySideGiveTheBitsOfEachAlone) {
    InputData projects[3] = {LongDaily(SaltBalanceKind::Conserving),
                             LongDaily(SaltBalanceKind::Conserving),
                             LongDaily(SaltBalanceKind::Conserving)};
    projects[1].InitSalt[Trans] = 7;
    projects[2].LeachEff[Layer1] = 60;
    RunState states[3];
    std::string refusals[3];
    const InputData* projectPointers[3] = {&projects[0], &projects[1], &projects[2]};
    RunState* statePointers[3] = {&states[0], &states[1], &states[2]};
    ComputePlainRuns(projectPointers, statePointers, refusals, 3, VectorUnit::AVX512);
    for (int k = 0; k < 3; ++k) test::ExpectSameResults(states[k], BudgetRun(projects[k]));
}

TEST(SaltBudgetTest, RunsOfTwoKindsGoInGroupsOfTheirOwn) {
    InputData projects[2] = {LongDaily(SaltBalanceKind::Specified),
                             LongDaily(SaltBalanceKind::Conserving)};
    RunState states[2];
    std::string refusals[2];
    const InputData* projectPointers[2] = {&projects[0], &projects[1]};
    RunState* statePointers[2] = {&states[0], &states[1]};
    ComputePlainRuns(projectPointers, statePointers, refusals, 2, VectorUnit::AVX512);
    for (int k = 0; k < 2; ++k) test::ExpectSameResults(states[k], BudgetRun(projects[k]));
}

}  // namespace
}  // namespace halosoil
