#include "YieldComputation.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "Engine.h"
#include "Errors.h"

namespace halosoil {

YieldOutcome ComputeYield(const InputData& project, const YieldRequest& request,
                          const study::StudyOptions& options) {
    study::CheckEceFactor(request.eceFactor);
    const std::string implausible = study::ImplausibilityOf(project);
    if (!implausible.empty()) throw HalosoilError(implausible);
    Engine engine;
    std::string refusal;
    engine.ComputePlain(project, refusal);
    if (!refusal.empty()) throw HalosoilError(refusal);

    YieldOutcome outcome;
    outcome.steps = project.NrTst;
    outcome.yields = study::YieldSteps(project, engine.State(), request.crop, request.eceFactor);
    if (engine.State().RunStopped) outcome.stoppedStep = engine.State().StoppedStep;
    if (!request.ensemble) return outcome;

    study::EnsembleSettings settings = *request.ensemble;
    settings.crop = request.crop;
    settings.eceFactor = request.eceFactor;
    settings.options = options;
    const study::EnsembleResult ensemble = study::RunEnsemble(project, settings);
    const std::vector<study::BandRow> rows = study::Bands(ensemble, {});
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(outcome.bands),
                 [](const study::BandRow& row) { return row.relativeYield; });
    outcome.members = ensemble.members;
    outcome.membersLeftOut = ensemble.Stopped() + ensemble.Refused();
    return outcome;
}

}  // namespace halosoil
