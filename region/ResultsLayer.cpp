#include "ResultsLayer.h"

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <map>
#include <memory>

namespace halosoil::region {

namespace {

std::string SummaryNames() {
    std::string names;
    for (Summary summary : kSummaries)
        names += std::string(names.empty() ? "" : ", ") + SummaryName(summary);
    return names;
}

struct Dataset {
    GDALDatasetUniquePtr dataset;
    OGRLayer* fields = nullptr;
    OGRLayer* steps = nullptr;
};

Dataset OpenResults(const std::string& path) {
    GDALAllRegister();
    CPLErrorReset();
    // GDAL's own complaints become the message below, not lines on standard error.
    CPLPushErrorHandler(CPLQuietErrorHandler);
    const char* const drivers[] = {"GPKG", nullptr};
    Dataset results;
    results.dataset.reset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY,
                                            drivers, nullptr, nullptr));
    const std::string reason = CPLGetLastErrorMsg();
    CPLPopErrorHandler();
    if (!results.dataset)
        throw HalosoilError(path + " cannot be read as a GeoPackage" +
                            (reason.empty() ? std::string() : " (" + reason + ")"));
    results.fields = results.dataset->GetLayerByName(kFieldsLayer);
    results.steps = results.dataset->GetLayerByName(kStepsTable);
    if (!results.fields || !results.steps)
        throw HalosoilError(path + " is not a region's results: it has no " +
                            (results.fields ? "table '" + std::string(kStepsTable) + "'"
                                            : "layer '" + std::string(kFieldsLayer) + "'"));
    return results;
}

int ColumnOf(OGRLayer& layer, const std::string& column, const std::string& path) {
    const int index = layer.GetLayerDefn()->GetFieldIndex(column.c_str());
    if (index < 0)
        throw HalosoilError(path + " is not a region's results: its " + layer.GetName() +
                            " has no column '" + column + "'");
    return index;
}

