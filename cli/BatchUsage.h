// What halosoil-batch tells about its use: the short usage shown after a wrong command line
// and the full help of --help.
#pragma once

#include <string>

namespace halosoil {

inline constexpr const char* kBatchUsage =
    "usage: halosoil-batch run [--refine] [--optimise] [-j N] [-o OUTPUT.out] INPUT.inp...\n"
    "       halosoil-batch convert INPUT.inp OUTPUT.inp\n"
    "       halosoil-batch table salinity|hydrology OUTPUT.out [-o FILE.csv]\n"
    "       halosoil-batch graph TYPE OUTPUT.out -o FILE.svg|FILE.png|FILE.bmp\n"
    "       halosoil-batch --help | --version\n";

// The usage, what each command does, and the graph types one per line.
std::string BatchHelp();

}  // namespace halosoil
