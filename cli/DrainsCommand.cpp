// halosoil-batch drains (--spacing L | --qh1 Q) --k-above K1 --k-below K2 --impervious D
//                       --radius r
//
// Drains in physical terms: the drainage reaction factors of a drain spacing by Hooghoudt's
// equation with Moody's equivalent depth, or the spacing of a QH1, labelled as the drainage
// panel labels them.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <ostream>

#include "BatchCommand.h"
#include "Errors.h"
#include "Hooghoudt.h"
#include "StudyArguments.h"

namespace halosoil {

namespace {

struct DrainsArguments {
    study::DrainSoil soil;
    double spacing = 0;
    double qh1 = 0;
};

int Drains(const DrainsArguments& arguments, const CLI::App& command,
           const CommandStreams& streams) {
    const bool bySpacing = command.count("--spacing") > 0;
    if (bySpacing == (command.count("--qh1") > 0))
        return Refused(streams.errors, "drains needs either --spacing L or --qh1 Q", kWrongUsage);
    double spacing = arguments.spacing;
    try {
        study::CheckDrainSoil(arguments.soil);
        if (bySpacing)
            study::CheckSpacing(arguments.soil, spacing);
        else
            spacing = study::SpacingOfQh1(arguments.soil, arguments.qh1);
    } catch (const HalosoilError& error) {
        return Refused(streams.errors, error.what(), kWrongUsage);
    }
    const study::DrainageFactors factors = study::FactorsOfSpacing(arguments.soil, spacing);
    streams.out << study::DrainageFactorsText(spacing, factors);
    return WrittenToStandardOutput(streams.out, streams.errors);
}

}  // namespace

BatchCommand AddDrainsCommand(CLI::App& app) {
    auto arguments = std::make_shared<DrainsArguments>();
    CLI::App* command = app.add_subcommand(
        "drains",
        "Gives the drainage reaction factors QH1 and QH2 of a drain spacing (Hooghoudt), or the "
        "spacing of a QH1.");
    command->footer(
        "\nQH1 = 8 K2 d / L^2 and QH2 = 4 K1 / L^2, d the equivalent depth by Moody:\n"
        "d = D / (1 + (D/L)(8/pi ln(D/r) - 3.4)) for D/L <= 0.3, else\n"
        "d = pi L / (8 (ln(L/r) - 1.15)).\n");
    command->add_option("--spacing", arguments->spacing, "the drain spacing L, m")->type_name("L");
    command->add_option("--qh1", arguments->qh1, "the QH1 wanted, m/day/m: gives the spacing")
        ->type_name("Q");
    command
        ->add_option("--k-above", arguments->soil.kAbove,
                     "hydraulic conductivity above drain level K1, m/day")
        ->type_name("K1")
        ->required();
    command
        ->add_option("--k-below", arguments->soil.kBelow,
                     "hydraulic conductivity below drain level K2, m/day")
        ->type_name("K2")
        ->required();
    command
        ->add_option("--impervious", arguments->soil.impervious,
                     "depth of the impervious layer below the drains D, m")
        ->type_name("D")
        ->required();
    command->add_option("--radius", arguments->soil.radius, "drain radius r, m")
        ->type_name("r")
        ->required();
    return {command,
            [arguments, command](const CommandStreams& streams) {
                return Drains(*arguments, *command, streams);
            },
            SayWhatWasRefused};
}

}  // namespace halosoil
