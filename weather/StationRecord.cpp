#include "StationRecord.h"

namespace halosoil::weather {

const std::array<VariableInfo, kVariableCount>& Variables() {
    static const std::array<VariableInfo, kVariableCount> kVariables = {{
        {Variable::Tmax, "tmax", "deg C"},
        {Variable::Tmin, "tmin", "deg C"},
        {Variable::Tmean, "tmean", "deg C"},
        {Variable::RhMax, "rh_max", "%"},
        {Variable::RhMin, "rh_min", "%"},
        {Variable::RhMean, "rh_mean", "%"},
        {Variable::Tdew, "tdew", "deg C"},
        {Variable::Ea, "ea", "kPa"},
        {Variable::Wind, "wind", "m/s"},
        {Variable::Sunshine, "sunshine", "h"},
        {Variable::Radiation, "radiation", "MJ m-2 day-1"},
        {Variable::Rain, "rain", "mm"},
        {Variable::Et0, "et0", "mm"},
    }};
    return kVariables;
}

const VariableInfo& InfoOf(Variable variable) {
    return Variables()[static_cast<std::size_t>(variable)];
}

std::optional<Variable> VariableNamed(std::string_view name) {
    for (const VariableInfo& info : Variables())
        if (name == info.name) return info.variable;
    return std::nullopt;
}

std::string VariableNames() {
    std::string names;
    for (const VariableInfo& info : Variables()) {
        if (!names.empty()) names += ", ";
        names += info.name;
    }
    return names;
}

std::string PlaceOf(const StationRecord& record, const Day& day, Variable variable) {
    if (day.line == 0)
        return record.fileName + ", " + IsoText(day.date) + ", " + InfoOf(variable).name;
    std::string place = record.fileName + ", line " + std::to_string(day.line);
    if (record.HasColumn(variable))
        place += ", column " + std::to_string(record.ColumnOf(variable));
    return place;
}

}  // namespace halosoil::weather
