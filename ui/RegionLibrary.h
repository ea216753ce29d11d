// The region library as the window reaches it: through the region module, opened at the first
// call from the program's folder (lib/halosoil/ beside bin/), so that the window starts without
// GDAL. The module's failures come back as the exceptions the region library throws.
#pragma once

#include <string>

#include "RegionServices.h"

namespace halosoil {

class RegionLibrary {
public:
    // The module's table, the module opened on the first call. Throws HalosoilError naming the
    // module's file when it cannot be opened.
    static const region::RegionServices& Services();
    // Opens the module at path instead of the one beside the program (the tests', which run
    // from another folder).
    static void UseModule(const std::string& path);

    // Each throws HalosoilError with the region library's message, or RegionCancelled.
    static region::LayerOverview ReadLayer(const region::LayerChoice& choice);
    static region::RegionSummary Run(const region::RegionOptions& options);
    static region::ResultsLayer ReadResults(const std::string& path,
                                            const region::MapChoice& choice);
    static InputData FieldProject(const InputData& base, const region::FieldCells& cells,
                                  std::size_t index);
    static region::MapLayout Layout(const region::ResultsLayer& layer);
};

}  // namespace halosoil
