#include "Parameters.h"

#include <cmath>
#include <limits>

#include "Errors.h"
#include "FieldCatalogue.h"
#include "InputFile.h"
#include "ShortestText.h"
#include "StringToFloat.h"

namespace halosoil::study {

namespace {

constexpr double kUnbounded = std::numeric_limits<double>::infinity();

[[noreturn]] void Refuse(const std::string& name, const std::string& what) {
    throw HalosoilError("Parameter " + name + ": " + what);
}

std::string KnownNames() {
    std::string names;
    for (const ParameterInfo& info : ParameterTable()) {
        if (!names.empty()) names += ", ";
        names += info.name;
        if (info.perZone) names += "_<zone>";
    }
    return names;
}

// The zone keys as a list: "layer1, layer2, layer3, transition, aquifer".
std::string ZoneKeyList() {
    std::string keys;
    for (const char* key : ZoneKeys()) keys += (keys.empty() ? "" : ", ") + std::string(key);
    return keys;
}

// The name without its zone suffix and the zone it names (0 for none).
std::pair<std::string, int> Split(std::string_view name) {
    for (int zone = Layer1; zone <= Aquif; ++zone) {
        const std::string suffix = std::string("_") + ZoneKey(zone);
        if (name.size() > suffix.size() && name.substr(name.size() - suffix.size()) == suffix)
            return {std::string(name.substr(0, name.size() - suffix.size())), zone};
    }
    return {std::string(name), 0};
}

// The record's field of a parameter that is not a factor.
template <class Data>
auto& FieldOf(Data& data, ParameterKind kind, int zone) {
    switch (kind) {
        case ParameterKind::QH1:
            return data.QH1;
        case ParameterKind::QH2:
            return data.QH2;
        case ParameterKind::GroundwaterInflow:
            return data.GrwtInf;
        case ParameterKind::GroundwaterOutflow:
            return data.GrwtOut;
        case ParameterKind::InflowSalinity:
            return data.SalInf;
        case ParameterKind::CriticalDepth:
            return data.CritDepth;
        case ParameterKind::IrrigationEfficiency:
            return data.IrrEff;
        case ParameterKind::Thickness:
            return data.Thick[static_cast<std::size_t>(zone)];
        case ParameterKind::TotalPorosity:
            return data.TotPor[static_cast<std::size_t>(zone)];
        case ParameterKind::EffectivePorosity:
            return data.EffPor[static_cast<std::size_t>(zone)];
        case ParameterKind::LeachingEfficiency:
            return data.LeachEff[static_cast<std::size_t>(zone)];
        case ParameterKind::InitialSalinity:
            return data.InitSalt[static_cast<std::size_t>(zone)];
        case ParameterKind::DrainDepth:
            return data.DrainDepth;
        default:
            break;
    }
    throw HalosoilError("A factor has no field of its own.");
}

// The series a factor multiplies, const or not as the record is.
template <class Data>
auto FactoredSeries(Data& data, ParameterKind kind) -> decltype(&data.Rain) {
    switch (kind) {
        case ParameterKind::RainFactor:
            return &data.Rain;
        case ParameterKind::IrrigationFactor:
            return &data.Irrig;
        case ParameterKind::EvaporationFactor:
            return &data.Evap;
        case ParameterKind::IrrigationSalinityFactor:
            return &data.IrrSal;
        default:
            return nullptr;
    }
}

// The parameters that only a project with drains has.
bool IsDrainageFactor(ParameterKind kind) {
    return kind == ParameterKind::QH1 || kind == ParameterKind::QH2 ||
           kind == ParameterKind::DrainDepth || kind == ParameterKind::DrainSpacing;
}

// A number of the record as a parameter: the catalogue's name, unit, range and meaning.
ParameterInfo RecordParameter(ParameterKind kind, RecordMember member, int decimalsInFile) {
    const RecordField& field = halosoil::FieldOf(member);
    return {kind,
            field.name,
            field.unit,
            PerZone(field),
            field.range.lowest,
            field.range.lowestExcluded,
            field.range.highest,
            field.meaning,
            decimalsInFile};
}

// A factor on a series: any value from 0 on; the file keeps each step's value it multiplies
// with two decimals.
ParameterInfo Factor(ParameterKind kind, const char* name, const char* meaning) {
    return {kind, name, "", false, 0, false, kUnbounded, meaning, 2};
}

}  // namespace

const std::vector<ParameterInfo>& ParameterTable() {
    using K = ParameterKind;
    using D = InputData;
    // The decimals are those of the input file's writer.
    static const std::vector<ParameterInfo> table = {
        RecordParameter(K::QH1, &D::QH1, 4),
        RecordParameter(K::QH2, &D::QH2, 4),
        RecordParameter(K::GroundwaterInflow, &D::GrwtInf, 1),
        RecordParameter(K::GroundwaterOutflow, &D::GrwtOut, 1),
        RecordParameter(K::InflowSalinity, &D::SalInf, 1),
        RecordParameter(K::CriticalDepth, &D::CritDepth, 2),
        RecordParameter(K::IrrigationEfficiency, &D::IrrEff, 1),
        RecordParameter(K::Thickness, &D::Thick, 2),
        RecordParameter(K::TotalPorosity, &D::TotPor, 0),
        RecordParameter(K::EffectivePorosity, &D::EffPor, 0),
        RecordParameter(K::LeachingEfficiency, &D::LeachEff, 0),
        RecordParameter(K::InitialSalinity, &D::InitSalt, 1),
        Factor(K::RainFactor, "rain_factor", "factor on the rainfall of every step"),
        Factor(K::IrrigationFactor, "irrigation_factor", "factor on the irrigation of every step"),
        Factor(K::EvaporationFactor, "evaporation_factor",
               "factor on the evaporation of every step"),
        Factor(K::IrrigationSalinityFactor, "irrigation_salinity_factor",
               "factor on the irrigation salinity of every step"),
        RecordParameter(K::DrainDepth, &D::DrainDepth, 2),
        // The file keeps the QH1 and QH2 a spacing gives, with their four decimals; the
        // spacing itself is not in it.
        {K::DrainSpacing, "drain_spacing", "m", false, 0, true, kUnbounded,
         "spacing of the drains (sets QH1 and QH2 by Hooghoudt's equation)", 4},
    };
    return table;
}

bool IsFactor(ParameterKind kind) {
    return kind >= ParameterKind::RainFactor && kind <= ParameterKind::IrrigationSalinityFactor;
}

bool CanTake(const ParameterInfo& info, double value) {
    return WithinRange({info.lowest, info.lowestExcluded, info.highest, true}, value);
}

std::string RangeText(const ParameterInfo& info) {
    const std::string lowest = ShortestText(info.lowest);
    std::string range;
    if (std::isinf(info.highest))
        range = info.lowestExcluded ? "more than " + lowest : lowest + " or more";
    else
        range = (info.lowestExcluded ? "more than " + lowest + " and at most " : lowest + " to ") +
                ShortestText(info.highest);
    return *info.unit ? range + " " + info.unit : range;
}

const ParameterInfo& InfoOf(ParameterKind kind) {
    return ParameterTable()[static_cast<std::size_t>(kind)];
}

std::string Parameter::Name() const {
    const ParameterInfo& info = Info();
    return info.perZone ? std::string(info.name) + "_" + ZoneKey(zone) : info.name;
}

Parameter NamedParameter(std::string_view name, const InputData& data) {
    const std::string text(name);
    const ParameterInfo* found = nullptr;
    int zone = 0;
    for (const ParameterInfo& info : ParameterTable())
        if (!info.perZone && text == info.name) found = &info;
    if (!found) {
        const auto [base, namedZone] = Split(name);
        for (const ParameterInfo& info : ParameterTable())
            if (info.perZone && base == info.name) found = &info;
        if (found && namedZone == 0)
            Refuse(text, "name the zone, e.g. " + text + "_layer1 or " + text + "_aquifer");
        if (found && !found->perZone) found = nullptr;
        zone = namedZone;
    }
    if (!found)
        throw HalosoilError("Unknown parameter '" + text + "'; the parameters are " + KnownNames() +
                            " (zones " + ZoneKeyList() + ")");
    if (found->perZone && !data.ZoneExists(zone))
        Refuse(text, "the project has " + std::to_string(LayerCount(data)) +
                         " root-zone layer(s), so no " + ZoneKey(zone));
    if (IsDrainageFactor(found->kind) && !data.DrainPresent)
        Refuse(text, "the project has no subsurface drains");
    return Parameter{found->kind, zone, 0, 0};
}

Parameter MakeParameter(std::string_view name, double low, double high, const InputData& data) {
    Parameter parameter = NamedParameter(name, data);
    const std::string text(name);
    if (!std::isfinite(low) || !std::isfinite(high)) Refuse(text, "the bounds must be numbers");
    if (low > high)
        Refuse(text,
               "the bounds " + ShortestText(low) + ":" + ShortestText(high) + " are reversed");
    if (!CanTake(parameter.Info(), low) || !CanTake(parameter.Info(), high))
        Refuse(text, "the bounds " + ShortestText(low) + ":" + ShortestText(high) +
                         " go beyond what it can take (" + RangeText(parameter.Info()) + ")");
    parameter.low = low;
    parameter.high = high;
    return parameter;
}

Parameter ParseParameter(std::string_view text, const InputData& data) {
    const auto equals = text.find('=');
    const auto colon = text.find(':', equals == std::string_view::npos ? 0 : equals);
    if (equals == std::string_view::npos || colon == std::string_view::npos ||
        text.find(':', colon + 1) != std::string_view::npos)
        throw HalosoilError("'" + std::string(text) + "' is not NAME=LOW:HIGH");
    const std::string name(text.substr(0, equals));
    const auto bound = [&](std::string_view part) {
        try {
            return PointStringToFloat(std::string(part));
        } catch (const ConversionError& error) {
            Refuse(name, error.what());
        }
    };
    const double low = bound(text.substr(equals + 1, colon - equals - 1));
    const double high = bound(text.substr(colon + 1));
    return MakeParameter(name, low, high, data);
}

namespace {

void RefuseNamedTwice(const std::vector<Parameter>& parameters) {
    for (std::size_t a = 0; a < parameters.size(); ++a)
        for (std::size_t b = a + 1; b < parameters.size(); ++b)
            if (parameters[a].kind == parameters[b].kind &&
                parameters[a].zone == parameters[b].zone)
                Refuse(parameters[a].Name(), "it is named twice");
}

const Parameter* Moved(const std::vector<Parameter>& parameters, ParameterKind kind, int zone) {
    for (const Parameter& parameter : parameters)
        if (parameter.kind == kind && parameter.zone == zone) return &parameter;
    return nullptr;
}

// Every candidate must keep the drainable pores within the total pores.
void RefuseDrainableAboveTotal(const std::vector<Parameter>& parameters, const InputData& data) {
    for (const Parameter& effective : parameters) {
        if (effective.kind != ParameterKind::EffectivePorosity) continue;
        const Parameter* moved = Moved(parameters, ParameterKind::TotalPorosity, effective.zone);
        const double total =
            moved ? moved->low : data.TotPor[static_cast<std::size_t>(effective.zone)];
        if (effective.high > total)
            Refuse(effective.Name(), "the upper bound " + ShortestText(effective.high) +
                                         " % exceeds the zone's total porosity of " +
                                         ShortestText(total) + " %");
    }
}

// A total porosity that may fall below the effective one leaves its candidates to the check
// of each run; bounds that give nothing else are of no use.
void RefuseTotalBelowDrainable(const std::vector<Parameter>& parameters, const InputData& data) {
    for (const Parameter& total : parameters) {
        if (total.kind != ParameterKind::TotalPorosity) continue;
        const Parameter* moved = Moved(parameters, ParameterKind::EffectivePorosity, total.zone);
        const double effective =
            moved ? moved->low : data.EffPor[static_cast<std::size_t>(total.zone)];
        if (total.high < effective)
            Refuse(total.Name(),
                   "the bounds " + ShortestText(total.low) + ":" + ShortestText(total.high) +
                       " % lie below the zone's effective porosity of " + ShortestText(effective) +
                       " %: every value within them leaves the drainable pores "
                       "above the total, which no run accepts");
    }
}

// A spacing sets both reaction factors, which cannot move on their own beside it.
void RefuseSpacingBesideFactors(const std::vector<Parameter>& parameters) {
    if (!Moved(parameters, ParameterKind::DrainSpacing, 0)) return;
    for (const ParameterKind kind : {ParameterKind::QH1, ParameterKind::QH2})
        if (Moved(parameters, kind, 0))
            Refuse("drain_spacing", std::string("it sets qh1 and qh2, so ") + InfoOf(kind).name +
                                        " cannot be moved beside it");
}

void RefuseSpacingWithoutSoil(const std::vector<Parameter>& parameters) {
    for (const Parameter& parameter : parameters)
        if (parameter.kind == ParameterKind::DrainSpacing && !(parameter.drainSoil.radius > 0))
            Refuse("drain_spacing",
                   "it needs the soil and drains it works in: --drain-soil "
                   "k_above=K1,k_below=K2,impervious=D,radius=r (m/day, m)");
}

}  // namespace

void SetDrainSoil(std::vector<Parameter>& parameters, const DrainSoil& soil) {
    for (Parameter& parameter : parameters) {
        if (parameter.kind != ParameterKind::DrainSpacing) continue;
        CheckDrainSoil(soil);
        if (parameter.low < ShortestSpacing(soil))
            Refuse("drain_spacing", "the lower bound " + ShortestText(parameter.low) +
                                        " m is shorter than ten drain radii (" +
                                        ShortestText(ShortestSpacing(soil)) + " m)");
        parameter.drainSoil = soil;
    }
}

void CheckParameterSet(const std::vector<Parameter>& parameters, const InputData& data) {
    if (parameters.empty()) throw HalosoilError("Name at least one parameter to move.");
    RefuseNamedTwice(parameters);
    RefuseSpacingBesideFactors(parameters);
    RefuseSpacingWithoutSoil(parameters);
    RefuseDrainableAboveTotal(parameters, data);
    RefuseTotalBelowDrainable(parameters, data);
}

std::vector<std::string> ParameterNamesOf(const InputData& data) {
    std::vector<std::string> names;
    for (const Parameter& parameter : DefaultParametersOf(data)) names.push_back(parameter.Name());
    return names;
}

std::vector<Parameter> DefaultParametersOf(const InputData& data) {
    std::vector<Parameter> parameters;
    const auto add = [&](ParameterKind kind, int zone) {
        const ParameterInfo& info = InfoOf(kind);
        Parameter parameter{kind, zone, 0, 0};
        const double value = ValueIn(data, parameter);
        // Half to twice the value, within what it can take; a zero value gets a small range.
        double low = value > 0 ? value / 2 : 0;
        double high = value > 0 ? value * 2 : 1;
        if (info.lowestExcluded && low <= info.lowest) low = value > 0 ? value / 2 : 0.01;
        if (high > info.highest) high = info.highest;
        if (kind == ParameterKind::EffectivePorosity)
            high = std::min(high, data.TotPor[static_cast<std::size_t>(zone)]);
        // The drains lie below the root zone and within the transition zone.
        if (kind == ParameterKind::DrainDepth) {
            double root = 0;
            for (int layer = Layer1; layer <= LayerCount(data); ++layer)
                root += data.Thick[static_cast<std::size_t>(layer)];
            low = std::max(low, root);
            high = std::min(high, root + data.Thick[Trans]);
        }
        if (low > high) low = high;
        parameter.low = low;
        parameter.high = high;
        parameters.push_back(parameter);
    };
    for (const ParameterInfo& info : ParameterTable()) {
        if (IsDrainageFactor(info.kind) && !data.DrainPresent) continue;
        // A spacing needs a drain soil that the project does not hold.
        if (info.kind == ParameterKind::DrainSpacing) continue;
        if (!info.perZone) {
            add(info.kind, 0);
            continue;
        }
        for (int zone : ZonesOf(LayerCount(data))) add(info.kind, zone);
    }
    return parameters;
}

double ValueIn(const InputData& data, const Parameter& parameter) {
    if (IsFactor(parameter.kind)) return 1;
    if (parameter.kind == ParameterKind::DrainSpacing) {
        if (!(parameter.drainSoil.radius > 0)) return std::numeric_limits<double>::quiet_NaN();
        try {
            return SpacingOfQh1(parameter.drainSoil, data.QH1);
        } catch (const HalosoilError&) {
            return std::numeric_limits<double>::quiet_NaN();
        }
    }
    return FieldOf(data, parameter.kind, parameter.zone);
}

const Series* SeriesOfFactor(const InputData& data, ParameterKind kind) {
    return FactoredSeries(data, kind);
}

void MakeVariant(const InputData& base, const std::vector<Parameter>& parameters,
                 const double* values, InputData& variant) {
    variant = base;
    for (std::size_t k = 0; k < parameters.size(); ++k) {
        const Parameter& parameter = parameters[k];
        if (Series* series = FactoredSeries(variant, parameter.kind)) {
            for (std::size_t i = 1; i < series->size(); ++i) (*series)[i] *= values[k];
        } else if (parameter.kind == ParameterKind::DrainSpacing) {
            const DrainageFactors factors = FactorsOfSpacing(parameter.drainSoil, values[k]);
            variant.QH1 = factors.qh1;
            variant.QH2 = factors.qh2;
        } else {
            FieldOf(variant, parameter.kind, parameter.zone) = values[k];
        }
    }
    PrepareIrrigSpread(variant);
}

InputData Variant(const InputData& base, const std::vector<Parameter>& parameters,
                  const double* values) {
    InputData variant;
    MakeVariant(base, parameters, values, variant);
    return variant;
}

}  // namespace halosoil::study
