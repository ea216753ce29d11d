// A build without Qt draws graphs as SVG only.
#include "Errors.h"
#include "RasterGraph.h"

namespace halosoil {

bool CanDrawRasterGraphs() {
    return false;
}

void SaveRasterGraph(GraphType, const GraphSource&, const std::string&, const char*) {
    throw HalosoilError("This build draws graphs as SVG only.");
}

}  // namespace halosoil
