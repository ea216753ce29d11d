#include "RelativeYield.h"

#include <algorithm>
#include <cmath>

#include "Errors.h"
#include "NotANumber.h"
#include "ShortestText.h"

namespace halosoil::study {

namespace {

// The last step with results: a stopped run has none from the step it stopped at.
int LastStepWithResults(const InputData& data, const RunState& state) {
    const int last = std::min<int>(data.NrTst, static_cast<int>(state.SalRoot1.size()) - 1);
    return state.RunStopped && state.StoppedStep > 0 ? std::min(last, state.StoppedStep - 1) : last;
}

double At(const Series& series, int step) {
    return step >= 0 && static_cast<std::size_t>(step) < series.size() ? series[step] : 0;
}

}  // namespace

double RootZoneSalinity(const InputData& data, const RunState& state, int step) {
    const Series* layers[] = {&state.SalRoot1, &state.SalRoot2, &state.SalRoot3};
    const int count = LayerCount(data);
    double weighted = 0, thickness = 0;
    for (int layer = 1; layer <= count; ++layer) {
        const double thick = data.Thick[static_cast<std::size_t>(layer)];
        weighted += thick * At(*layers[layer - 1], step);
        thickness += thick;
    }
    // Layers of no thickness leave the plain mean of the layers' salinities.
    if (thickness <= 0) {
        double sum = 0;
        for (int layer = 1; layer <= count; ++layer) sum += At(*layers[layer - 1], step);
        return sum / count;
    }
    return weighted / thickness;
}

double RelativeYield(const Crop& crop, double ece) {
    return std::clamp(100 - crop.slope * (ece - crop.threshold), 0.0, 100.0);
}

double LeachingRequirement(double irrigationSalinity, double eceThreshold) {
    const double denominator = 5 * eceThreshold - irrigationSalinity;
    if (irrigationSalinity <= 0) return 0;
    return denominator > irrigationSalinity ? irrigationSalinity / denominator : kNaN;
}

double IrrigationForLeaching(double evaporation, double leachingRequirement) {
    if (!(leachingRequirement < 1)) return kNaN;
    return evaporation / (1 - leachingRequirement);
}

std::vector<YieldStep> YieldSteps(const InputData& data, const RunState& state, const Crop& crop,
                                  double eceFactor) {
    std::vector<YieldStep> steps;
    const int last = LastStepWithResults(data, state);
    for (int step = 1; step <= last; ++step) {
        YieldStep row;
        row.step = step;
        row.ece = eceFactor * RootZoneSalinity(data, state, step);
        row.relativeYield = RelativeYield(crop, row.ece);
        row.leachingRequirement = LeachingRequirement(At(data.IrrSal, step), crop.threshold);
        row.irrigationNeeded = IrrigationForLeaching(At(data.Evap, step), row.leachingRequirement);
        steps.push_back(row);
    }
    return steps;
}

Series RelativeYieldSeries(const InputData& data, const RunState& state, const Crop& crop,
                           double eceFactor) {
    const int last = LastStepWithResults(data, state);
    Series series(static_cast<std::size_t>(std::max(last, 0)) + 1, 0.0);
    for (int step = 1; step <= last; ++step)
        series[step] = RelativeYield(crop, eceFactor * RootZoneSalinity(data, state, step));
    return series;
}

std::string YieldCsv(const std::vector<YieldStep>& steps) {
    std::string csv = "step,ece,relative_yield,leaching_requirement,irrigation_needed\n";
    for (const YieldStep& row : steps)
        csv += std::to_string(row.step) + "," + ShortestText(row.ece) + "," +
               ShortestText(row.relativeYield) + "," + ShortestText(row.leachingRequirement) + "," +
               ShortestText(row.irrigationNeeded) + "\n";
    return csv;
}

void CheckEceFactor(double eceFactor) {
    if (!(eceFactor > 0) || !std::isfinite(eceFactor))
        throw HalosoilError("--ece-factor " +
                            (std::isnan(eceFactor) ? std::string("nan") : ShortestText(eceFactor)) +
                            ": the factor from the soil moisture's salinity to ECe must be a "
                            "number above 0");
}

}  // namespace halosoil::study
