// What a run's salinity means for a crop, step by step: the salinity of the saturation
// extract (ECe) from the root zone's soil moisture, the relative yield by the crop's
// threshold and slope, Yr = 100 - B (ECe - T) within 0..100, and the leaching requirement of
// the step's irrigation water for that crop with the irrigation it implies.
#pragma once

#include <string>
#include <vector>

#include "CropTolerance.h"
#include "InputData.h"
#include "RunState.h"

namespace halosoil::study {

// The soil moisture near field capacity holds about twice the salt concentration of the
// saturation extract, which has about twice its water: ECe is half the soil moisture's
// salinity unless the user says otherwise.
inline constexpr double kDefaultEceFactor = 0.5;

// The root zone's salinity of the soil moisture at a step (dS/m): the salinities of its layers
// averaged by their thickness.
double RootZoneSalinity(const InputData& data, const RunState& state, int step);

// 100 - B (ECe - T), kept within 0..100 (percent).
double RelativeYield(const Crop& crop, double ece);

// The share of the irrigation water that must pass the root zone to keep ECe at the crop's
// threshold, LR = ECw / (5 ECe_t - ECw) (a fraction); NaN when the water's salinity reaches
// 5 ECe_t, where no amount of water keeps the threshold.
double LeachingRequirement(double irrigationSalinity, double eceThreshold);

// The irrigation that meets the evaporation and the leaching requirement, ET / (1 - LR);
// NaN with LR.
double IrrigationForLeaching(double evaporation, double leachingRequirement);

struct YieldStep {
    int step = 0;
    double ece = 0;                  // dS/m
    double relativeYield = 0;        // %
    double leachingRequirement = 0;  // fraction
    double irrigationNeeded = 0;     // mm per time step
};

// The steps of a run (those before the step a stopped run stopped at), from the project's
// layer thicknesses, irrigation salinity and evaporation and the run's root-zone salinities.
std::vector<YieldStep> YieldSteps(const InputData& data, const RunState& state, const Crop& crop,
                                  double eceFactor = kDefaultEceFactor);
// The relative yield (%) of every step of YieldSteps, indexed 1..; element 0 unused, as the
// per-step series of a run are.
Series RelativeYieldSeries(const InputData& data, const RunState& state, const Crop& crop,
                           double eceFactor = kDefaultEceFactor);

// step,ece,relative_yield,leaching_requirement,irrigation_needed; an empty cell where the
// leaching requirement has no value.
std::string YieldCsv(const std::vector<YieldStep>& steps);

// Refuses an ECe factor that is not a number above 0 (HalosoilError naming it).
void CheckEceFactor(double eceFactor);

}  // namespace halosoil::study
