// The state of a run: per-step results, per-day flows and the run's scalars. Sized afresh at
// the start of every run and kept until the next one, so that tables and graphs can show the
// last results; the output reader refills the result series and FitNA from a file.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "InputData.h"

namespace halosoil {

// A flow of every day of steps 0..NrTst. Every day of a step starts from the water table at
// the step's start and reads the step's amounts, so all days of a step have the same flows:
// one value per step serves them all, and a run of long steps keeps a few values instead of
// one per day.
class DayTable {
public:
    void Size(int nrTst, int /*tstLength*/) {
        values_.assign(static_cast<std::size_t>(nrTst) + 1, 0.0);
    }
    double& operator()(int step, int /*day*/) { return values_[step]; }
    double operator()(int step, int /*day*/) const { return values_[step]; }

private:
    std::vector<double> values_;
};

// A zone's leaching efficiency is optimised, and its fit told, only from this many measured
// salinities on.
inline constexpr int kLeastMeasurements = 4;

struct RunState {
    // Per-step results, index 0..NrTst (the first ten: QuantityCatalogue.h).
    Series Percol, CapRise, ActEvap, Drain, DepthWT;
    Series SalRoot1, SalRoot2, SalRoot3, SalTrans, SalAquif;
    Series SoilMoist, MoistChange;

    // Per-day flows out of (Perc) and into (Cap) root-zone layers 1 to 3, mm/day.
    DayTable DayPerc1, DayPerc2, DayPerc3;
    DayTable DayCap1, DayCap2, DayCap3;

    double RootThick = 0;
    double AvD = 0, R1 = 0, R2 = 0, R3 = 0;
    double W1 = 0, W2 = 0, W3 = 0, Wt = 0, Wa = 0;
    double Up = 0, Down = 0;
    std::array<int, kZoneCount + 1> NrMeas{};
    double QH1Used = 0;
    bool RefineChosen = false;
    bool QH1Refined = false;
    ZoneValues LeachEffGiven{};
    // The working efficiencies (fractions): the entered ones, replaced by the optimisation's
    // choices; the final salt balance and the output header use them.
    ZoneValues LeachEff{};
    std::array<bool, kZoneCount + 1> LeachEffOptimized{};
    ZoneValues CoefDet{};
    std::array<bool, kZoneCount + 1> FitNA{};
    bool RunStopped = false;
    // The time step whose water table fell below the aquifer; 0 when the run went through.
    int StoppedStep = 0;

    // The salinity series of zone z (1..5).
    Series& Salinity(int zone);
    const Series& Salinity(int zone) const;
};

// The ten per-step results are listed, with their names and units, by the catalogue
// (QuantityCatalogue.h), which also gives ResultSeries and SizeResultSeries.

}  // namespace halosoil
