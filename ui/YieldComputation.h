// What the Decisions tab's yield section computes on the worker: the crop's relative yield,
// ECe and leaching requirement per step of the project as it is, and with an ensemble the
// bands of the relative yield over its members.
#pragma once

#include <optional>
#include <vector>

#include "CropTolerance.h"
#include "Ensemble.h"
#include "InputData.h"
#include "MemberRuns.h"
#include "RelativeYield.h"

namespace halosoil {

struct YieldRequest {
    study::Crop crop;
    double eceFactor = study::kDefaultEceFactor;
    // The members whose relative yields give the bands; none: the project alone.
    std::optional<study::EnsembleSettings> ensemble;
};

struct YieldOutcome {
    int steps = 0;                         // the project's time steps
    std::vector<study::YieldStep> yields;  // up to the step a stopped run stopped at
    int stoppedStep = 0;                   // 0 when the run went through
    // The relative yield's rows of the ensemble's bands, one per step; empty without one.
    std::vector<study::BandRow> bands;
    int members = 0;
    int membersLeftOut = 0;  // stopped early or refused
};

// Throws HalosoilError for a project the engine refuses (its message) and StudyCancelled
// when options' flag is set.
YieldOutcome ComputeYield(const InputData& project, const YieldRequest& request,
                          const study::StudyOptions& options);

}  // namespace halosoil
