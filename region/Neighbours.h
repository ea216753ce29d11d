// Which fields of a layer share a stretch of boundary, and how long it is: the network the
// fields' groundwater flows through. Found once per region from the polygons with GEOS through
// GDAL/OGR, the candidate pairs from a grid of the fields' envelopes, so that a layer of many
// fields costs little more than its pairs of neighbours.
#pragma once

#include <cstddef>
#include <vector>

#include "FieldLayer.h"

namespace halosoil::region {

struct Neighbour {
    std::size_t field = 0;  // its index in the layer
    double length = 0;      // m of boundary shared, > 0
    double distance = 0;    // m between the two centroids
};

struct FieldNetwork {
    // Per field of the layer, in its order (0 for a field without a polygon).
    std::vector<double> area;         // m2
    std::vector<double> outerLength;  // m of its boundary shared with no other field
    // m from the centroid to that outer edge, found only for the fields asked for (0 otherwise).
    std::vector<double> outerDistance;
    // Each field's neighbours, in the order of the layer; a pair appears under both fields.
    std::vector<std::vector<Neighbour>> neighbours;
};

// The network of the layer's polygons; outerDistanceWanted[k] asks for field k's distance to its
// outer edge. Throws HalosoilError naming the layer's CRS when it is geographic, as lengths and
// areas in degrees cannot carry a flow.
FieldNetwork NetworkOf(const FieldLayer& layer, const std::vector<bool>& outerDistanceWanted);

}  // namespace halosoil::region
