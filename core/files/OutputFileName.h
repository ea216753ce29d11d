// Where a run writes its output: beside the input file, under the same name with the
// extension ".out".
#pragma once

#include <string>

namespace halosoil {

std::string OutputFileNameFor(const std::string& inputFileName);

}  // namespace halosoil