std::optional<double> ValueAt(OGRFeature& feature, int column) {
    if (!feature.IsFieldSetAndNotNull(column)) return std::nullopt;
    const double value = feature.GetFieldAsDouble(column);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::string UnitAbbreviation(const std::string& name, double metres) {
    if (name == "metre" || name == "meter" || metres == 1.0) return "m";
    if (name == "kilometre" || name == "kilometer") return "km";
    if (name == "foot" || name == "international foot") return "ft";
    if (name.find("US survey foot") != std::string::npos) return "ftUS";
    return name;
}

// A GeoPackage has two CRSs that stand for none (srs_id 0 and -1), which GDAL gives to a layer
// written without one.
bool IsUndefined(const std::string& name) {
    return name == "Undefined geographic SRS" || name == "Undefined Cartesian SRS" ||
           name == "Undefined cartesian SRS";
}

MapCrs CrsOf(const OGRSpatialReference* reference, const std::string& path) {
    MapCrs crs;
    if (!reference) return crs;
    crs.name = reference->GetName() ? reference->GetName() : "unnamed";
    if (IsUndefined(crs.name)) return {};
    char* wkt = nullptr;
    const char* const options[] = {"FORMAT=WKT2_2019", nullptr};
    if (reference->exportToWkt(&wkt, options) == OGRERR_NONE && wkt) crs.wkt = wkt;
    CPLFree(wkt);
    if (reference->IsGeographic()) {
        crs.kind = CrsKind::Geographic;
        crs.unit = "°";
        return crs;
    }
    if (reference->IsProjected() || reference->IsLocal()) {
        const char* unitName = nullptr;
        crs.kind = CrsKind::Projected;
        crs.metresPerUnit = reference->GetLinearUnits(&unitName);
        crs.unit = UnitAbbreviation(unitName ? unitName : "", crs.metresPerUnit);
        return crs;
    }
    throw HalosoilError(
        path + ": the fields' CRS '" + crs.name + "' is " +
        (reference->IsGeocentric() ? "geocentric" : "neither projected nor geographic") +
        "; a map draws the fields of a projected or geographic CRS (reproject the "
        "input layer, e.g. with ogr2ogr -t_srs EPSG:4326)");
}

Ring RingOf(const OGRLinearRing& ring) {
    Ring points;
    const int count = ring.getNumPoints();
    // The ring's last point repeats its first.
    for (int k = 0; k + 1 < count; ++k) points.push_back({ring.getX(k), ring.getY(k)});
    if (count > 0 && (ring.getX(0) != ring.getX(count - 1) || ring.getY(0) != ring.getY(count - 1)))
        points.push_back({ring.getX(count - 1), ring.getY(count - 1)});
    return points;
}

Polygon PolygonOf(const OGRPolygon& polygon) {
    Polygon rings;
    if (polygon.IsEmpty()) return rings;
    rings.push_back(RingOf(*polygon.getExteriorRing()));
    for (int k = 0; k < polygon.getNumInteriorRings(); ++k)
        rings.push_back(RingOf(*polygon.getInteriorRing(k)));
    return rings;
}

// Curves are drawn as the lines GDAL approximates them by; points and lines have no area to
// fill and draw nothing.
Shape ShapeOf(const OGRGeometry* geometry) {
    Shape shape;
    if (!geometry || geometry->IsEmpty()) return shape;
    std::unique_ptr<OGRGeometry> linear(geometry->getLinearGeometry());
    if (!linear) return shape;
    const OGRwkbGeometryType type = wkbFlatten(linear->getGeometryType());
    if (type == wkbPolygon) {
        shape.push_back(PolygonOf(*linear->toPolygon()));
    } else if (type == wkbMultiPolygon) {
        for (const OGRPolygon* part : *linear->toMultiPolygon()) shape.push_back(PolygonOf(*part));
    } else if (type == wkbGeometryCollection) {
        for (const OGRGeometry* part : *linear->toGeometryCollection())
            for (Polygon& polygon : ShapeOf(part)) shape.push_back(std::move(polygon));
    }
    return shape;
}

std::vector<MapField> ReadFields(OGRLayer& layer, study::Quantity quantity,
                                 const std::string& path) {
    const int idColumn = ColumnOf(layer, kFieldColumn, path);
    const int statusColumn = ColumnOf(layer, kStatusColumn, path);
    int summaryColumns[4];
    for (int k = 0; k < 4; ++k)
        summaryColumns[k] = ColumnOf(layer, SummaryColumn(quantity, kSummaries[k]), path);
    std::vector<MapField> fields;
    layer.ResetReading();
    for (const auto& feature : layer) {
        MapField field;
        field.id = feature->GetFieldAsString(idColumn);
        field.status = feature->GetFieldAsString(statusColumn);
        field.shape = ShapeOf(feature->GetGeometryRef());
        for (int k = 0; k < 4; ++k) field.summaries[k] = ValueAt(*feature, summaryColumns[k]);
        fields.push_back(std::move(field));
    }
    return fields;
}

// Every field's steps of the quantity; returns the number of steps.
int ReadSteps(OGRLayer& layer, study::Quantity quantity, const std::string& path,
              std::vector<MapField>& fields) {
    const int idColumn = ColumnOf(layer, kFieldColumn, path);
    const int stepColumn = ColumnOf(layer, kStepColumn, path);
    const int valueColumn = ColumnOf(layer, study::InfoOf(quantity).name, path);
    std::map<std::string, MapField*> byId;
    for (MapField& field : fields) byId[field.id] = &field;
    int stepCount = 0;
    layer.ResetReading();
    for (const auto& row : layer) {
        const auto found = byId.find(row->GetFieldAsString(idColumn));
        const int step = row->GetFieldAsInteger(stepColumn);
        if (found == byId.end() || step < 1) continue;
        stepCount = std::max(stepCount, step);
        auto& steps = found->second->steps;
        if (static_cast<int>(steps.size()) < step) steps.resize(step);
        steps[step - 1] = ValueAt(*row, valueColumn);
    }
    for (MapField& field : fields) field.steps.resize(stepCount);
    return stepCount;
}

// Moves point to WGS 84. A projection's inverse answers even far outside the area it is made
// for (a northing beyond the pole comes back as some latitude), so a point counts as reprojected
// only when it also comes back to where it was, within a millionth of its size.
bool Reprojected(OGRCoordinateTransformation& transform, OGRCoordinateTransformation& back,
                 Point& point) {
    Point wgs84 = point;
    if (!transform.Transform(1, &wgs84.x, &wgs84.y) || !std::isfinite(wgs84.x) ||
        !std::isfinite(wgs84.y) || std::abs(wgs84.y) > 90)
        return false;
    Point again = wgs84;
    if (!back.Transform(1, &again.x, &again.y)) return false;
    const auto near = [](double a, double b) {
        return std::abs(a - b) <= 1e-6 * (1 + std::abs(b));
    };
    if (!near(again.x, point.x) || !near(again.y, point.y)) return false;
    point = wgs84;
    return true;
}

}  // namespace

