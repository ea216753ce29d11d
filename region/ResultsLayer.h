// A region's results GeoPackage as a map reads it: every field's shape, id, status and values
// of one quantity (a summary or every step), and the layer's coordinate reference system.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Errors.h"
#include "Quantities.h"
#include "ResultsSchema.h"

namespace halosoil::region {

// A request the results cannot answer, or one that names no quantity or step (the command
// line's fault rather than the file's).
class MapRequestError : public HalosoilError {
public:
    using HalosoilError::HalosoilError;
};

// What a map shows: a quantity's summary, or its value at one step (1..).
struct MapChoice {
    study::Quantity quantity = study::Quantity::DepthWaterTable;
    std::optional<Summary> summary = Summary::Final;
    int step = 0;

    // "final", "mean", "min", "max" or "step 12".
    std::string Label() const;
};

// "QUANTITY", "QUANTITY:final|mean|min|max" or "QUANTITY:STEP"; the summary final by default.
// Throws MapRequestError naming the quantities or the summaries.
MapChoice ParseMapChoice(const std::string& text);

enum class CrsKind { None, Projected, Geographic };

struct MapCrs {
    CrsKind kind = CrsKind::None;
    std::string name;  // "WGS 84 / UTM zone 43N"; empty without a CRS
    std::string unit;  // the abbreviation of the axes' unit: "m", "ft", "°"; empty without a CRS
    double metresPerUnit = 1;  // of a projected CRS's unit
    std::string wkt;           // to reproject from; empty without a CRS
};

// A shape: its polygons, each an outer ring followed by its holes, in the layer's coordinates
// (x easting or longitude, y northing or latitude).
using Polygon = std::vector<Ring>;
using Shape = std::vector<Polygon>;

struct MapField {
    std::string id;  // as text, whatever the column's type
    std::string status;
    Shape shape;
    std::optional<double> value;               // of the choice
    std::optional<double> summaries[4];        // final, mean, min, max
    std::vector<std::optional<double>> steps;  // step 1.. of the quantity
};

struct ResultsLayer {
    std::string file;
    MapChoice choice;
    MapCrs crs;
    int stepCount = 0;
    std::vector<MapField> fields;

    // The values of the choice that are there.
    std::vector<double> Values() const;
};

// Reads the fields of path with the choice's quantity. Throws HalosoilError when the file is no
// region's results (naming what is missing), when no field has a value of the choice, or when
// the layer's CRS is one no map can draw (geocentric, say); MapRequestError for a step beyond
// the file's steps.
ResultsLayer ReadResultsLayer(const std::string& path, const MapChoice& choice);

// The layer with its shapes in WGS 84 longitude and latitude (EPSG:4326). Throws HalosoilError
// when the layer has no CRS or when a shape cannot be reprojected.
ResultsLayer InWgs84(const ResultsLayer& layer);

}  // namespace halosoil::region
