#include <string>

#include "BatchUsage.h"
#include "GraphTypeNames.h"
#include "ProjectInfo.h"

namespace halosoil {

std::string GraphTypeLines() {
    std::string lines;
    for (const GraphTypeName& entry : kGraphTypeNames)
        lines += "  " + std::string(entry.name) +
                 std::string(22 - std::string(entry.name).size(), ' ') + entry.caption + "\n";
    return lines;
}

std::string BatchHelp() {
    std::string help = kBatchUsage;
    help +=
        "\n"
        "Runs Halosoil projects and exports their results without a window.\n"
        "\n"
        "Commands:\n"
        "  run       read INPUT.inp, compute, and write the output file (by default the\n"
        "            input's name with the extension .out); --refine and --optimise answer\n"
        "            Yes to the run's two questions; several input files run side by side\n"
        "            on -j N threads (one per core by default), and the program's exit\n"
        "            status is the highest of theirs\n"
        "  convert   read an input file of any layout and write it in the current layout\n"
        "  table     write the salinity or the hydrology table of an output file as CSV\n"
        "            (UTF-8, commas, point decimals), to standard output unless -o is given;\n"
        "            the input file of the same name supplies rainfall, irrigation,\n"
        "            evaporation and measured salinities\n"
        "  graph     draw one graph of an output file as the Graphs page draws it; the\n"
        "            extension of FILE chooses SVG, PNG or BMP\n"
        "\n"
        "Each command prints a help of its own with --help, as halosoil-batch run --help does.\n"
        "\n"
        "Graph types:\n";
    help += GraphTypeLines();
    help +=
        "\n"
        "Exit status: 0 done; 1 a file could not be read or written, or the project is\n"
        "invalid; 2 wrong usage; 3 the run stopped early.\n"
        "\n"
        "Report bugs to " +
        std::string(kMakerEmail) + "; home page: " + kMakerUrl + "\n";
    return help;
}

}  // namespace halosoil
