// The crop options that yield and the study commands share: --crop NAME (or threshold=T,
// slope=B), --crops FILE for a table of the user's own and --ece-factor.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "CropTolerance.h"
#include "RelativeYield.h"

namespace halosoil {

struct CropArguments {
    std::string crop;
    std::string crops;
    double eceFactor = study::kDefaultEceFactor;
};

// Adds --crop, --crops and --ece-factor.
void AddCropOptions(CLI::App* command, CropArguments& arguments);

// The table of --crops, else the shipped one; throws HalosoilError (FileError naming the
// file when it cannot be read).
study::CropTable CropTableOf(const CropArguments& arguments);
// The crop named, nothing without --crop; throws HalosoilError for an unknown crop (naming the
// close ones), a crop of its own badly given or an ECe factor not above 0.
std::optional<study::Crop> CropOf(const CropArguments& arguments);

// What a report says of the crop and of ECe: "crop barley: threshold 8 dS/m, slope 5 % per
// dS/m (source); ECe = 0.5 x the root zone's salinity of the soil moisture (--ece-factor)".
std::string CropNote(const study::Crop& crop, double eceFactor);

}  // namespace halosoil
