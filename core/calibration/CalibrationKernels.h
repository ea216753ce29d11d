// The calibrations' trials, side by side in the lanes of the widest vector unit the run may
// use: groups of kTrialLanes trials, as many groups as are given at once. Each lane gives the
// bits of the plain one-trial loop.
#pragma once

#include <limits>

#include "EngineOptions.h"
#include "RunInputs.h"
#include "RunState.h"

namespace halosoil {

inline constexpr int kTrialLanes = 8;
// The refinement's trials are as many lanes as this, or a multiple: every unit's clone works
// them in vectors of at most four doubles, where divisions rule (KernelClones.h).
inline constexpr int kRefinementLanes = 4;

// An optimisation trial's sum of differences stops growing here.
inline constexpr double kSumCap = 1000;
// The best sum before the first trial: above the cap, so that the first trial improves unless
// its sum is not a number.
inline constexpr double kStartingBestSum = 1000000;
// Enough for all 180 trials of a member or 200 of the refinement, in whole groups.
inline constexpr int kMostTrialsAtOnce = 200;

// When an optimisation trial may stop: a sum only grows (or is capped), so once it exceeds
// `value`, or reaches it when `stopOnReaching` is set, the caller knows enough of it.
struct SumBound {
    double value = std::numeric_limits<double>::infinity();
    bool stopOnReaching = false;
};

// Refinement trials with the capacities q[0..trials-1], which all lie below 0.02 (one step a
// day) or all from 0.02 on (ten sub-steps); trials is a multiple of kRefinementLanes.
// smallest[k] receives the smallest |accumulated residual| over the steps of trial k
// (infinity when none is a number).
void RefinementLanes(const RunInputs& data, const RunState& state, const double* q, int trials,
                     bool tenSubSteps, double* smallest, VectorUnit unit);

// Optimisation trials of the member searching `zone`, with the trial efficiencies
// e[0..trials-1]; trial k sees leSearched[k] as the working efficiency of the searched zone
// and le for the others; trials is a multiple of kTrialLanes. sse[k] receives the trial's
// capped sum. Once every trial of a group of lanes is past `bound` the group stops, and its
// trials report the sums they had then, which are past the bound too.
void MemberLanes(const RunInputs& data, const RunState& state, const ZoneValues& le, int zone,
                 const double* e, const double* leSearched, double* sse, int trials, SumBound bound,
                 VectorUnit unit);

}  // namespace halosoil
