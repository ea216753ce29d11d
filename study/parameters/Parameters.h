// The numbers of a project that a study may move, under the names scripts use (`qh1`,
// `leaching_efficiency_layer1`, `irrigation_factor`, ...): one table that knows each name,
// its unit, where it lives in the project record and what values it can physically take.
// A number of the record takes its name, unit, range and meaning from the record's catalogue
// (FieldCatalogue.h); the table adds what only a study knows: the factors on the series, the
// drain spacing and the decimals the input file keeps. Porosities and efficiencies are in
// percent, as in the files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Hooghoudt.h"
#include "InputData.h"
#include "Zones.h"

namespace halosoil::study {

enum class ParameterKind {
    QH1,
    QH2,
    GroundwaterInflow,
    GroundwaterOutflow,
    InflowSalinity,
    CriticalDepth,
    IrrigationEfficiency,
    Thickness,
    TotalPorosity,
    EffectivePorosity,
    LeachingEfficiency,
    InitialSalinity,
    RainFactor,
    IrrigationFactor,
    EvaporationFactor,
    IrrigationSalinityFactor,
    DrainDepth,
    // Sets QH1 and QH2 through Hooghoudt's equation in the parameter's drain soil.
    DrainSpacing,
};

struct ParameterInfo {
    ParameterKind kind;
    const char* name;  // without the zone suffix of the per-zone ones
    const char* unit;
    bool perZone;
    // What the value can physically take: lowest (itself allowed unless lowestExcluded) to
    // highest.
    double lowest;
    bool lowestExcluded;
    double highest;
    const char* meaning;
    // The decimals the input file keeps of the value (the writer's fixed columns), so that a
    // study can tell how far the project it writes lies from the values it found. The
    // factors are not in the file: it keeps the series they multiply, each step's value with
    // this many decimals.
    int decimalsInFile;
};

const std::vector<ParameterInfo>& ParameterTable();
const ParameterInfo& InfoOf(ParameterKind kind);

struct Parameter {
    ParameterKind kind = ParameterKind::QH1;
    int zone = 0;  // 1..5 for the per-zone numbers, else 0
    double low = 0;
    double high = 0;
    // The soil and drains a drain_spacing works in; unused by every other parameter.
    DrainSoil drainSoil{};

    std::string Name() const;
    const ParameterInfo& Info() const { return InfoOf(kind); }
    // Equal bounds hold the parameter at their value: a study does not move it.
    bool Fixed() const { return low == high; }
};

// Whether the parameter is a factor on a series rather than a number of the record.
bool IsFactor(ParameterKind kind);

// Whether the value is one the parameter can physically take, and that range in words ("more
// than 0 and at most 100 %").
bool CanTake(const ParameterInfo& info, double value);
std::string RangeText(const ParameterInfo& info);

// A parameter of the project by name, its bounds still 0:0; throws HalosoilError naming it
// when the name is unknown, the zone is not one of the project's, or the project does not use
// it (the drainage factors without drains).
Parameter NamedParameter(std::string_view name, const InputData& data);
// The parameter named with its bounds; throws HalosoilError naming it as NamedParameter does,
// and when the bounds are reversed or go beyond what the value can take.
Parameter MakeParameter(std::string_view name, double low, double high, const InputData& data);
// The same from the command line's NAME=LOW:HIGH.
Parameter ParseParameter(std::string_view text, const InputData& data);
// Refuses two parameters of one name, effective porosities that could exceed the total, and
// total porosities that could only lie below the effective one.
void CheckParameterSet(const std::vector<Parameter>& parameters, const InputData& data);

// The names of every parameter the project has, for help texts and the window's table.
std::vector<std::string> ParameterNamesOf(const InputData& data);
// Every parameter the project has, with bounds a first study can start from.
std::vector<Parameter> DefaultParametersOf(const InputData& data);

// The parameter's value in the project; the factors are 1, a drain spacing the one whose QH1
// is the project's (NaN without a drain soil or when no spacing gives it).
double ValueIn(const InputData& data, const Parameter& parameter);
// The series a factor multiplies; nullptr for a parameter that is not a factor.
const Series* SeriesOfFactor(const InputData& data, ParameterKind kind);

// Gives every drain_spacing of parameters its drain soil, and refuses bounds shorter than the
// soil's shortest spacing (HalosoilError naming the parameter).
void SetDrainSoil(std::vector<Parameter>& parameters, const DrainSoil& soil);

// The project with the parameters set to values (one per parameter): the base's series
// multiplied by the factors, a drain spacing's QH1 and QH2, the spread irrigation prepared as
// a run from a file has it.
InputData Variant(const InputData& base, const std::vector<Parameter>& parameters,
                  const double* values);
// The same into an existing record, whose storage it reuses.
void MakeVariant(const InputData& base, const std::vector<Parameter>& parameters,
                 const double* values, InputData& variant);

}  // namespace halosoil::study
