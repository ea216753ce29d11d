// The results files the region tests draw: four squares of 1 km in UTM zone 43N, and their
// like in degrees.
#pragma once

#include <filesystem>
#include <string>

#include "RegionScratch.h"
#include "ResultsGeoPackages.h"

namespace halosoil::test {

namespace fs = std::filesystem;

// A 2 x 2 km block at easting 500000, northing 3300000 (EPSG:32643): a (lower left, final 1),
// b (lower right, 2), c (upper left, 3), d (upper right, refused). Three steps each: the final
// value times the step.
inline ResultsFile UtmBlock() {
    ResultsFile file;
    file.epsg = 32643;
    const auto field = [](std::string id, double x, double y, std::optional<double> v) {
        std::vector<std::optional<double>> steps;
        for (int s = 1; s <= 3; ++s) steps.push_back(v ? std::optional(*v * s) : std::nullopt);
        return ResultsField{std::move(id), Square(x, y, 1000), v, steps};
    };
    file.fields = {field("a", 500000, 3300000, 1), field("b", 501000, 3300000, 2),
                   field("c", 500000, 3301000, 3), field("d", 501000, 3301000, std::nullopt)};
    return file;
}

}  // namespace halosoil::test
