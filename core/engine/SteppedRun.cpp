#include "SteppedRun.h"

#include <vector>

#include "Engine.h"
#include "SaltBalance.h"
#include "SaltBalanceDays.h"
#include "SteppedSalt.h"
#include "VectorUnit.h"
#include "WaterBalance.h"
#include "WaterBalanceDay.h"

namespace halosoil {

namespace {

double At(const Series& series, int i) {
    return i < static_cast<int>(series.size()) ? series[static_cast<std::size_t>(i)] : 0.0;
}

}  // namespace

SteppedRun::SteppedRun() = default;
SteppedRun::SteppedRun(SteppedRun&&) noexcept = default;
SteppedRun& SteppedRun::operator=(SteppedRun&&) noexcept = default;
SteppedRun::~SteppedRun() = default;

bool SteppedRun::Start(const InputData& data, RunState& state, std::string& refusal) {
    state_ = &state;
    water_.reset();
    if (!StartPlainRun(data, in_, state, refusal)) return false;
    water_ = std::make_unique<WaterBalance>(in_, state);
    water_->Start();
    state.StoppedStep = 0;
    salinities_ = in_.InitSalt;
    for (double& sum : sse_) sum = 0;
    return true;
}

bool SteppedRun::WaterStep(int i, double inflow, double outflow) {
    // A step without extra groundwater takes the project's values themselves: adding 0 would
    // turn a -0 into +0.
    if (inflow == 0 && outflow == 0)
        water_->SetGroundwater(in_.GrwtInf, in_.GrwtOut);
    else
        water_->SetGroundwater(in_.GrwtInf + inflow, in_.GrwtOut + outflow);
    if (water_->Step(i, state_->QH1Used, true)) return true;
    state_->StoppedStep = i;
    state_->RunStopped = true;
    return false;
}

void SteppedRun::SaltStep(int i, const StepGroundwater& extra) {
    const StepSaltInputs inputs{{in_, *state_}, salinities_, i, extra};
    StepSaltResults results{*state_, salinities_, sse_, i};
    double stepSse[kZoneCount + 1];
    SaltBalanceDays<double, SaltBalanceKind::Specified>(inputs, results, stepSse);
    for (int zone = 0; zone <= kZoneCount; ++zone) results.AddSquares(zone, stepSse[zone]);
}

void SaltSteps(SteppedRun* const* runs, const StepGroundwater* extras, int count, int i,
               VectorUnit unit) {
    const VectorUnit chosen = ChosenVectorUnit(unit);
    const auto kernel = chosen == VectorUnit::Baseline ? SteppedSaltBaseline : SteppedSaltAvx2;
    // The lanes of one group share the step length and the layers.
    std::vector<StepSaltInputs> inputs;
    std::vector<StepSaltResults> results;
    inputs.reserve(static_cast<std::size_t>(count));
    results.reserve(static_cast<std::size_t>(count));
    std::vector<char> done(static_cast<std::size_t>(count), 0);
    for (int first = 0; first < count; ++first) {
        if (done[static_cast<std::size_t>(first)]) continue;
        const RunInputs& shape = runs[first]->in_;
        inputs.clear();
        results.clear();
        for (int k = first; k < count; ++k) {
            SteppedRun& run = *runs[k];
            if (done[static_cast<std::size_t>(k)] || run.in_.TstLength != shape.TstLength ||
                run.in_.Layers != shape.Layers)
                continue;
            done[static_cast<std::size_t>(k)] = 1;
            inputs.push_back({{run.in_, *run.state_}, run.salinities_, i, extras[k]});
            results.push_back({*run.state_, run.salinities_, run.sse_, i});
        }
        if (inputs.size() == 1)
            runs[first]->SaltStep(i, extras[first]);
        else
            kernel(inputs.data(), results.data(), static_cast<int>(inputs.size()));
    }
}

void SteppedRun::Finish() {
    FinishSaltFit(in_, *state_, sse_);
    FinishPlainRun(*state_);
}

double SteppedRun::PorosityAt(double depth) const {
    return halosoil::PorosityAt<double>(ProfileOf<double>(in_, state_->RootThick), depth);
}

double SteppedRun::AquiferSalinity(int i) const {
    return i == 0 ? in_.InitSalt[Aquif] : state_->SalAquif[static_cast<std::size_t>(i)];
}

void ComputeWithGroundwater(const InputData& data, const GroundwaterSeries& extra, RunState& state,
                            std::string& refusal) {
    SteppedRun run;
    if (!run.Start(data, state, refusal)) return;
    const int steps = run.Inputs().NrTst;
    for (int i = 1; i <= steps; ++i)
        if (!run.WaterStep(i, At(extra.inflow, i), At(extra.outflow, i))) return;
    for (int i = 1; i <= steps; ++i)
        run.SaltStep(i, {At(extra.inflow, i), At(extra.outflow, i), At(extra.salinity, i)});
    run.Finish();
}

}  // namespace halosoil
