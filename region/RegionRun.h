// A region: every field of a GIS layer run as a project of its own (the base with the field's
// columns applied), side by side in the vector unit's lanes and across the cores, and the
// results written as one GeoPackage, with each field's input and output files if asked.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "FieldLayer.h"
#include "FieldResult.h"
#include "InputData.h"

namespace halosoil::region {

struct RegionOptions {
    std::string base;  // the project every field starts from, unless its `project` cell names one
    // The base in memory instead of the file base (which then only names it in the run table):
    // Python's Project. It is checked and prepared as `run` prepares a file's project.
    const InputData* baseData = nullptr;
    LayerChoice fields;
    bool refine = false;    // Yes to refining each field's drainage capacity
    bool optimise = false;  // Yes to optimising each field's leaching efficiencies
    // Groundwater flows between neighbouring fields through the aquifer, each step; false: every
    // field keeps the groundwater flows of its own project.
    bool exchange = false;
    // Gaps of the stations' records filled linearly, for at most weatherMaxGap days.
    bool weatherFill = false;
    int weatherMaxGap = 3;
    int threads = 0;       // 0: one per core
    std::string results;   // the GeoPackage written
    std::string outputs;   // a folder for each field's <id>.out; empty: none
    std::string projects;  // a folder for each field's <id>.inp; empty: none
    std::string command;   // the command line, for the run table
    // Set from another thread to stop; RunRegion then throws RegionCancelled and the previous
    // results stay as they were.
    const std::atomic<bool>* cancel = nullptr;
    // After each group of fields is written, with the fields written so far and in all.
    std::function<void(long long done, long long count)> progress;
    // Each message, in the order of the fields: refusals, and the columns the results replace.
    std::function<void(const std::string& message)> message;
};

struct RegionSummary {
    long long fields = 0;
    long long ran = 0;      // went through
    long long stopped = 0;  // the water table fell below the aquifer
    long long refused = 0;
    long long failedWrites = 0;  // fields whose .inp or .out could not be written
    double seconds = 0;
};

class RegionCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "The region was stopped."; }
};

// Runs the region. Throws HalosoilError, before any field runs, when the base, the layer or
// its ids cannot serve, or when the results cannot be written (the previous file then stays).
RegionSummary RunRegion(const RegionOptions& options);

// The results of fields given by their cells, without a layer or the GeoPackage (options.fields
// and options.results are not used): a part of a region run on a worker of a cluster. The
// messages go to options.message as RunRegion's.
std::vector<FieldResult> RunFields(const RegionOptions& options, const FieldCells& cells);

// Writes the GeoPackage of results found elsewhere (one per field of the layer, in its order),
// as RunRegion writes it.
void WriteRegionResults(const RegionOptions& options, const std::vector<FieldResult>& results);

}  // namespace halosoil::region
