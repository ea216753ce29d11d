#include "CropArguments.h"

#include "ShortestText.h"

namespace halosoil {

void AddCropOptions(CLI::App* command, CropArguments& arguments) {
    command
        ->add_option("--crop", arguments.crop,
                     "the crop by name (see halosoil-batch yield --list-crops) or a crop of "
                     "its own, threshold=T,slope=B (dS/m, % per dS/m)")
        ->type_name("NAME");
    command
        ->add_option("--crops", arguments.crops,
                     "a crop table of one's own, CSV of the columns "
                     "crop,threshold,slope,class,source")
        ->type_name("FILE.csv");
    command
        ->add_option("--ece-factor", arguments.eceFactor,
                     "ECe = factor x the root zone's salinity of the soil moisture (default "
                     "0.5: the soil moisture near field capacity holds about twice the "
                     "concentration of the saturation extract)")
        ->type_name("F");
}

study::CropTable CropTableOf(const CropArguments& arguments) {
    return arguments.crops.empty() ? study::ShippedCrops() : study::ReadCropFile(arguments.crops);
}

std::optional<study::Crop> CropOf(const CropArguments& arguments) {
    study::CheckEceFactor(arguments.eceFactor);
    if (arguments.crop.empty()) return std::nullopt;
    if (arguments.crop.find('=') != std::string::npos) return study::ParseOwnCrop(arguments.crop);
    return study::CropNamed(CropTableOf(arguments), arguments.crop);
}

std::string CropNote(const study::Crop& crop, double eceFactor) {
    std::string note = "crop " + crop.name + ": threshold " + study::ShortestText(crop.threshold) +
                       " dS/m, slope " + study::ShortestText(crop.slope) + " % per dS/m";
    if (!crop.source.empty()) note += " (" + crop.source + ")";
    return note + "; ECe = " + study::ShortestText(eceFactor) +
           " x the root zone's salinity of the soil moisture (--ece-factor)";
}

}  // namespace halosoil
