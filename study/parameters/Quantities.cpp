#include "Quantities.h"

#include "QuantityCatalogue.h"

namespace halosoil::study {

namespace {

// A result of the catalogue as a quantity of studies.
QuantityInfo StudyQuantity(Quantity quantity, Series RunState::*member) {
    for (const ResultQuantity& result : ResultQuantities())
        if (result.member == member)
            return {quantity, result.name, result.unit, result.zone, member};
    return {quantity, "", "", 0, member};
}

}  // namespace

const std::array<QuantityInfo, kQuantityCount>& Quantities() {
    using Q = Quantity;
    using S = RunState;
    static const std::array<QuantityInfo, kQuantityCount> table = {{
        StudyQuantity(Q::DepthWaterTable, &S::DepthWT),
        StudyQuantity(Q::Drainage, &S::Drain),
        StudyQuantity(Q::Percolation, &S::Percol),
        StudyQuantity(Q::CapillaryRise, &S::CapRise),
        StudyQuantity(Q::ActualEvaporation, &S::ActEvap),
        StudyQuantity(Q::SalinityLayer1, &S::SalRoot1),
        StudyQuantity(Q::SalinityLayer2, &S::SalRoot2),
        StudyQuantity(Q::SalinityLayer3, &S::SalRoot3),
        StudyQuantity(Q::SalinityTransition, &S::SalTrans),
        StudyQuantity(Q::SalinityAquifer, &S::SalAquif),
    }};
    return table;
}

const QuantityInfo& InfoOf(Quantity quantity) {
    return Quantities()[static_cast<std::size_t>(quantity)];
}

std::optional<Quantity> QuantityNamed(std::string_view name) {
    for (const QuantityInfo& info : Quantities())
        if (name == info.name) return info.quantity;
    return std::nullopt;
}

std::string QuantityNames() {
    std::string names;
    for (const QuantityInfo& info : Quantities()) {
        if (!names.empty()) names += ", ";
        names += info.name;
    }
    return names;
}

bool ProjectHas(const InputData& data, Quantity quantity) {
    const int zone = InfoOf(quantity).zone;
    return zone == 0 || data.ZoneExists(zone);
}

std::vector<Quantity> QuantitiesOf(const InputData& data) {
    std::vector<Quantity> quantities;
    for (const QuantityInfo& info : Quantities())
        if (ProjectHas(data, info.quantity)) quantities.push_back(info.quantity);
    return quantities;
}

const Series& SeriesOf(const RunState& state, Quantity quantity) {
    return state.*InfoOf(quantity).member;
}

}  // namespace halosoil::study
