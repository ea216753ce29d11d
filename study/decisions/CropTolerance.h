// The salt tolerance of crops: the threshold of the saturation extract's salinity (ECe, dS/m)
// up to which a crop yields fully and the loss of yield beyond it (% per dS/m), as published
// in the salt-tolerance tables; the table shipped in data/crops.csv or a user's own file of the
// same columns, and a crop named by its numbers alone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace halosoil::study {

struct Crop {
    std::string name;
    double threshold = 0;  // ECe, dS/m
    double slope = 0;      // % of the yield lost per dS/m above the threshold
    std::string toleranceClass;
    std::string source;
};

using CropTable = std::vector<Crop>;

// The table shipped with the program.
const CropTable& ShippedCrops();
// A table from CSV text of the columns crop,threshold,slope,class,source (class and source
// may be empty); throws HalosoilError naming file, line and value of the first fault.
CropTable ReadCropTable(std::string_view text, const std::string& fileName);
// The same from a file; throws FileError naming the file and the platform's message when it
// cannot be read.
CropTable ReadCropFile(const std::string& path);

// The crop of the table by name, in any case; throws HalosoilError naming the names close to
// it when the table has none of that name.
const Crop& CropNamed(const CropTable& table, std::string_view name);
// A crop given by its numbers, "threshold=T,slope=B" in either order; throws HalosoilError on
// a missing number, a letter in one or a negative value.
Crop ParseOwnCrop(std::string_view text);
// The crop a command line names: its numbers when the text holds '=', else the table's.
Crop ChosenCrop(const CropTable& table, std::string_view text);

// The table as halosoil-batch yield --list-crops prints it: a heading, then one crop a line
// (name, threshold, slope, class, source).
std::string CropListText(const CropTable& table);

}  // namespace halosoil::study
