// What a study's panel on the Calibration page reads of the page's other tabs, each at the
// moment its study starts. Each throws the message that stops the study: no complete project,
// a refused bound, a damaged observation or weight.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "Calibration.h"
#include "InputData.h"

namespace halosoil {

struct StudyInputs {
    // The project of the Input page as "Save all - Run" would run it.
    std::function<const InputData&()> project;
    // The Parameters tab's checked parameters with their bounds, in the table's order.
    std::function<std::vector<study::Parameter>()> checkedParameters;
    std::function<study::Observations()> observations;
    std::function<study::Weights()> weights;
    std::function<std::uint64_t()> seed;
    // Threads for the members' runs; 0 is one per core.
    std::function<int()> threads;
};

}  // namespace halosoil
