// The crop of each field of a region, whose relative yield its results carry: once the region
// names a crop, the field's `crop` cell (a crop of the region's table, or threshold=T,slope=B),
// else the region's. Without a crop of the region a `crop` column is an attribute like any
// other, carried as it is: a layer's free-text crops were never refused before.
#pragma once

#include <optional>

#include "CropTolerance.h"
#include "FieldLayer.h"
#include "FieldResult.h"
#include "RegionRun.h"

namespace halosoil::region {

// Sets the region's crop table (crops: a CSV of the user's own, "" for the shipped one), its
// crop (a name of the table or threshold=T,slope=B, "" for none) and the ECe factor; throws
// HalosoilError (FileError for a table that cannot be read) for what cannot serve.
void ChooseRegionCrop(RegionOptions& options, const std::string& crop, const std::string& crops,
                      double eceFactor);

// Whether the results carry a relative yield: the region names a crop.
bool CarriesYield(const RegionOptions& options, const FieldCells& cells);

// The field's crop, nothing where neither its cell nor the region names one. Throws
// HalosoilError "Field X: column crop holds V: why" for a cell that names no crop.
std::optional<study::Crop> CropOfField(const RegionOptions& options, const FieldInput& field);

// The crop's relative yield per step of a field whose run went through.
void AddRelativeYield(FieldResult& result, const InputData& project, const RunState& state,
                      const std::optional<study::Crop>& crop, double eceFactor);

}  // namespace halosoil::region
