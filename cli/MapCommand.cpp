// halosoil-batch map RESULTS.gpkg QUANTITY[:final|mean|min|max|STEP] -o MAP.svg|MAP.png|MAP.html
//              [--classes N] [--breaks a,b,c] [--threshold VALUE] [--title TEXT]
//
// A map of a region's results: SVG and PNG drawn on the graphs' canvas, HTML as one page that
// works offline.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "AtomicFile.h"
#include "BatchCommand.h"
#include "BatchUsage.h"
#include "MapClasses.h"
#include "MapDrawing.h"
#include "MapPage.h"
#include "RasterGraph.h"
#include "ResultsLayer.h"
#include "StudyArguments.h"
#include "SvgCanvas.h"

namespace halosoil {

namespace {

using namespace halosoil::region;

struct MapArguments {
    std::string results;
    std::string quantity;
    std::string output;
    int classes = 0;
    std::string breaks;
    std::string threshold;
    std::string title;
};

enum class MapFormat { Svg, Png, Html };

std::optional<MapFormat> MapFormatOf(const std::string& fileName) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".svg") return MapFormat::Svg;
    if (extension == ".png") return MapFormat::Png;
    if (extension == ".html" || extension == ".htm") return MapFormat::Html;
    return std::nullopt;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

// What the command line asks for, read and checked before the file is opened.
struct MapRequest {
    MapFormat format = MapFormat::Svg;
    MapChoice choice;
    std::optional<std::vector<double>> breaks;
    int classes = kDefaultClasses;
    MapStyle style;
};

// The request, or the complaint about the line.
std::optional<MapRequest> RequestOf(const MapArguments& arguments, std::ostream& errors) {
    MapRequest request;
    const std::optional<MapFormat> format = MapFormatOf(arguments.output);
    if (!format) {
        WrongUsage(errors, "the map file ends in .svg, .png or .html, not " + arguments.output);
        return std::nullopt;
    }
    request.format = *format;
    if (arguments.classes != 0 && !arguments.breaks.empty()) {
        WrongUsage(errors, "give either --classes or --breaks (the breaks make their classes)");
        return std::nullopt;
    }
    if (arguments.classes != 0 &&
        (arguments.classes < kMinClasses || arguments.classes > kMaxClasses)) {
        WrongUsage(errors, "--classes is " + std::to_string(kMinClasses) + " to " +
                               std::to_string(kMaxClasses) + ", not " +
                               std::to_string(arguments.classes));
        return std::nullopt;
    }
    if (arguments.classes != 0) request.classes = arguments.classes;
    try {
        request.choice = ParseMapChoice(arguments.quantity);
        if (!arguments.breaks.empty()) request.breaks = ParseBreaks(arguments.breaks);
        if (!arguments.threshold.empty())
            request.style.threshold = ParseThreshold(arguments.threshold);
    } catch (const HalosoilError& error) {
        WrongUsage(errors, error.what());
        return std::nullopt;
    }
    request.style.title = arguments.title.empty()
                              ? std::string(study::InfoOf(request.choice.quantity).name) + ", " +
                                    request.choice.Label()
                              : arguments.title;
    return request;
}

void WriteMap(const MapRequest& request, const ResultsLayer& layer, const MapClasses& classes,
              const std::string& path) {
    if (request.format == MapFormat::Html) {
        WriteFileAtomically(path, MapPage(InWgs84(layer), classes, request.style));
        return;
    }
    const MapLayout layout = LayoutOf(layer);
    if (request.format == MapFormat::Png) {
        SaveRasterDrawing(
            layout.width, layout.height,
            [&](Canvas& canvas) { DrawMap(canvas, layer, classes, request.style, layout); }, path,
            "PNG");
        return;
    }
    SvgCanvas canvas(layout.width, layout.height);
    DrawMap(canvas, layer, classes, request.style, layout);
    WriteFileAtomically(path, canvas.Document());
}

int Map(const MapArguments& arguments, const CommandStreams& streams) {
    const std::optional<MapRequest> request = RequestOf(arguments, streams.errors);
    if (!request) return kWrongUsage;
    if (SameFile(arguments.output, arguments.results))
        return Refused(streams.errors, "the map would overwrite its results " + arguments.results,
                       kWrongUsage);
    if (request->format == MapFormat::Png && !RasterGraphsUnavailable().empty())
        return Refused(streams.errors, RasterGraphsUnavailable(), kInputInvalid);
    ResultsLayer layer;
    try {
        layer = ReadResultsLayer(arguments.results, request->choice);
    } catch (const MapRequestError& error) {
        return WrongUsage(streams.errors, error.what());
    } catch (const HalosoilError& error) {
        return Refused(streams.errors, error.what(), kInputInvalid);
    }
    const MapClasses classes = ClassesOf(
        request->breaks ? *request->breaks : QuantileBreaks(layer.Values(), request->classes));
    try {
        WriteMap(*request, layer, classes, arguments.output);
    } catch (const FileError& error) {
        streams.errors << "Cannot create file \"" << arguments.output << "\". " << error.what()
                       << '\n';
        return kInputInvalid;
    } catch (const HalosoilError& error) {
        return Refused(streams.errors, error.what(), kInputInvalid);
    }
    // Fewer distinct values than classes, or many equal ones, make fewer classes than asked.
    if (!request->breaks && classes.Count() < request->classes)
        streams.errors << "halosoil-batch: the values of " << arguments.quantity << " make "
                       << classes.Count() << (classes.Count() == 1 ? " class" : " classes")
                       << ", not " << request->classes << '\n';
    return kOutputWritten;
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
