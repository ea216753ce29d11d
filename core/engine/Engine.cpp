#include "Engine.h"

#include <algorithm>
#include <vector>

#include "AtomicFile.h"
#include "DrainageRefinement.h"
#include "Errors.h"
#include "LeachingOptimisation.h"
#include "OutputFile.h"
#include "OutputFileName.h"
#include "QuantityCatalogue.h"
#include "RunCheck.h"
#include "RunInputs.h"
#include "RunQuestions.h"
#include "SaltBalance.h"
#include "WaterBalance.h"

namespace halosoil {

namespace {

// Where the progress indicator (0..10) stands as a run goes: before the water balance, before
// the optimisation, after it, before the final salt balance, after it (and before the output
// lines), and when the output file is written.
constexpr int kProgressWaterBalance = 2;
constexpr int kProgressOptimisation = 3;
constexpr int kProgressOptimised = 4;
constexpr int kProgressSaltBalance = 6;
constexpr int kProgressSaltBalanced = 8;
constexpr int kProgressWritten = 9;

void SizeRunState(const RunInputs& d, RunState& s) {
    SizeResultSeries(s, d.NrTst);
    SizeSeries(s.SoilMoist, d.NrTst);
    SizeSeries(s.MoistChange, d.NrTst);
    for (DayTable* table :
         {&s.DayPerc1, &s.DayPerc2, &s.DayPerc3, &s.DayCap1, &s.DayCap2, &s.DayCap3})
        table->Size(d.NrTst, d.TstLength);
    s.DepthWT[0] = d.WTdepth;
}

void CountMeasurements(const RunInputs& d, RunState& s) {
    s.NrMeas = {};
    for (int z = Layer1; z <= Aquif; ++z) {
        if (!d.ZoneExists(z)) continue;
        for (int i = 1; i <= d.NrTst; ++i)
            if (d.MeasSalt[z][i] > 0) ++s.NrMeas[z];
    }
}

void ComputeGeometry(const RunInputs& d, RunState& s) {
    const double t1 = d.Thick[Layer1], t2 = d.Thick[Layer2], t3 = d.Thick[Layer3];
    s.RootThick = d.OneLayer ? t1 : d.TwoLayers ? t1 + t2 : t1 + t2 + t3;
    if (d.TwoLayers) {
        s.AvD = (t1 + t2) / 2;
        s.R1 = (t1 - s.AvD) / (t1 + t2);
        s.R2 = (t2 - s.AvD) / (t1 + t2);
    } else if (d.ThreeLayers) {
        s.AvD = (t1 + t2 + t3) / 3;
        s.R1 = (t1 - s.AvD) / (t1 + t2 + t3);
        s.R2 = (t2 - s.AvD) / (t1 + t2 + t3);
        s.R3 = (t3 - s.AvD) / (t1 + t2 + t3);
    }
}

double StoredWater(const RunInputs& d, int zone) {
    const double water = 1000 * d.Thick[zone] * d.TotPor[zone];
    return water < 0.001 ? 0.001 : water;
}

// Every run, alone or side by side, starts from this state: its geometry, sized series and
// the entered drainage capacity.
void PrepareRunState(const RunInputs& d, RunState& s) {
    s.RunStopped = false;
    s.LeachEffOptimized = {};
    s.LeachEffGiven = d.LeachEff;
    s.LeachEff = d.LeachEff;
    ComputeGeometry(d, s);
    CountMeasurements(d, s);
    SizeRunState(d, s);
    s.Down = d.GrwtOut - d.GrwtInf > 0 ? d.GrwtOut - d.GrwtInf : 0;
    s.Up = d.GrwtInf - d.GrwtOut > 0 ? d.GrwtInf - d.GrwtOut : 0;
    s.W1 = StoredWater(d, Layer1);
    s.W2 = StoredWater(d, Layer2);
    s.W3 = StoredWater(d, Layer3);
    s.Wt = StoredWater(d, Trans);
    s.Wa = StoredWater(d, Aquif);
    s.QH1Refined = false;
    s.QH1Used = d.QH1;
}

// Runs whose passes can go side by side in the lanes of a vector.
bool SameShape(const RunInputs& a, const RunInputs& b) {
    return a.NrTst == b.NrTst && a.TstLength == b.TstLength && a.Layers == b.Layers &&
           a.DrainPresent == b.DrainPresent && a.SaltBalance == b.SaltBalance;
}

bool EnoughMeasurements(const RunState& s) {
    for (int z = Layer1; z <= Aquif; ++z)
        if (s.NrMeas[z] >= kLeastMeasurements) return true;
    return false;
}

}  // namespace

void Engine::Compute(const InputData& data, RunHost& host) {
    CheckRunnable(data);
    const RunInputs in = MakeRunInputs(data);
    RunState& s = state_;
    PrepareRunState(in, s);

    host.SetProgress(kProgressWaterBalance);
    s.RefineChosen = host.Ask(RunQuestion::RefineDrainageCapacity);
    if (s.RefineChosen) RefineDrainageCapacity(in, s, options_);
    if (!RunWaterBalance(in, s)) {
        host.ShowMessage(kWaterTableStopMessage);
        s.RunStopped = true;
        return;
    }

    host.SetProgress(kProgressOptimisation);
    if (EnoughMeasurements(s) && host.Ask(RunQuestion::OptimiseLeachingEfficiencies)) {
        for (int zone : OptimisationOrder(in.Layers))
            if (s.NrMeas[zone] >= kLeastMeasurements)
                OptimiseLeachEff(in, s, s.LeachEff, zone, options_);
        host.SetProgress(kProgressOptimised);
    }

    host.SetProgress(kProgressSaltBalance);
    RunSaltBalance(in, s);
    host.SetProgress(kProgressSaltBalanced);
    FinishPlainRun(s);
}

void ComputePlainRuns(const InputData* const* projects, RunState* const* states,
                      std::string* refusals, int count, VectorUnit unit) {
    std::vector<RunInputs> inputs(static_cast<std::size_t>(count));
    std::vector<const RunInputs*> laneInputs;
    std::vector<RunState*> laneStates;
    for (int k = 0; k < count; ++k) {
        RunState& s = *states[k];
        RunInputs& in = inputs[static_cast<std::size_t>(k)];
        if (!StartPlainRun(*projects[k], in, s, refusals[k])) continue;
        const RunInputs& first = laneInputs.empty() ? in : *laneInputs.front();
        if (SameShape(in, first)) {
            laneInputs.push_back(&in);
            laneStates.push_back(&s);
        } else if (!RunWaterBalance(in, s)) {
            s.RunStopped = true;
        } else {
            RunSaltBalance(in, s);
        }
    }
    // One run alone gains nothing from lanes.
    const int sideBySide = static_cast<int>(laneInputs.size());
    if (sideBySide == 1)
        RunWaterBalance(*laneInputs.front(), *laneStates.front());
    else
        RunWaterBalances(laneInputs.data(), laneStates.data(), sideBySide, unit);
    std::size_t through = 0;
    for (int k = 0; k < sideBySide; ++k) {
        if (laneStates[k]->StoppedStep > 0) {
            laneStates[k]->RunStopped = true;
            continue;
        }
        laneInputs[through] = laneInputs[k];
        laneStates[through] = laneStates[k];
        ++through;
    }
    if (through == 1)
        RunSaltBalance(*laneInputs.front(), *laneStates.front());
    else
        RunSaltBalances(laneInputs.data(), laneStates.data(), static_cast<int>(through), unit);
    for (int k = 0; k < count; ++k)
        if (!states[k]->RunStopped) FinishPlainRun(*states[k]);
}

bool StartPlainRun(const InputData& data, RunInputs& in, RunState& s, std::string& refusal) {
    // A state that served an earlier run keeps its series and fit; what a run that stops
    // early never reaches must read 0, as on a fresh engine.
    for (Series* series : ResultSeries(s)) std::fill(series->begin(), series->end(), 0.0);
    std::fill(s.SoilMoist.begin(), s.SoilMoist.end(), 0.0);
    std::fill(s.MoistChange.begin(), s.MoistChange.end(), 0.0);
    s.CoefDet = {};
    s.FitNA = {};
    refusal.clear();
    try {
        CheckRunnable(data);
    } catch (const HalosoilError& error) {
        refusal = error.what();
        s.RunStopped = true;
        s.StoppedStep = 0;
        return false;
    }
    in = MakeRunInputs(data);
    PrepareRunState(in, s);
    s.RefineChosen = false;
    return true;
}

void FinishPlainRun(RunState& s) {
    for (int z = Layer1; z <= Aquif; ++z)
        if (s.LeachEff[z] != s.LeachEffGiven[z]) s.LeachEffOptimized[z] = true;
    // The first line of the output shows the drainage of the first step for step 0.
    s.Drain[0] = s.Drain[1];
}

void Engine::WriteOutput(const InputData& data, RunHost& host,
                         const std::string& outputFileName) const {
    const std::string outputName =
        outputFileName.empty() ? OutputFileNameFor(data.InputFileName) : outputFileName;
    const std::string file = OutputFileText(data, state_, outputName);
    host.SetProgress(kProgressSaltBalanced);
    WriteFileAtomically(outputName, file);
    host.SetProgress(kProgressWritten);
}

void Engine::ComputePlain(const InputData& data, std::string& refusal) {
    const InputData* projects[] = {&data};
    RunState* states[] = {&state_};
    ComputePlainRuns(projects, states, &refusal, 1, VectorUnit::Baseline);
}

void Engine::Run(const InputData& data, RunHost& host, const std::string& outputFileName) {
    Compute(data, host);
    if (state_.RunStopped) return;
    WriteOutput(data, host, outputFileName);
}

}  // namespace halosoil
