#include "FieldLayer.h"

#include <cpl_error.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <mutex>
#include <set>

#include "Errors.h"
#include "LayerSource.h"
#include "Parameters.h"
#include "ResultsSchema.h"
#include "Zones.h"

namespace halosoil::region {

namespace {

// The columns that name a field's own base project, its station record and its crop.
constexpr const char* kProjectColumn = "project";
constexpr const char* kWeatherColumn = "weather";
constexpr const char* kCropColumn = "crop";

constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

// The latitudes of the layer's centroids: from its CRS to geographic degrees.
class Latitudes {
public:
    explicit Latitudes(const OGRSpatialReference* crs) {
        if (crs == nullptr) return;
        wgs84_.SetWellKnownGeogCS("WGS84");
        wgs84_.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        transform_.reset(OGRCreateCoordinateTransformation(crs, &wgs84_));
    }

    double Of(const OGRGeometry& geometry) const {
        if (!transform_) return kUnknown;
        OGRPoint centroid;
        if (geometry.Centroid(&centroid) != OGRERR_NONE) return kUnknown;
        double x = centroid.getX(), y = centroid.getY();
        if (!transform_->Transform(1, &x, &y)) return kUnknown;
        return y;
    }

private:
    OGRSpatialReference wgs84_;
    std::unique_ptr<OGRCoordinateTransformation> transform_;
};

std::string LastGdalError() {
    const std::string message = CPLGetLastErrorMsg();
    return message.empty() ? "" : " (" + message + ")";
}

DatasetPtr OpenLayerFile(const std::string& path) {
    RegisterGdal();
    CPLErrorReset();
    GDALDataset* dataset = GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY,
                                             nullptr, nullptr, nullptr);
    if (dataset == nullptr) {
        if (!std::filesystem::exists(path)) throw HalosoilError(path + ": the file does not exist");
        throw HalosoilError(path + ": not a layer GDAL can read" + LastGdalError());
    }
    return DatasetPtr(dataset);
}

std::string LayerNames(GDALDataset& dataset) {
    std::string names;
    for (int k = 0; k < dataset.GetLayerCount(); ++k) {
        if (!names.empty()) names += ", ";
        names += dataset.GetLayer(k)->GetName();
    }
    return names;
}

OGRLayer* ChosenLayer(GDALDataset& dataset, const LayerChoice& choice) {
    if (dataset.GetLayerCount() == 0)
        throw HalosoilError(choice.path + ": the file holds no layer");
    if (choice.layer.empty()) {
        if (dataset.GetLayerCount() > 1)
            throw HalosoilError(choice.path + " holds several layers (" + LayerNames(dataset) +
                                "); name one with --layer");
        return dataset.GetLayer(0);
    }
    OGRLayer* layer = dataset.GetLayerByName(choice.layer.c_str());
    if (layer == nullptr)
        throw HalosoilError(choice.path + " has no layer '" + choice.layer + "'; its layers are " +
                            LayerNames(dataset));
    return layer;
}

bool IsResultColumn(const std::string& name) {
    if (name == kFieldColumn || name == kStatusColumn || name == kMessageColumn) return true;
    for (const study::QuantityInfo& info : study::Quantities())
        for (const Summary summary : kSummaries)
            if (name == SummaryColumn(info.quantity, summary)) return true;
    for (const Summary summary : kSummaries)
        if (name == RelativeYieldColumn(summary)) return true;
    return false;
}

bool IsNumericType(OGRFieldType type) {
    return type == OFTInteger || type == OFTInteger64 || type == OFTReal;
}

// The parameter a column is read as, by its name or the use chosen for it; empty for none.
// Throws HalosoilError for a use that names no movable parameter.
std::string ParameterOfColumn(const LayerChoice& choice, const std::string& name) {
    const auto chosen = choice.columnUse.find(name);
    if (chosen == choice.columnUse.end()) return IsParameterColumn(name) ? name : std::string();
    if (!chosen->second.empty() && !IsParameterColumn(chosen->second))
        throw HalosoilError(choice.path + ": the column '" + name + "' cannot be read as '" +
                            chosen->second + "', which is no movable parameter");
    return chosen->second;
}

std::string GeometryName(const OGRGeometry& geometry) {
    return OGRGeometryTypeToName(geometry.getGeometryType());
}

}  // namespace

void RegisterGdal() {
    static std::once_flag once;
    std::call_once(once, [] {
        GDALAllRegister();
        // GDAL's complaints become the messages of our errors, never lines of their own.
        CPLSetErrorHandler(CPLQuietErrorHandler);
    });
}

bool IsParameterColumn(const std::string& name) {
    for (const study::ParameterInfo& info : study::ParameterTable()) {
        if (!info.perZone) {
            if (name == info.name) return true;
            continue;
        }
        for (int zone = 1; zone <= 5; ++zone)
            if (name == std::string(info.name) + "_" + ZoneKey(zone)) return true;
    }
    return false;
}

FieldLayer::FieldLayer() : source_(std::make_unique<Source>()) {}
FieldLayer::FieldLayer(FieldLayer&&) noexcept = default;
FieldLayer& FieldLayer::operator=(FieldLayer&&) noexcept = default;
FieldLayer::~FieldLayer() = default;