std::string MapChoice::Label() const {
    return summary ? SummaryName(*summary) : "step " + std::to_string(step);
}

MapChoice ParseMapChoice(const std::string& text) {
    const std::size_t colon = text.find(':');
    const std::string name = text.substr(0, colon);
    const std::optional<study::Quantity> quantity = study::QuantityNamed(name);
    if (!quantity)
        throw MapRequestError("unknown quantity '" + name + "'; the quantities are " +
                              study::QuantityNames());
    MapChoice choice;
    choice.quantity = *quantity;
    if (colon == std::string::npos) return choice;
    const std::string which = text.substr(colon + 1);
    for (Summary summary : kSummaries)
        if (which == SummaryName(summary)) {
            choice.summary = summary;
            return choice;
        }
    int step = 0;
    if (which.find_first_not_of("0123456789") == std::string::npos && !which.empty() &&
        which.size() < 9)
        step = std::stoi(which);
    if (step < 1)
        throw MapRequestError("'" + which + "' after " + name + ": is neither a summary (" +
                              SummaryNames() + ") nor a step (1, 2, ...)");
    choice.summary.reset();
    choice.step = step;
    return choice;
}

std::vector<double> ResultsLayer::Values() const {
    std::vector<double> values;
    for (const MapField& field : fields)
        if (field.value) values.push_back(*field.value);
    return values;
}

ResultsLayer ReadResultsLayer(const std::string& path, const MapChoice& choice) {
    Dataset results = OpenResults(path);
    ResultsLayer layer;
    layer.file = path;
    layer.choice = choice;
    layer.crs = CrsOf(results.fields->GetSpatialRef(), path);
    layer.fields = ReadFields(*results.fields, choice.quantity, path);
    layer.stepCount = ReadSteps(*results.steps, choice.quantity, path, layer.fields);
    if (!choice.summary && choice.step > layer.stepCount)
        throw MapRequestError("step " + std::to_string(choice.step) + " is beyond the " +
                              std::to_string(layer.stepCount) + " steps of " + path);
    for (MapField& field : layer.fields)
        field.value = choice.summary ? field.summaries[static_cast<int>(*choice.summary)]
                                     : field.steps[choice.step - 1];
    const std::string name = study::InfoOf(choice.quantity).name;
    if (layer.fields.empty()) throw HalosoilError(path + " has no fields to draw");
    if (layer.Values().empty())
        throw HalosoilError(path + " has no value of " + name + " (" + choice.Label() +
                            ") in any field: the projects lack the zone, or every field was "
                            "refused");
    return layer;
}

ResultsLayer InWgs84(const ResultsLayer& layer) {
    if (layer.crs.kind == CrsKind::None)
        throw HalosoilError(layer.file +
                            ": the fields have no CRS, so they cannot be placed on the globe of "
                            "an HTML map; give the input layer its CRS (e.g. ogr2ogr -a_srs "
                            "EPSG:32643) or draw an SVG or PNG map");
    OGRSpatialReference source;
    OGRSpatialReference target;
    source.importFromWkt(layer.crs.wkt.c_str());
    target.importFromEPSG(4326);
    source.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    CPLPushErrorHandler(CPLQuietErrorHandler);
    std::unique_ptr<OGRCoordinateTransformation> transform(
        OGRCreateCoordinateTransformation(&source, &target));
    std::unique_ptr<OGRCoordinateTransformation> back(
        OGRCreateCoordinateTransformation(&target, &source));
    CPLPopErrorHandler();
    if (!transform || !back)
        throw HalosoilError(layer.file + ": the fields' CRS '" + layer.crs.name +
                            "' cannot be reprojected to WGS 84 (" + CPLGetLastErrorMsg() + ")");
    ResultsLayer reprojected = layer;
    for (MapField& field : reprojected.fields)
        for (Polygon& polygon : field.shape)
            for (Ring& ring : polygon)
                for (Point& point : ring)
                    if (!Reprojected(*transform, *back, point))
                        throw HalosoilError(layer.file + ": field " + field.id +
                                            " lies outside what its CRS '" + layer.crs.name +
                                            "' can reproject to WGS 84");
    reprojected.crs.kind = CrsKind::Geographic;
    reprojected.crs.name = "WGS 84";
    reprojected.crs.unit = "°";
    return reprojected;
}

}  // namespace halosoil::region
