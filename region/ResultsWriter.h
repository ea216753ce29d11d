// A region's results as one GeoPackage: the fields layer (geometry, carried attributes,
// status, message, summaries), the steps table and the run table. Written into a temporary
// file in the target's folder and renamed over the target only when whole, so that an
// interrupted region leaves the previous results as they were.
#pragma once

#include <memory>
#include <string>

#include "FieldLayer.h"
#include "FieldResult.h"
#include "Neighbours.h"

namespace halosoil::region {

struct RunRecord {
    std::string base;
    std::string command;
    std::string version;
    std::string date;
    std::string notes;  // a region with exchange: what its run had to say, one per line
};

class ResultsWriter {
public:
    // Creates the temporary file and its layers. Throws HalosoilError naming the file when it
    // cannot.
    // With relativeYield, the columns of a crop's relative yield too.
    ResultsWriter(const std::string& path, const FieldLayer& layer, bool relativeYield = false);
    // With the columns and the table of a region whose fields share their groundwater, over
    // network; outerEdge[k] tells that field k exchanges across its outer edge.
    ResultsWriter(const std::string& path, const FieldLayer& layer, const FieldNetwork& network,
                  const std::vector<bool>& outerEdge, bool relativeYield = false);
    ~ResultsWriter();  // removes the temporary file unless Finish renamed it

    ResultsWriter(const ResultsWriter&) = delete;
    ResultsWriter& operator=(const ResultsWriter&) = delete;

    // The field number index of the layer (in the order of its fields), with its result.
    void Add(std::size_t index, const FieldResult& result);
    // Indexes the steps, writes the run table, closes the file and renames it over the target.
    void Finish(const RunRecord& run);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace halosoil::region
