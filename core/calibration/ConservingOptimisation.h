// The search of a zone's leaching efficiency when the run keeps the conserving salt balance.
// The twelve members of the search are the specified balance's, each with its own terms; a run
// that conserves salt is fitted with its own balance instead, so that the efficiencies it
// reports are the ones that reproduce the measurements under the salinities it shows.
#pragma once

#include "RunInputs.h"
#include "RunState.h"

namespace halosoil {

// The sum of squared differences between the measured salinities of `zone` and those of the
// conserving balance run with efficiency e in that zone and the working efficiencies le in
// the others.
double ConservingLeachingTrial(const RunInputs& data, const RunState& state, const ZoneValues& le,
                               int zone, double e);

// le[zone] becomes the first of the trial efficiencies with the smallest conserving sum.
void OptimiseConserving(const RunInputs& data, const RunState& state, ZoneValues& le, int zone);

}  // namespace halosoil
