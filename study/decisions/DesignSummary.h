// A design in a few lines, as halosoil-batch design prints it and the window shows it: the
// controls found with their bounds, the objective, the margin and probability, and the
// constraints that hold the design where it is.
#pragma once

#include <string>

#include "ManagementDesign.h"

namespace halosoil::study {

std::string DesignSummaryText(const DesignSettings& settings, const DesignResult& result);

}  // namespace halosoil::study
