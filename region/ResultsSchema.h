// The names of a region's results GeoPackage, shared by the writer and every reader (the maps,
// the Python package): the layer of fields with their summaries, the table of every field's
// steps, and the table that says how the results were made.
#pragma once

#include <string>

#include "Quantities.h"
#include "Sensitivity.h"

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

// A region whose fields share their groundwater (--exchange) also writes, per field and step
// in the steps table, the lateral inflow and outflow (mm/day), the inflow's salinity (dS/m) and
// the head (m); per field in the fields layer the number of its neighbours; one row per field
// and neighbour (and per fixed head beyond an outer edge, its neighbour NULL) in the
// neighbours table, with the boundary length (m) and the distance between centroids (m); and
// the run's notes in the run table.
inline constexpr const char* kLateralInflowColumn = "lateral_inflow";
inline constexpr const char* kLateralOutflowColumn = "lateral_outflow";
inline constexpr const char* kLateralSalinityColumn = "lateral_salinity";
inline constexpr const char* kHeadColumn = "head";
inline constexpr const char* kNeighbourCountColumn = "neighbours";
inline constexpr const char* kNeighboursTable = "neighbours";
inline constexpr const char* kNeighbourColumn = "neighbour";
inline constexpr const char* kLengthColumn = "length";
inline constexpr const char* kDistanceColumn = "distance";
inline constexpr const char* kRunNotesColumn = "notes";

// The summaries of a quantity over a field's steps, the studies' statistics.
using Summary = study::Statistic;
inline constexpr Summary kSummaries[] = {Summary::Final, Summary::Mean, Summary::Min, Summary::Max};

const char* SummaryName(Summary summary);  // "final", "mean", "min", "max"

// The fields layer's column of a quantity's summary: "salinity_layer1_final".
std::string SummaryColumn(study::Quantity quantity, Summary summary);

// A region with a crop also writes the crop's relative yield (%) per field and step in the
// steps table, and its summaries in the fields layer: "relative_yield_min".
inline constexpr const char* kRelativeYieldColumn = "relative_yield";
std::string RelativeYieldColumn(Summary summary);

}  // namespace halosoil::region
