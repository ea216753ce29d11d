// The entry points of the region module, the part of the batch runner that loads GDAL: regions
// and their maps. GDAL and the libraries it brings take a good part of a second to load, so
// halosoil-batch opens the module only for these; its other commands start without them.
// Plain C types cross the entries, and nothing is thrown through them.
#pragma once

#include "RasterExport.h"

extern "C" {

struct HalosoilRegionRequest {
    const char* base;
    const char* fields;
    const char* layer;     // "" for the file's only layer
    const char* idColumn;  // "" for the feature ids
    int refine;
    int optimise;
    int weatherFill;    // the stations' gaps filled linearly
    int weatherMaxGap;  // days
    int threads;
    const char* results;
    const char* outputs;   // "" for none
    const char* projects;  // "" for none
    const char* command;
    void* context;
    // Each message of the region, and the reason it could not run.
    void (*message)(void* context, const char* text);
    // After each group of fields written; may be null.
    void (*progress)(void* context, long long done, long long count);
    int exchange;  // the fields share their groundwater with their neighbours
    // The crop whose relative yield the results carry: a name of the table or
    // threshold=T,slope=B; "" for none but the fields' `crop` cells.
    const char* crop;
    const char* crops;  // a crop table of the user's own, "" for the shipped one
    double eceFactor;
    int conservingSalt;  // the conserving salt balance instead of the specified one
};

struct HalosoilRegionSummary {
    long long fields;
    long long ran;
    long long stopped;
    long long refused;
    long long failedWrites;
    double seconds;
};

// Runs the region and fills summary; false when it could not run, its reason told to message.
using HalosoilRunRegion = bool (*)(const HalosoilRegionRequest* request,
                                   HalosoilRegionSummary* summary);

// What a map's message is: a note, the complaint of a wrong request (told with the usage), or
// the refusal of a file.
enum HalosoilMapMessage { kMapNote = 0, kMapWrongRequest = 1, kMapRefusal = 2 };

struct HalosoilMapRequest {
    const char* results;
    const char* quantity;  // QUANTITY[:final|mean|min|max|STEP]
    const char* output;    // .svg, .png or .html
    int classes;           // 0 for the default
    const char* breaks;    // "" for quantile classes
    const char* threshold;
    const char* title;
    // The raster module's entry for PNG maps, null when bitmaps cannot be drawn (and why not).
    HalosoilSaveRasterDrawing saveRaster;
    const char* rasterUnavailable;
    void* context;
    void (*message)(void* context, const char* text, int kind);
};

// Draws the map; returns the batch runner's exit status (0 drawn, 1 a file refused or not
// written, 2 a wrong request), its reasons told to message.
using HalosoilDrawMap = int (*)(const HalosoilMapRequest* request);
}

namespace halosoil {

inline constexpr const char* kRunRegionSymbol = "halosoil_run_region";
inline constexpr const char* kDrawMapSymbol = "halosoil_draw_map";

}  // namespace halosoil
