// The result quantities a study observes, fits and summarises: the ten per-step results of a
// run (QuantityCatalogue.h, which gives their names, units and zones) in the order of a
// study's files and reports.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "InputData.h"
#include "RunState.h"

namespace halosoil::study {

enum class Quantity {
    DepthWaterTable,
    Drainage,
    Percolation,
    CapillaryRise,
    ActualEvaporation,
    SalinityLayer1,
    SalinityLayer2,
    SalinityLayer3,
    SalinityTransition,
    SalinityAquifer,
};
inline constexpr int kQuantityCount = 10;

struct QuantityInfo {
    Quantity quantity;
    const char* name;
    const char* unit;
    // The zone (1..5) of a salinity, 0 for the water quantities.
    int zone;
    Series RunState::*member;
};

// Every quantity, in the order above: the order of the columns of observation files and of
// the rows of reports.
const std::array<QuantityInfo, kQuantityCount>& Quantities();
const QuantityInfo& InfoOf(Quantity quantity);
std::optional<Quantity> QuantityNamed(std::string_view name);
// Every quantity's name, in order, separated by commas: what a refusal lists.
std::string QuantityNames();

// Whether the project's layer count has the quantity (the salinities of zones it lacks not).
bool ProjectHas(const InputData& data, Quantity quantity);
// The quantities of the project, in order.
std::vector<Quantity> QuantitiesOf(const InputData& data);

// The per-step series (index 0..NrTst) of the quantity in a run's state.
const Series& SeriesOf(const RunState& state, Quantity quantity);

}  // namespace halosoil::study
