#include "SteppedRun.h"

#include "Engine.h"
#include "SaltBalance.h"
#include "SaltBalanceDays.h"
#include "WaterBalance.h"
#include "WaterBalanceDay.h"

namespace halosoil {

namespace {

// One step of a run as the salt balance's days read it: a run of one step that starts from
// the salinities the steps before left, with the step's groundwater.
struct StepSaltInputs {
    const RunInputs& d;
    const RunState& st;
    const ZoneValues& start;
    int i;
    StepGroundwater extra;

    bool Added() const { return extra.inflow != 0 || extra.outflow != 0; }
    double TotalInflow() const { return d.GrwtInf + extra.inflow; }
    double TotalOutflow() const { return d.GrwtOut + extra.outflow; }

    int NrTst() const { return 1; }
    int TstLength() const { return d.TstLength; }
    int Layers() const { return d.OneLayer ? 1 : d.TwoLayers ? 2 : 3; }
    double InitSalt(int zone) const { return start[zone]; }
    double LeachEff(int zone) const { return st.LeachEff[zone]; }
    double W(int zone) const {
        return zone == Layer1   ? st.W1
               : zone == Layer2 ? st.W2
               : zone == Layer3 ? st.W3
               : zone == Trans  ? st.Wt
                                : st.Wa;
    }
    double IrrigSalt(int) const { return d.IrrigSpread[i] * d.IrrSal[i]; }
    double Drain(int) const { return st.Drain[i]; }
    // The project's own values where the step adds nothing, so that such a step keeps the
    // plain run's bits.
    double Up() const {
        if (!Added()) return st.Up;
        return TotalInflow() - TotalOutflow() > 0 ? TotalInflow() - TotalOutflow() : 0;
    }
    double Down() const {
        if (!Added()) return st.Down;
        return TotalOutflow() - TotalInflow() > 0 ? TotalOutflow() - TotalInflow() : 0;
    }
    double GrwtOut() const { return extra.outflow != 0 ? TotalOutflow() : d.GrwtOut; }
    // The inflows mixed by flow: the project's at its salinity, the added at its own.
    double LateralSalt() const {
        const double own = d.GrwtInf * d.SalInf;
        return extra.inflow != 0 ? own + extra.inflow * extra.salinity : own;
    }
    double Perc(int layer, int, int j) const {
        return layer == 1 ? st.DayPerc1(i, j) : layer == 2 ? st.DayPerc2(i, j) : st.DayPerc3(i, j);
    }
    double Cap(int layer, int, int j) const {
        return layer == 1 ? st.DayCap1(i, j) : layer == 2 ? st.DayCap2(i, j) : st.DayCap3(i, j);
    }
    double Measured(int zone, int) const { return d.MeasSalt[zone][i]; }
};

struct StepSaltResults {
    RunState& st;
    ZoneValues& carried;
    int i;

    void Salinities(int, const double (&s)[kZoneCount + 1]) {
        st.SalRoot1[i] = s[Layer1];
        st.SalRoot2[i] = s[Layer2];
        st.SalRoot3[i] = s[Layer3];
        st.SalTrans[i] = s[Trans];
        st.SalAquif[i] = s[Aquif];
        for (int zone = 0; zone <= kZoneCount; ++zone) carried[zone] = s[zone];
    }
};

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
    const ZoneValues start = salinities_;
    const StepSaltInputs inputs{in_, *state_, start, i, extra};
    StepSaltResults results{*state_, salinities_, i};
    double stepSse[kZoneCount + 1];
    SaltBalanceDays<double>(inputs, results, stepSse);
    // Each step adds at most one squared difference per zone, to a sum that starts at 0: the
    // sums grow as the whole pass adds them.
    for (int zone = 0; zone <= kZoneCount; ++zone) sse_[zone] = sse_[zone] + stepSse[zone];
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
