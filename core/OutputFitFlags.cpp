#include "OutputFitFlags.h"

#include <fstream>
#include <istream>

#include "Errors.h"
#include "OutputFile.h"

namespace halosoil {

FitFlags FitNotAvailable(std::istream& outputFile) {
    InputData data;
    OutputReadBack readBack;
    // A damaged header tells nothing of the zones it does not reach: they keep "no fit".
    try {
        ReadOutputHeader(outputFile, data, readBack);
    } catch (const HalosoilError&) {
    }
    return readBack.FitNA;
}

bool FitNotAvailable(const std::string& outputFileName, FitFlags& flags) {
    std::ifstream in(outputFileName, std::ios::binary);
    if (!in) return false;
    flags = FitNotAvailable(in);
    return true;
}

}  // namespace halosoil
