#include "RasterGraph.h"

#include <dlfcn.h>

#include <exception>
#include <filesystem>
#include <functional>
#include <system_error>

#include "Errors.h"
#include "GraphFrame.h"
#include "RasterDrawingCall.h"
#include "RasterExport.h"

namespace halosoil {

namespace {

struct RasterExport {
    HalosoilSaveRasterDrawing save = nullptr;
    std::string unavailable;
};

#ifdef HALOSOIL_RASTER_MODULE
// The module lies at a fixed path from the program's own folder, in the build tree as once
// installed.
std::filesystem::path ModulePath() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return (program.parent_path() / HALOSOIL_RASTER_MODULE).lexically_normal();
}

RasterExport OpenRasterExport() {
    const std::filesystem::path module = ModulePath();
    // The module stays loaded for the life of the process: Qt's application object lives in it.
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    const char* reason = handle ? nullptr : dlerror();
    void* entry = handle ? dlsym(handle, kSaveRasterDrawingSymbol) : nullptr;
    if (!entry) {
        if (!reason) reason = dlerror();
        return {nullptr, "PNG and BMP graphs need Halosoil's raster export " + module.string() +
                             ", which cannot be loaded (" + (reason ? reason : "no entry point") +
                             "). SVG graphs need no such module."};
    }
    return {reinterpret_cast<HalosoilSaveRasterDrawing>(entry), {}};
}
#else
RasterExport OpenRasterExport() {
    return {nullptr, "This build draws graphs as SVG only."};
}
#endif

const RasterExport& TheRasterExport() {
    static const RasterExport loaded = OpenRasterExport();
    return loaded;
}

}  // namespace

HalosoilSaveRasterDrawing RasterDrawingEntry() {
    return TheRasterExport().save;
}

std::string RasterGraphsUnavailable() {
    return TheRasterExport().unavailable;
}

void SaveRasterDrawing(int width, int height, const std::function<void(Canvas&)>& draw,
                       const std::string& fileName, const char* format) {
    const RasterExport& raster = TheRasterExport();
    if (!raster.save) throw HalosoilError(raster.unavailable);
    SaveThroughRasterEntry(raster.save, width, height, draw, fileName, format);
}

void SaveRasterGraph(GraphType type, const GraphSource& source, const std::string& fileName,
                     const char* format) {
    SaveRasterDrawing(
        kGraphWidth, kGraphHeight, [&](Canvas& canvas) { DrawGraph(canvas, type, source); },
        fileName, format);
}

}  // namespace halosoil
