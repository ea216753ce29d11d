// The fields of a GIS layer as a region reads them: each polygon's id, its geometry and
// attributes to carry to the results, and the cells that set its project's parameters. Any
// vector format GDAL/OGR reads serves (GeoPackage, shapefile, GeoJSON, FlatGeobuf).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace halosoil::region {

// The column of a field's ground elevation (m), read with the layer and by the exchange of
// groundwater between neighbours.
inline constexpr const char* kElevationColumn = "elevation";

struct LayerChoice {
    std::string path;
    std::string layer;     // empty: the file's only layer
    std::string idColumn;  // empty: the layer's feature ids
    // The use of a column other than its name's: the movable parameter a column of another
    // name holds, or an empty name for a column that is not to be read as one (a column named
    // after a parameter, say, that holds something else).
    std::map<std::string, std::string> columnUse;
};

// A cell of a column named after a movable parameter, as the layer holds it: a number, or the
// text of a text column (converted, or refused, when the field's project is made).
struct ParameterCell {
    int column = 0;  // index into FieldLayer::ParameterColumns()
    bool isText = false;
    double number = 0;
    std::string text;
};

struct FieldInput {
    std::string id;
    // Why the field cannot run, found while reading it (a geometry that is not a polygon);
    // empty otherwise.
    std::string refusal;
    std::vector<ParameterCell> cells;  // the cells that are neither NULL nor empty
    std::string project;               // the `project` cell, as written; empty: the base
    // The `weather` cell: a station's daily record (relative to the layer's folder) that gives
    // the field's rain and evaporation; empty: the base's own.
    std::string weather;
    // The `crop` cell: the crop whose relative yield the field's results carry; empty: the
    // region's.
    std::string crop;
    // For the weather: the latitude of the field's centroid (degrees north, NaN where the layer
    // has no CRS to find it by) and the `elevation` cell (m, NaN when there is none).
    double latitude = 0;
    double elevation = 0;
};

// What the fields' projects are made from: every field's cells, the parameter columns they
// refer to, and the folder their files are named from. Plain data, so that a part of a region
// can be sent to another process without its layer.
struct FieldCells {
    std::vector<FieldInput> fields;
    // The parameters the columns hold: a column's own name, or the parameter chosen for it.
    std::vector<std::string> parameterColumns;
    std::string folder;  // of the layer's file, which `project` and `weather` cells are relative to
};

class FieldLayer {
public:
    // Opens the layer and reads every field. Throws HalosoilError, before anything runs, for
    // a file GDAL cannot read, a missing or unknown layer, an --id column that is missing or
    // holds an empty or a repeated id.
    static FieldLayer Read(const LayerChoice& choice);

    FieldLayer(FieldLayer&&) noexcept;
    FieldLayer& operator=(FieldLayer&&) noexcept;
    ~FieldLayer();

    const FieldCells& Cells() const { return cells_; }
    const std::vector<FieldInput>& Fields() const { return cells_.fields; }
    // Every column of the layer, in its order.
    const std::vector<std::string>& Columns() const { return columns_; }
    // Whether the ids are whole numbers (the feature ids, or an integer column).
    bool IntegerIds() const { return integerIds_; }
    // Columns that the results replace, so that they are not carried (a results layer read as
    // fields); the command warns of them.
    const std::vector<std::string>& ReplacedColumns() const { return replacedColumns_; }

    // What the results writer needs of the source: its layer, features and CRS. Opaque here,
    // so that nothing that includes this header sees GDAL.
    struct Source;
    const Source& SourceOf() const { return *source_; }

private:
    FieldLayer();

    std::unique_ptr<Source> source_;
    FieldCells cells_;
    std::vector<std::string> replacedColumns_;
    std::vector<std::string> columns_;
    bool integerIds_ = true;
};

// Whether a column's name is that of a movable parameter (`qh1`, `thickness_layer1`,
// `rain_factor`, ...), whatever zones the base project has.
bool IsParameterColumn(const std::string& name);

}  // namespace halosoil::region
