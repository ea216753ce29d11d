// Layers of fields made for the tests with GDAL, as a GIS would write them, and the results
// read back with GDAL: squares side by side, with the columns a test names.
#pragma once

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "RegionScratch.h"

namespace halosoil::test {

struct GdalClose {
    void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};
using Dataset = std::unique_ptr<GDALDataset, GdalClose>;

// A cell: NULL (nullopt), a number or a text.
using Cell = std::optional<std::variant<double, std::string>>;

struct TestField {
    std::map<std::string, Cell> cells;
    // The square's corner in metres; a field whose wkt is set has that geometry instead.
    double x = 0, y = 0;
    std::string wkt;
};

struct TestColumn {
    std::string name;
    OGRFieldType type = OFTReal;
};

inline void RegisterTestGdal() {
    static const bool registered = [] {
        GDALAllRegister();
        CPLSetErrorHandler(CPLQuietErrorHandler);
        return true;
    }();
    (void)registered;
}

// Writes the fields as layer name of a file of driver ("GPKG", "ESRI Shapefile", "GeoJSON");
// squares of 100 m in UTM zone 43 N unless the fields give their geometry, in the CRS epsg.
inline void AddTestLayer(GDALDataset& dataset, const std::string& name,
                         const std::vector<TestColumn>& columns,
                         const std::vector<TestField>& fields, int epsg = 32643) {
    OGRSpatialReference crs;
    crs.importFromEPSG(epsg);
    crs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRLayer* layer = dataset.CreateLayer(name.c_str(), &crs, wkbPolygon, nullptr);
    ASSERT_NE(layer, nullptr);
    for (const TestColumn& column : columns) {
        OGRFieldDefn definition(column.name.c_str(), column.type);
        ASSERT_EQ(layer->CreateField(&definition), OGRERR_NONE);
    }
    for (const TestField& field : fields) {
        OGRFeature feature(layer->GetLayerDefn());
        for (const auto& [column, cell] : field.cells) {
            const int index = feature.GetFieldIndex(column.c_str());
            ASSERT_GE(index, 0) << column;
            if (!cell)
                feature.SetFieldNull(index);
            else if (std::holds_alternative<double>(*cell))
                feature.SetField(index, std::get<double>(*cell));
            else
                feature.SetField(index, std::get<std::string>(*cell).c_str());
        }
        const double x = 500000 + field.x, y = 3000000 + field.y;
        const std::string wkt =
            !field.wkt.empty() ? field.wkt
                               : "POLYGON((" + std::to_string(x) + " " + std::to_string(y) + "," +
                                     std::to_string(x + 100) + " " + std::to_string(y) + "," +
                                     std::to_string(x + 100) + " " + std::to_string(y + 100) + "," +
                                     std::to_string(x) + " " + std::to_string(y + 100) + "," +
                                     std::to_string(x) + " " + std::to_string(y) + "))";
        OGRGeometry* geometry = nullptr;
        ASSERT_EQ(OGRGeometryFactory::createFromWkt(wkt.c_str(), nullptr, &geometry), OGRERR_NONE);
        feature.SetGeometryDirectly(geometry);
        ASSERT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
    }
}

inline Dataset CreateTestFile(const std::filesystem::path& path, const char* driver = "GPKG") {
    RegisterTestGdal();
    std::filesystem::remove(path);
    GDALDriver* writer = GetGDALDriverManager()->GetDriverByName(driver);
    return Dataset(writer->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
}

inline void WriteTestLayer(const std::filesystem::path& path,
                           const std::vector<TestColumn>& columns,
                           const std::vector<TestField>& fields, const char* driver = "GPKG",
                           int epsg = 32643) {
    Dataset dataset = CreateTestFile(path, driver);
    ASSERT_TRUE(dataset);
    AddTestLayer(*dataset, "fields", columns, fields, epsg);
}

inline Dataset OpenResults(const std::filesystem::path& path) {
    RegisterTestGdal();
    return Dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr,
                                     nullptr, nullptr));
}

// The rows of a results table, each a map of column to text ("" for NULL), in order.
inline std::vector<std::map<std::string, std::string>> Rows(GDALDataset& dataset,
                                                            const char* table) {
    std::vector<std::map<std::string, std::string>> rows;
    OGRLayer* layer = dataset.GetLayerByName(table);
    if (layer == nullptr) return rows;
    for (auto& feature : *layer) {
        std::map<std::string, std::string> row;
        for (int k = 0; k < feature->GetFieldCount(); ++k)
            row[feature->GetFieldDefnRef(k)->GetNameRef()] =
                feature->IsFieldSetAndNotNull(k) ? feature->GetFieldAsString(k) : "";
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace halosoil::test
