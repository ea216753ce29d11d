// What a read layer keeps of GDAL for the results: the open file, its layer and every
// field's feature, in the order of the fields. Only region/'s own files include this header.
#pragma once

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <memory>
#include <vector>

#include "FieldLayer.h"

namespace halosoil::region {

struct GdalDatasetClose {
    void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, GdalDatasetClose>;

struct FieldLayer::Source {
    DatasetPtr dataset;
    OGRLayer* layer = nullptr;
    std::vector<OGRFeatureUniquePtr> features;
    // The layer's columns carried to the results, by index into its definition.
    std::vector<int> carried;
    // The geometry type of the results: polygons stay polygons unless a field is a
    // multipolygon, when every field is written as one.
    OGRwkbGeometryType geometryType = wkbPolygon;
};

// GDAL's drivers, registered once per process.
void RegisterGdal();

}  // namespace halosoil::region
