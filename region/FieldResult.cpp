#include "FieldResult.h"

namespace halosoil::region {

const char* StatusName(FieldStatus status) {
    switch (status) {
        case FieldStatus::Ok:
            return "ok";
        case FieldStatus::Stopped:
            return "stopped";
        case FieldStatus::Refused:
            return "refused";
    }
    return "";
}

int FieldResult::Steps() const {
    for (const std::vector<double>& one : series)
        if (!one.empty()) return static_cast<int>(one.size()) - 1;
    return 0;
}

FieldResult ResultOfRun(const InputData& project, const RunState& state) {
    FieldResult result;
    result.status = FieldStatus::Ok;
    for (const study::QuantityInfo& info : study::Quantities()) {
        if (!study::ProjectHas(project, info.quantity)) continue;
        const Series& series = study::SeriesOf(state, info.quantity);
        result.series[static_cast<std::size_t>(info.quantity)] = series;
    }
    return result;
}

}  // namespace halosoil::region
