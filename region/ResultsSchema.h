// The names of a region's results GeoPackage, shared by the writer and every reader (the maps,
// the Python package): the layer of fields with their summaries, the table of every field's
// steps, and the table that says how the results were made.
#pragma once

#include <string>

#include "Quantities.h"

namespace halosoil::region {

// The polygons with their carried attributes, status, message and summaries.
inline constexpr const char* kFieldsLayer = "fields";
// One row per field and step: the field's id, the step (1..), the ten quantities.
inline constexpr const char* kStepsTable = "steps";
// One row: the base project, the command line, the program's version, the date.
inline constexpr const char* kRunTable = "run";

// The field's id in the fields layer and the steps table (an integer where the layer's ids are
// its feature ids or an integer column, text otherwise).
inline constexpr const char* kFieldColumn = "field";
inline constexpr const char* kStepColumn = "step";
inline constexpr const char* kStatusColumn = "status";
inline constexpr const char* kMessageColumn = "message";

// The statuses of a field.
inline constexpr const char* kStatusOk = "ok";
inline constexpr const char* kStatusStopped = "stopped";
inline constexpr const char* kStatusRefused = "refused";

// The columns of the run table.
inline constexpr const char* kRunBaseColumn = "base";
inline constexpr const char* kRunCommandColumn = "command";
inline constexpr const char* kRunVersionColumn = "version";
inline constexpr const char* kRunDateColumn = "date";

enum class Summary { Final, Mean, Min, Max };
inline constexpr Summary kSummaries[] = {Summary::Final, Summary::Mean, Summary::Min, Summary::Max};

const char* SummaryName(Summary summary);  // "final", "mean", "min", "max"

// The fields layer's column of a quantity's summary: "salinity_layer1_final".
std::string SummaryColumn(study::Quantity quantity, Summary summary);

}  // namespace halosoil::region
