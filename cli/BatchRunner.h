// halosoil-batch: runs projects and converts input files without a window, for scripts and
// tests.
//
//   halosoil-batch run [--refine] [--optimise] [-j N] [-o OUTPUT.out] INPUT.inp...
//   halosoil-batch convert INPUT.inp OUTPUT.inp
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace halosoil {

enum BatchStatus : int {
    kOutputWritten = 0,
    kInputInvalid = 1,
    kWrongUsage = 2,
    kRunStoppedEarly = 3,
};

int RunBatch(const std::vector<std::string>& arguments, std::ostream& errors);

}  // namespace halosoil
