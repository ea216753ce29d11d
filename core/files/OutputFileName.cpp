#include "OutputFileName.h"

namespace halosoil {

std::string OutputFileNameFor(const std::string& inputFileName) {
    const std::size_t slash = inputFileName.find_last_of("/\\");
    const std::size_t dot = inputFileName.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? inputFileName.substr(0, dot) : inputFileName) + ".out";
}

}  // namespace halosoil
