// The region module's entry for the window: the region's functions the window calls, in a
// table the module hands over. The window opens the module only when a region is first
// opened, as GDAL and the libraries it brings take a good part of a second to load. Both sides
// are built together, so C++ types cross the entry; exceptions do not, each failure comes back
// as a ServiceFailure.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Canvas.h"
#include "FieldLayer.h"
#include "InputData.h"
#include "MapClasses.h"
#include "MapDrawing.h"
#include "RegionRun.h"
#include "ResultsLayer.h"

namespace halosoil::region {

// Why a call did not go through; empty message when it did.
struct ServiceFailure {
    enum Kind { None, Refused, Cancelled };
    Kind kind = None;
    std::string message;
};

// What the window shows of a layer before a region runs.
struct LayerOverview {
    std::vector<std::string> columns;  // every column, in the layer's order
    FieldCells cells;
};

struct RegionServices {
    ServiceFailure (*readLayer)(const LayerChoice& choice, LayerOverview& overview);
    ServiceFailure (*runRegion)(const RegionOptions& options, RegionSummary& summary);
    ServiceFailure (*readResults)(const std::string& path, const MapChoice& choice,
                                  ResultsLayer& layer);
    // The project of field number index of cells over base, or the field's refusal.
    ServiceFailure (*fieldProject)(const InputData& base, const FieldCells& cells,
                                   std::size_t index, InputData& project);
    // The quantile classes of values (not empty), as `halosoil-batch map` makes them.
    MapClasses (*quantileClasses)(const std::vector<double>& values, int classes);
    std::vector<std::string> (*classLabels)(const MapClasses& classes);
    int (*classOf)(const MapClasses& classes, double value);
    std::string (*summaryColumn)(study::Quantity quantity, Summary summary);
    std::string (*choiceLabel)(const MapChoice& choice);  // "final", "step 12", ...
    ServiceFailure (*mapLayout)(const ResultsLayer& layer, MapLayout& layout);
    void (*drawMap)(Canvas& canvas, const ResultsLayer& layer, const MapClasses& classes,
                    const MapStyle& style, const MapLayout& layout);
};

// const RegionServices* halosoil_region_services(): the table, alive as long as the module.
inline constexpr const char* kRegionServicesSymbol = "halosoil_region_services";

}  // namespace halosoil::region
