// The entry point of the region module, the part of the batch runner that loads GDAL. GDAL and
// the libraries it brings take a good part of a second to load, so halosoil-batch opens the
// module only for a region; its other commands start without them. Plain C types cross the
// entry, and nothing is thrown through it.
#pragma once

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
}

namespace halosoil {

inline constexpr const char* kRunRegionSymbol = "halosoil_run_region";

}  // namespace halosoil
