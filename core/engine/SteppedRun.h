// A plain run advanced one step at a time, with groundwater of its own in each step beside the
// project's inflow and outflow: a field of a region whose aquifer its neighbours share, whose
// flows are known only once every field has finished the step before. The water balance of
// every step comes first (WaterStep), then the salt balance of every step (SaltStep); each step
// computes what the whole passes compute for it, in their order, so that a run whose extra
// groundwater is 0 throughout is the plain run, to the bit.
#pragma once

#include <memory>
#include <string>

#include "EngineOptions.h"
#include "InputData.h"
#include "RunInputs.h"
#include "RunState.h"

namespace halosoil {

class WaterBalance;

// The groundwater a step adds to the project's own.
struct StepGroundwater {
    double inflow = 0;    // mm/day, beside the project's inflow
    double outflow = 0;   // mm/day, beside the project's outflow
    double salinity = 0;  // dS/m of the added inflow
};

class SteppedRun {
public:
    SteppedRun();
    SteppedRun(SteppedRun&&) noexcept;
    SteppedRun& operator=(SteppedRun&&) noexcept;
    ~SteppedRun();

    // Prepares a plain run (both questions answered No) of data into state, which must outlive
    // the run. False, with the engine's refusal, when the project cannot run; the state is
    // then as a refused plain run leaves it.
    bool Start(const InputData& data, RunState& state, std::string& refusal);

    // The water balance of step i (1.., in order) with the extra inflow and outflow. False,
    // with RunStopped and StoppedStep set, when the water table fell below the aquifer.
    bool WaterStep(int i, double inflow, double outflow);
    // The salt balance of step i (1.., in order, after every water step) with the step's extra
    // groundwater.
    void SaltStep(int i, const StepGroundwater& extra);
    // The fit to the measurements and the last touches of a plain run, after the last SaltStep.
    void Finish();

    const RunInputs& Inputs() const { return in_; }
    const RunState& State() const { return *state_; }
    // The effective porosity (fraction) of the zone that holds a water table at depth (m); 1 at
    // or above the surface.
    double PorosityAt(double depth) const;
    // The aquifer's salinity (dS/m) at the end of step i, the initial one for step 0, as far as
    // the salt steps have gone.
    double AquiferSalinity(int i) const;

private:
    friend void SaltSteps(SteppedRun* const* runs, const StepGroundwater* extras, int count, int i,
                          VectorUnit unit);

    RunInputs in_;
    RunState* state_ = nullptr;
    std::unique_ptr<WaterBalance> water_;
    ZoneValues salinities_{};  // at the end of the last salt step
    double sse_[kZoneCount + 1]{};
};

// The salt steps i of count runs, as SaltStep with extras[k] leaves run k, to the bit: those of
// one step length and layers side by side in the lanes of the vector unit (at most AVX2).
void SaltSteps(SteppedRun* const* runs, const StepGroundwater* extras, int count, int i,
               VectorUnit unit);

// Per step (index 1..NrTst) the groundwater a run adds to its project's.
struct GroundwaterSeries {
    Series inflow;    // mm/day
    Series outflow;   // mm/day
    Series salinity;  // dS/m of the added inflow
};

// A plain run of data with the series' groundwater, as a region that shares its groundwater
// runs each of its fields: one field's results audited alone. A series shorter than the run's
// steps adds nothing from where it ends. Refusals as StartPlainRun's.
void ComputeWithGroundwater(const InputData& data, const GroundwaterSeries& extra, RunState& state,
                            std::string& refusal);

}  // namespace halosoil