FieldLayer FieldLayer::Read(const LayerChoice& choice) {
    FieldLayer read;
    Source& source = *read.source_;
    source.dataset = OpenLayerFile(choice.path);
    source.layer = ChosenLayer(*source.dataset, choice);
    read.cells_.folder = std::filesystem::path(choice.path).parent_path().string();

    OGRFeatureDefn& definition = *source.layer->GetLayerDefn();
    int idIndex = -1;
    int projectIndex = -1;
    int weatherIndex = -1;
    int elevationIndex = -1;
    int cropIndex = -1;
    std::vector<int> parameterIndex;
    for (int k = 0; k < definition.GetFieldCount(); ++k) {
        const OGRFieldDefn& column = *definition.GetFieldDefn(k);
        const std::string name = column.GetNameRef();
        if (name == choice.idColumn) idIndex = k;
        if (name == kProjectColumn) projectIndex = k;
        if (name == kWeatherColumn) weatherIndex = k;
        if (name == kElevationColumn) elevationIndex = k;
        if (name == kCropColumn) cropIndex = k;
        read.columns_.push_back(name);
        const std::string parameter = ParameterOfColumn(choice, name);
        if (!parameter.empty()) {
            const auto& taken = read.cells_.parameterColumns;
            const auto twice = std::find(taken.begin(), taken.end(), parameter);
            if (twice != taken.end())
                throw HalosoilError(
                    choice.path + ": the columns '" +
                    definition.GetFieldDefn(parameterIndex[twice - taken.begin()])->GetNameRef() +
                    "' and '" + name + "' are both read as " + parameter);
            parameterIndex.push_back(k);
            read.cells_.parameterColumns.push_back(parameter);
        }
        if (IsResultColumn(name))
            read.replacedColumns_.push_back(name);
        else
            source.carried.push_back(k);
    }
    if (!choice.idColumn.empty() && idIndex < 0)
        throw HalosoilError(choice.path + ": the layer has no column '" + choice.idColumn +
                            "' for the ids");
    if (idIndex >= 0) {
        const OGRFieldType type = definition.GetFieldDefn(idIndex)->GetType();
        read.integerIds_ = type == OFTInteger || type == OFTInteger64;
    }

    const Latitudes latitudes(weatherIndex >= 0 ? source.layer->GetSpatialRef() : nullptr);
    std::set<std::string> ids;
    source.layer->ResetReading();
    for (OGRFeatureUniquePtr& feature : *source.layer) {
        FieldInput field;
        if (idIndex < 0) {
            field.id = std::to_string(feature->GetFID());
        } else {
            if (!feature->IsFieldSetAndNotNull(idIndex) ||
                std::string(feature->GetFieldAsString(idIndex)).empty())
                throw HalosoilError(choice.path + ": feature " + std::to_string(feature->GetFID()) +
                                    " has no id in column '" + choice.idColumn + "'");
            field.id = feature->GetFieldAsString(idIndex);
        }
        if (!ids.insert(field.id).second)
            throw HalosoilError(
                choice.path + ": the id " + field.id + " is given to two fields" +
                (choice.idColumn.empty() ? "" : " in column '" + choice.idColumn + "'"));

        for (std::size_t p = 0; p < parameterIndex.size(); ++p) {
            const int k = parameterIndex[p];
            if (!feature->IsFieldSetAndNotNull(k)) continue;
            ParameterCell cell;
            cell.column = static_cast<int>(p);
            if (IsNumericType(definition.GetFieldDefn(k)->GetType())) {
                cell.number = feature->GetFieldAsDouble(k);
            } else {
                cell.isText = true;
                cell.text = feature->GetFieldAsString(k);
                if (cell.text.find_first_not_of(" \t") == std::string::npos) continue;
            }
            field.cells.push_back(std::move(cell));
        }
        if (projectIndex >= 0 && feature->IsFieldSetAndNotNull(projectIndex))
            field.project = feature->GetFieldAsString(projectIndex);

        if (weatherIndex >= 0 && feature->IsFieldSetAndNotNull(weatherIndex))
            field.weather = feature->GetFieldAsString(weatherIndex);
        if (cropIndex >= 0 && feature->IsFieldSetAndNotNull(cropIndex))
            field.crop = feature->GetFieldAsString(cropIndex);
        field.elevation = elevationIndex >= 0 && feature->IsFieldSetAndNotNull(elevationIndex)
                              ? feature->GetFieldAsDouble(elevationIndex)
                              : kUnknown;

        const OGRGeometry* geometry = feature->GetGeometryRef();
        field.latitude =
            geometry != nullptr && !field.weather.empty() ? latitudes.Of(*geometry) : kUnknown;
        if (geometry == nullptr || geometry->IsEmpty()) {
            field.refusal = "Field " + field.id + ": it has no geometry";
        } else {
            const OGRwkbGeometryType type = wkbFlatten(geometry->getGeometryType());
            if (type == wkbMultiPolygon) {
                source.geometryType = wkbMultiPolygon;
            } else if (type != wkbPolygon) {
                field.refusal = "Field " + field.id + ": its geometry is a " +
                                GeometryName(*geometry) + ", not a polygon";
            }
        }
        read.cells_.fields.push_back(std::move(field));
        source.features.push_back(std::move(feature));
    }
    return read;
}

}  // namespace halosoil::region
