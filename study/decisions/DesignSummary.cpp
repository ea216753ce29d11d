#include "DesignSummary.h"

#include <cstdio>
#include <sstream>

namespace halosoil::study {

namespace {

std::string Number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    return buffer;
}

}  // namespace

std::string DesignSummaryText(const DesignSettings& settings, const DesignResult& result) {
    std::ostringstream out;
    out << (result.feasible ? "Design"
                            : "No design within the bounds meets " + settings.requirement.Text() +
                                  "; the nearest")
        << " after " << result.runs << " runs (" << Number(result.seconds) << " s):\n";
    for (std::size_t j = 0; j < settings.controls.size(); ++j) {
        const Parameter& control = settings.controls[j];
        out << "  " << control.Name() << " = " << Number(result.values[j])
            << (*control.Info().unit ? std::string(" ") + control.Info().unit : "") << " (bounds "
            << Number(control.low) << " to " << Number(control.high) << ")\n";
    }
    out << "  objective " << Number(result.objective) << "; margin " << Number(result.margin)
        << " %";
    if (settings.probability)
        out << "; probability " << Number(result.achievedProbability) << " of "
            << Number(*settings.probability) << " required";
    if (!result.feasible)
        out << "; best reachable yield " << Number(result.bestReachableYield) << " %";
    out << '\n';
    for (const std::string& active : result.activeConstraints)
        out << "  active: " << active << '\n';
    return out.str();
}

}  // namespace halosoil::study
