// The map's entry of the region module: the request read and checked, the results read with
// GDAL, the classes made and the map written as SVG, PNG (through the raster module's entry the
// batch runner hands over) or HTML. Every failure becomes a message, since nothing may be
// thrown across the entry.
#include <algorithm>
#include <exception>
#include <filesystem>
#include <functional>
#include <new>
#include <optional>
#include <string>

#include "AtomicFile.h"
#include "Errors.h"
#include "MapClasses.h"
#include "MapDrawing.h"
#include "MapPage.h"
#include "RasterDrawingCall.h"
#include "RegionModule.h"
#include "ResultsLayer.h"
#include "SvgCanvas.h"

namespace halosoil::region {

namespace {

enum class MapFormat { Svg, Png, Html };

// The statuses the batch runner exits with.
constexpr int kDrawn = 0, kFileRefused = 1, kWrongRequest = 2;

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

// A request the module cannot draw: its text and the status it gives.
struct Refusal {
    std::string text;
    int status;
};

// What the command line asks for, read and checked before the file is opened.
struct MapRequest {
    MapFormat format = MapFormat::Svg;
    MapChoice choice;
    std::optional<std::vector<double>> breaks;
    int classes = kDefaultClasses;
    MapStyle style;
};

MapRequest RequestOf(const HalosoilMapRequest& asked) {
    MapRequest request;
    const std::optional<MapFormat> format = MapFormatOf(asked.output);
    if (!format)
        throw Refusal{std::string("the map file ends in .svg, .png or .html, not ") + asked.output,
                      kWrongRequest};
    request.format = *format;
    if (asked.classes != 0 && *asked.breaks)
        throw Refusal{"give either --classes or --breaks (the breaks make their classes)",
                      kWrongRequest};
    if (asked.classes != 0 && (asked.classes < kMinClasses || asked.classes > kMaxClasses))
        throw Refusal{"--classes is " + std::to_string(kMinClasses) + " to " +
                          std::to_string(kMaxClasses) + ", not " + std::to_string(asked.classes),
                      kWrongRequest};
    if (asked.classes != 0) request.classes = asked.classes;
    try {
        request.choice = ParseMapChoice(asked.quantity);
        if (*asked.breaks) request.breaks = ParseBreaks(asked.breaks);
        if (*asked.threshold) request.style.threshold = ParseThreshold(asked.threshold);
    } catch (const HalosoilError& error) {
        throw Refusal{error.what(), kWrongRequest};
    }
    request.style.title = *asked.title ? std::string(asked.title)
                                       : std::string(study::InfoOf(request.choice.quantity).name) +
                                             ", " + request.choice.Label();
    return request;
}

void WriteMap(const HalosoilMapRequest& asked, const MapRequest& request, const ResultsLayer& layer,
              const MapClasses& classes) {
    const std::string path = asked.output;
    if (request.format == MapFormat::Html) {
        WriteFileAtomically(path, MapPage(InWgs84(layer), classes, request.style));
        return;
    }
    const MapLayout layout = LayoutOf(layer);
    const std::function<void(Canvas&)> draw = [&](Canvas& canvas) {
        DrawMap(canvas, layer, classes, request.style, layout);
    };
    if (request.format == MapFormat::Png) {
        SaveThroughRasterEntry(asked.saveRaster, layout.width, layout.height, draw, path, "PNG");
        return;
    }
    SvgCanvas canvas(layout.width, layout.height);
    draw(canvas);
    WriteFileAtomically(path, canvas.Document());
}

int DrawRequestedMap(const HalosoilMapRequest& asked) {
    const MapRequest request = RequestOf(asked);
    if (SameFile(asked.output, asked.results))
        throw Refusal{std::string("the map would overwrite its results ") + asked.results,
                      kWrongRequest};
    if (request.format == MapFormat::Png && asked.saveRaster == nullptr)
        throw Refusal{asked.rasterUnavailable, kFileRefused};
    ResultsLayer layer;
    try {
        layer = ReadResultsLayer(asked.results, request.choice);
    } catch (const MapRequestError& error) {
        throw Refusal{error.what(), kWrongRequest};
    }
    const MapClasses classes = ClassesOf(
        request.breaks ? *request.breaks : QuantileBreaks(layer.Values(), request.classes));
    try {
        WriteMap(asked, request, layer, classes);
    } catch (const FileError& error) {
        asked.message(
            asked.context,
            ("Cannot create file \"" + std::string(asked.output) + "\". " + error.what()).c_str(),
            kMapNote);
        return kFileRefused;
    }
    // Fewer distinct values than classes, or many equal ones, make fewer classes than asked.
    if (!request.breaks && classes.Count() < request.classes)
        asked.message(
            asked.context,
            ("halosoil-batch: the values of " + std::string(asked.quantity) + " make " +
             std::to_string(classes.Count()) + (classes.Count() == 1 ? " class" : " classes") +
             ", not " + std::to_string(request.classes))
                .c_str(),
            kMapNote);
    return kDrawn;
}

}  // namespace

}  // namespace halosoil::region

extern "C" __attribute__((visibility("default"))) int halosoil_draw_map(
    const HalosoilMapRequest* request) {
    using namespace halosoil::region;
    const auto refuse = [request](const std::string& text, int kind) {
        request->message(request->context, text.c_str(), kind);
    };
    try {
        return DrawRequestedMap(*request);
    } catch (const Refusal& refusal) {
        refuse(refusal.text, refusal.status == kWrongRequest ? kMapWrongRequest : kMapRefusal);
        return refusal.status;
    } catch (const halosoil::HalosoilError& error) {
        refuse(error.what(), kMapRefusal);
    } catch (const std::bad_alloc&) {
        refuse(halosoil::kNotEnoughMemory, kMapRefusal);
    } catch (const std::exception& error) {
        refuse(error.what(), kMapRefusal);
    }
    return kFileRefused;
}
