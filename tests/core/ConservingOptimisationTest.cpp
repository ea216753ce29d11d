// The search of leaching efficiencies in a run that keeps the conserving salt balance.

#include <gtest/gtest.h>

#include "ConservingOptimisation.h"
#include "Engine.h"
#include "EngineTestSupport.h"
#include "ExampleProjects.h"
#include "FixedAnswersHost.h"
#include "LeachingOptimisation.h"
#include "RunInputs.h"

namespace halosoil {
namespace {

// The daily example (two layers, 120 days) with the conserving balance and layer 1's
// efficiency at 62 %.
InputData ConservingDaily() {
    InputData d = test::examples::TwoLayersDaily();
    d.SaltBalance = SaltBalanceKind::Conserving;
    d.LeachEff[Layer1] = 62;
    PrepareIrrigSpread(d);
    return d;
}

RunState ConservingRun(const InputData& data, bool optimise) {
    Engine engine;
    FixedAnswersHost host(false, optimise);
    engine.Compute(data, host);
    return engine.State();
}

// Layer 1 "measured" every tenth day as the conserving run at 62 % left it, plus `offset`.
void MeasureLayer1(InputData& d, const RunState& made, double offset) {
    for (auto& measured : d.MeasSalt) measured.assign(d.NrTst + 1, kMissing);
    for (int i = 10; i <= d.NrTst; i += 10) d.MeasSalt[Layer1][i] = made.SalRoot1[i] + offset;
}

TEST(ConservingOptimisationTest, FindsTheEfficiencyThatMadeTheMeasurements) {
    InputData d = ConservingDaily();
    const RunState made = ConservingRun(d, false);
    ASSERT_FALSE(made.RunStopped);
    MeasureLayer1(d, made, 0);
    d.LeachEff[Layer1] = 100;
    const RunState fitted = ConservingRun(d, true);
    ASSERT_TRUE(fitted.LeachEffOptimized[Layer1]);
    // The trial nearest 0.62 gives the measurements back to rounding, every other trial
    // misses them by a hundredth of the efficiency at least.
    EXPECT_NEAR(fitted.LeachEff[Layer1], 0.62, 1e-9);
    // Layer 1 alone was measured: the others keep what was entered.
    EXPECT_DOUBLE_EQ(fitted.LeachEff[Layer2], d.LeachEff[Layer2] / 100);
    EXPECT_DOUBLE_EQ(fitted.LeachEff[Trans], d.LeachEff[Trans] / 100);
}

TEST(ConservingOptimisationTest, ATrialSumsTheSquaredMissesOfItsZone) {
    InputData d = ConservingDaily();
    const RunState made = ConservingRun(d, false);
    // Twelve measurements, each 0.5 dS/m above the run: 12 x 0.25 = 3.
    MeasureLayer1(d, made, 0.5);
    const RunInputs inputs = MakeRunInputs(d);
    const RunState& state = made;
    EXPECT_NEAR(ConservingLeachingTrial(inputs, state, state.LeachEff, Layer1, 0.62), 3, 1e-9);
    // The transition zone was not measured: nothing to miss.
    EXPECT_EQ(ConservingLeachingTrial(inputs, state, state.LeachEff, Trans, 0.62), 0);
}

}  // namespace
}  // namespace halosoil
