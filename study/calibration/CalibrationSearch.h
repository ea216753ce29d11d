// The search of a calibration in unit coordinates: the global search, then local searches from
// its best distinct points, side by side. Gives the best point found.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "InputData.h"
#include "MemberRuns.h"
#include "Objective.h"
#include "Parameters.h"
#include "RunCounter.h"

namespace halosoil::study {

struct SearchOutcome {
    std::vector<double> bestUnit;
    double bestValue = 0;
};

SearchOutcome SearchBest(const InputData& base, const std::vector<Parameter>& parameters,
                         const Objective& objective, const std::vector<double>& startUnit,
                         std::uint64_t seed, const StudyOptions& options, RunCounter& runs);

// The most runs SearchBest takes for so many parameters.
long long MostSearchRuns(int dims);

}  // namespace halosoil::study
