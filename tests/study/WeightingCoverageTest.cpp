// The weights that keep a calibration's intervals honest. The objective divides each
// quantity's squared residuals by its number of readings n and their variance s^2 and
// multiplies them by its weight w, while the intervals take every weighted residual to have
// one variance. A reading's weighted residual has the variance w e^2 / (n s^2), e the
// quantity's measurement error, so w = n (s / e)^2 gives each the variance 1. Replicated
// noise on the observations of a known truth shows whether the 95 % intervals then hold the
// truth 95 % of the time.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "Calibration.h"
#include "RunEvaluator.h"
#include "StudyProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;
using halosoil::test::WeeklyProject;

constexpr double kTruth = 65;            // the first layer's leaching efficiency, %
constexpr double kDepthError = 0.01;     // m
constexpr double kSalinityError = 0.05;  // dS/m

double VarianceOf(const std::vector<Observed>& observed) {
    double sum = 0;
    for (const Observed& o : observed) sum += o.value;
    const double mean = sum / static_cast<double>(observed.size());
    double squares = 0;
    for (const Observed& o : observed) squares += (o.value - mean) * (o.value - mean);
    return squares / static_cast<double>(observed.size());
}

// n (s / e)^2 for each observed quantity.
Weights WeightsOf(const Observations& observations) {
    Weights weights;
    for (const auto& [quantity, error] : {std::pair{Quantity::DepthWaterTable, kDepthError},
                                          std::pair{Quantity::SalinityLayer1, kSalinityError}}) {
        const std::vector<Observed>& observed = observations.Of(quantity);
        weights.Set(quantity,
                    static_cast<double>(observed.size()) * VarianceOf(observed) / (error * error));
    }
    return weights;
}

TEST(StudyWeighting, ReadingsTimesSpreadOverErrorSquaredGivesIntervalsOfTheirNominalCoverage) {
    // Sixteen weeks: the water table read every week, the first layer's salinity every
    // fourth, so that the less-read quantity alone determines the leaching efficiency.
    InputData base = WeeklyProject(1);
    base.NrTst = 16;
    const std::vector<Parameter> parameters = {
        MakeParameter("leaching_efficiency_layer1", 40, 100, base)};
    const ProjectRun truth = RunProject(Variant(base, parameters, &kTruth));
    ASSERT_TRUE(truth.refusal.empty());

    const int replicates = 200;
    int covered = 0;
    std::mt19937 random(1789);
    std::normal_distribution<double> noise(0, 1);
    for (int replicate = 0; replicate < replicates; ++replicate) {
        CalibrationSettings settings;
        settings.parameters = parameters;
        for (int i = 1; i <= base.NrTst; ++i) {
            settings.observations.Of(Quantity::DepthWaterTable)
                .push_back({i, truth.state.DepthWT[i] + kDepthError * noise(random)});
            if (i % 4 == 0)
                settings.observations.Of(Quantity::SalinityLayer1)
                    .push_back({i, truth.state.SalRoot1[i] + kSalinityError * noise(random)});
        }
        settings.weights = WeightsOf(settings.observations);
        settings.seed = static_cast<std::uint64_t>(replicate);
        settings.options.threads = 1;
        const ParameterEstimate estimate = Calibrate(base, settings).estimates[0];
        covered += estimate.ciLow <= kTruth && kTruth <= estimate.ciHigh ? 1 : 0;
    }
    // Three binomial standard deviations about 0.95. With the weights left at 1, or set to
    // (s / e)^2 without the readings, the salinity's intervals hold the truth about 0.8 of
    // the time.
    const double coverage = covered / static_cast<double>(replicates);
    EXPECT_NEAR(coverage, 0.95, 3 * std::sqrt(0.95 * 0.05 / replicates));
}

}  // namespace
