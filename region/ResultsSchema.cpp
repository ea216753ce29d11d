#include "ResultsSchema.h"

namespace halosoil::region {

const char* SummaryName(Summary summary) {
    switch (summary) {
        case Summary::Final:
            return "final";
        case Summary::Mean:
            return "mean";
        case Summary::Min:
            return "min";
        case Summary::Max:
            return "max";
    }
    return "";
}

std::string SummaryColumn(study::Quantity quantity, Summary summary) {
    return std::string(study::InfoOf(quantity).name) + "_" + SummaryName(summary);
}

std::string RelativeYieldColumn(Summary summary) {
    return std::string(kRelativeYieldColumn) + "_" + SummaryName(summary);
}

}  // namespace halosoil::region
