#include "RegionExample.h"

#include <cstdio>
#include <iostream>

#include "AtomicFile.h"

namespace halosoil::examples {

namespace {

constexpr int kRows = 6;
constexpr int kColumns = 6;
constexpr double kSide = 200;  // m
constexpr double kWest = 720000, kSouth = 3290000;

std::string Number(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// One field: the drains work less well towards the west (a smaller QH1), the fields nearer the
// canal in the north get more water, and the old salinity of the first layer varies in
// patches. Two fields leave cells empty, which keeps the base project's value.
std::string Feature(int row, int column) {
    const std::string plot =
        std::string(1, static_cast<char>('A' + row)) + std::to_string(column + 1);
    const double west = kWest + kSide * column, south = kSouth + kSide * row;
    const char* soils[] = {"clay loam", "clay loam", "loam", "loam", "sandy loam", "sandy loam"};
    const bool noDrainValue = plot == "C3";
    const bool noValues = plot == "D4";
    const auto corner = [](double x, double y) {
        return "[" + Number("%.1f", x) + "," + Number("%.1f", y) + "]";
    };
    std::string qh1 = noDrainValue || noValues ? "null" : Number("%.3f", 0.004 + 0.002 * column);
    std::string irrigation = noValues ? "null" : Number("%.2f", 0.8 + 0.1 * row);
    std::string salinity =
        noValues ? "null" : Number("%.1f", 6.0 + 2.0 * ((row * 7 + column * 3) % 5));
    return "{\"type\":\"Feature\",\"properties\":{\"plot\":\"" + plot + "\",\"soil\":\"" +
           soils[column] + "\",\"qh1\":" + qh1 + ",\"irrigation_factor\":" + irrigation +
           ",\"initial_salinity_layer1\":" + salinity +
           "},\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[" + corner(west, south) + "," +
           corner(west + kSide, south) + "," + corner(west + kSide, south + kSide) + "," +
           corner(west, south + kSide) + "," + corner(west, south) + "]]}}";
}

}  // namespace

std::string RegionExampleText() {
    std::string text =
        "{\"type\":\"FeatureCollection\",\"name\":\"district_fields\",\"crs\":{\"type\":\"name\","
        "\"properties\":{\"name\":\"urn:ogc:def:crs:EPSG::32643\"}},\"features\":[\n";
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            text += Feature(row, column);
            text += row == kRows - 1 && column == kColumns - 1 ? "\n" : ",\n";
        }
    return text + "]}\n";
}

void WriteRegionExample(const char* name) {
    WriteFileAtomically(name, RegionExampleText());
    std::cout << "wrote " << name << '\n';
}

}  // namespace halosoil::examples
