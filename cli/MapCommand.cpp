// halosoil-batch map RESULTS.gpkg QUANTITY[:final|mean|min|max|STEP] -o MAP.svg|MAP.png|MAP.html
//              [--classes N] [--breaks a,b,c] [--threshold VALUE] [--title TEXT]
//
// A map of a region's results: SVG and PNG drawn on the graphs' canvas, HTML as one page that
// works offline.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "BatchCommand.h"
#include "BatchUsage.h"
#include "ModuleEntry.h"
#include "Quantities.h"
#include "RasterGraph.h"
#include "RegionModule.h"
#include "StudyArguments.h"

namespace halosoil {

namespace {

struct MapArguments {
    std::string results;
    std::string quantity;
    std::string output;
    int classes = 0;
    std::string breaks;
    std::string threshold;
    std::string title;
};

void PrintMapMessage(void* context, const char* text, int kind) {
    std::ostream& errors = *static_cast<std::ostream*>(context);
    if (kind == kMapWrongRequest)
        WrongUsage(errors, text);
    else if (kind == kMapRefusal)
        Refused(errors, text, kInputInvalid);
    else
        errors << text << '\n';
}

// The map is drawn in the region module, which reads the results with GDAL.
int Map(const MapArguments& arguments, const CommandStreams& streams) {
    static const ModuleEntry module = OpenModuleEntry(HALOSOIL_REGION_MODULE, kDrawMapSymbol);
    if (!module.entry)
        return Refused(streams.errors, "maps need Halosoil's region module: " + module.unavailable,
                       kInputInvalid);
    const std::string rasterUnavailable = RasterGraphsUnavailable();
    const HalosoilMapRequest request{.results = arguments.results.c_str(),
                                     .quantity = arguments.quantity.c_str(),
                                     .output = arguments.output.c_str(),
                                     .classes = arguments.classes,
                                     .breaks = arguments.breaks.c_str(),
                                     .threshold = arguments.threshold.c_str(),
                                     .title = arguments.title.c_str(),
                                     .saveRaster = RasterDrawingEntry(),
                                     .rasterUnavailable = rasterUnavailable.c_str(),
                                     .context = &streams.errors,
                                     .message = PrintMapMessage};
    return reinterpret_cast<HalosoilDrawMap>(module.entry)(&request);
}

}  // namespace

BatchCommand AddMapCommand(CLI::App& app) {
    auto arguments = std::make_shared<MapArguments>();
    CLI::App* command =
        app.add_subcommand("map", "Draws a map of a region's results: SVG, PNG or an HTML page.");
    command->footer(
        "\nQUANTITY is one of " + study::QuantityNames() +
        ";\nafter a colon the summary (final, the default; mean, min, max) or a step (1, 2, ...).\n"
        "The classes are quantiles of the fields' values unless --breaks fixes them; fields\n"
        "without a value are grey. The HTML page works offline: its slider runs through the\n"
        "summary and every step, with the classes of the chosen value.\n");
    command->add_option("RESULTS.gpkg", arguments->results, "the results of halosoil-batch region")
        ->required();
    command->add_option("QUANTITY", arguments->quantity, "QUANTITY[:final|mean|min|max|STEP]")
        ->required();
    command
        ->add_option("-o", arguments->output,
                     "the map; its extension chooses SVG, PNG or HTML (required)")
        ->type_name("MAP.svg|MAP.png|MAP.html")
        ->required();
    command
        ->add_option("--classes", arguments->classes,
                     "the number of quantile classes, 2 to 9 (default 5)")
        ->type_name("N");
    command
        ->add_option("--breaks", arguments->breaks,
                     "the breaks between the classes, increasing (e.g. 2,4,8)")
        ->type_name("a,b,c");
    command
        ->add_option("--threshold", arguments->threshold,
                     "hatch the fields above VALUE (or <VALUE: below it)")
        ->type_name("VALUE");
    command->add_option("--title", arguments->title, "the map's title (default: the quantity)")
        ->type_name("TEXT");
    return {command,
            [arguments](const CommandStreams& streams) { return Map(*arguments, streams); },
            // CLI11's words name what is missing or wrong: "-o is required", "--classes: Value
            // x could not be converted".
            [](const CLI::ParseError& refusal, std::ostream& errors) {
                return WrongUsage(errors, "map: " + std::string(refusal.what()));
            }};
}

}  // namespace halosoil
