// Results GeoPackages of a region made by hand with OGR, in the names of region/ResultsSchema.h:
// a few fields of known shapes and values, so that a test can work out the classes, colours
// and coordinates of their maps. A program that includes this links GDAL.
#pragma once

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Quantities.h"
#include "ResultsSchema.h"

namespace halosoil::test {

struct ResultsField {
    std::string id;
    std::string wkt;  // a POLYGON or MULTIPOLYGON
    // The quantity's final value; its mean is final + 10, its minimum final - 1, its maximum
    // final + 1. Empty for a refused field (status "refused", every value NULL).
    std::optional<double> final;
    // Step 1, 2, ... of the quantity.
    std::vector<std::optional<double>> steps;
};

// A square of side size with its lower left corner at (x, y), as WKT.
inline std::string Square(double x, double y, double size) {
    const auto n = [](double v) { return std::to_string(v); };
    return "POLYGON((" + n(x) + " " + n(y) + "," + n(x + size) + " " + n(y) + "," + n(x + size) +
           " " + n(y + size) + "," + n(x) + " " + n(y + size) + "," + n(x) + " " + n(y) + "))";
}

struct ResultsFile {
    int epsg = 0;  // 0: a layer without a CRS
    study::Quantity quantity = study::Quantity::SalinityLayer1;
    bool integerIds = false;
    std::vector<ResultsField> fields;
};

inline void Created(OGRErr error, const std::string& what) {
    if (error != OGRERR_NONE) throw std::runtime_error("cannot write " + what);
}

inline void WriteResultsGeoPackage(const std::string& path, const ResultsFile& file) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    GDALDatasetUniquePtr dataset(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) throw std::runtime_error("cannot create " + path);
    OGRSpatialReference crs;
    if (file.epsg != 0) {
        crs.importFromEPSG(file.epsg);
        crs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    }
    OGRLayer* fields = dataset->CreateLayer(region::kFieldsLayer, file.epsg ? &crs : nullptr,
                                            wkbMultiPolygon, nullptr);
    OGRFieldDefn id(region::kFieldColumn, file.integerIds ? OFTInteger : OFTString);
    fields->CreateField(&id);
    for (const char* name : {"crop", region::kStatusColumn, region::kMessageColumn}) {
        OGRFieldDefn column(name, OFTString);
        fields->CreateField(&column);
    }
    for (const study::QuantityInfo& info : study::Quantities())
        for (region::Summary summary : region::kSummaries) {
            OGRFieldDefn column(region::SummaryColumn(info.quantity, summary).c_str(), OFTReal);
            fields->CreateField(&column);
        }
    OGRLayer* steps = dataset->CreateLayer(region::kStepsTable, nullptr, wkbNone, nullptr);
    OGRFieldDefn stepId(region::kFieldColumn, file.integerIds ? OFTInteger : OFTString);
    steps->CreateField(&stepId);
    OGRFieldDefn step(region::kStepColumn, OFTInteger);
    steps->CreateField(&step);
    for (const study::QuantityInfo& info : study::Quantities()) {
        OGRFieldDefn column(info.name, OFTReal);
        steps->CreateField(&column);
    }
    OGRLayer* run = dataset->CreateLayer(region::kRunTable, nullptr, wkbNone, nullptr);
    for (const char* name : {region::kRunBaseColumn, region::kRunCommandColumn,
                             region::kRunVersionColumn, region::kRunDateColumn}) {
        OGRFieldDefn column(name, OFTString);
        run->CreateField(&column);
    }
    OGRFeature runRow(run->GetLayerDefn());
    runRow.SetField(region::kRunBaseColumn, "base.inp");
    Created(run->CreateFeature(&runRow), "the run table");

    for (const ResultsField& field : file.fields) {
        OGRFeature feature(fields->GetLayerDefn());
        feature.SetField(region::kFieldColumn, field.id.c_str());
        feature.SetField("crop", "wheat");
        feature.SetField(region::kStatusColumn,
                         field.final ? region::kStatusOk : region::kStatusRefused);
        if (field.final) {
            const double v = *field.final;
            const double summaries[] = {v, v + 10, v - 1, v + 1};
            for (int k = 0; k < 4; ++k)
                feature.SetField(
                    region::SummaryColumn(file.quantity, region::kSummaries[k]).c_str(),
                    summaries[k]);
        }
        OGRGeometry* geometry = nullptr;
        OGRGeometryFactory::createFromWkt(field.wkt.c_str(), file.epsg ? &crs : nullptr, &geometry);
        if (!geometry) throw std::runtime_error("bad WKT " + field.wkt);
        feature.SetGeometryDirectly(OGRGeometryFactory::forceToMultiPolygon(geometry));
        Created(fields->CreateFeature(&feature), "field " + field.id);
        for (std::size_t k = 0; k < field.steps.size(); ++k) {
            OGRFeature row(steps->GetLayerDefn());
            row.SetField(region::kFieldColumn, field.id.c_str());
            row.SetField(region::kStepColumn, static_cast<int>(k + 1));
            if (field.steps[k]) row.SetField(study::InfoOf(file.quantity).name, *field.steps[k]);
            Created(steps->CreateFeature(&row), "a step of field " + field.id);
        }
    }
}

}  // namespace halosoil::test
