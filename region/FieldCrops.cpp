#include "FieldCrops.h"

#include "Errors.h"
#include "RelativeYield.h"

namespace halosoil::region {

void ChooseRegionCrop(RegionOptions& options, const std::string& crop, const std::string& crops,
                      double eceFactor) {
    study::CheckEceFactor(eceFactor);
    options.eceFactor = eceFactor;
    if (!crops.empty()) options.cropTable = study::ReadCropFile(crops);
    options.crop.reset();
    if (!crop.empty()) options.crop = study::ChosenCrop(options.cropTable, crop);
}

bool CarriesYield(const RegionOptions& options, const FieldCells&) {
    return options.crop.has_value();
}

std::optional<study::Crop> CropOfField(const RegionOptions& options, const FieldInput& field) {
    if (!options.crop || field.crop.find_first_not_of(" \t") == std::string::npos)
        return options.crop;
    try {
        return study::ChosenCrop(options.cropTable, field.crop);
    } catch (const HalosoilError& error) {
        throw HalosoilError("Field " + field.id + ": column crop holds " + field.crop + ": " +
                            error.what());
    }
}

void AddRelativeYield(FieldResult& result, const InputData& project, const RunState& state,
                      const std::optional<study::Crop>& crop, double eceFactor) {
    if (!crop || state.RunStopped) return;
    result.relativeYield = study::RelativeYieldSeries(project, state, *crop, eceFactor);
}

}  // namespace halosoil::region
