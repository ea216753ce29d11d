#include "Neighbours.h"

#include <ogr_api.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <thread>
#include <unordered_map>
#include <utility>

#include "Errors.h"
#include "LayerSource.h"

namespace halosoil::region {

namespace {

using GeometryPtr = std::unique_ptr<OGRGeometry>;

// The length of the lines of a geometry; points count for nothing.
double LengthOf(const OGRGeometry* geometry) {
    if (geometry == nullptr || geometry->IsEmpty()) return 0;
    switch (wkbFlatten(geometry->getGeometryType())) {
        case wkbLineString:
        case wkbLinearRing:
            return geometry->toLineString()->get_Length();
        case wkbMultiLineString:
        case wkbGeometryCollection: {
            double length = 0;
            for (const OGRGeometry* part : *geometry->toGeometryCollection())
                length += LengthOf(part);
            return length;
        }
        default:
            return 0;
    }
}

struct FieldShape {
    const OGRGeometry* polygon = nullptr;  // null for a field without one
    GeometryPtr boundary;
    OGRPoint centroid;
    OGREnvelope envelope;
};

void RefuseGeographic(const FieldLayer& layer) {
    const OGRSpatialReference* crs = layer.SourceOf().layer->GetSpatialRef();
    if (crs == nullptr || !crs->IsGeographic()) return;
    const char* name = crs->GetName();
    throw HalosoilError(std::string("The fields' groundwater exchange needs a projected CRS in "
                                    "metres, and the layer's CRS ") +
                        (name != nullptr ? name : "") +
                        " is geographic (degrees); reproject the layer first");
}

std::vector<FieldShape> ShapesOf(const FieldLayer& layer) {
    const FieldLayer::Source& source = layer.SourceOf();
    std::vector<FieldShape> shapes(source.features.size());
    for (std::size_t k = 0; k < shapes.size(); ++k) {
        const OGRGeometry* geometry = source.features[k]->GetGeometryRef();
        if (!layer.Fields()[k].refusal.empty() || geometry == nullptr || geometry->IsEmpty())
            continue;
        FieldShape& shape = shapes[k];
        shape.polygon = geometry;
        shape.boundary.reset(geometry->Boundary());
        geometry->Centroid(&shape.centroid);
        geometry->getEnvelope(&shape.envelope);
    }
    return shapes;
}

// Pairs of fields whose envelopes meet along more than a point, each pair once: every field
// goes into the cells of a grid its envelope covers, and a pair is taken in the one cell that
// holds the lower left corner of where their envelopes meet.
template <class Take>
void ForEachCandidatePair(const std::vector<FieldShape>& shapes, Take take) {
    OGREnvelope all;
    double sizes = 0;
    std::size_t count = 0;
    for (const FieldShape& shape : shapes) {
        if (shape.polygon == nullptr) continue;
        all.Merge(shape.envelope);
        sizes += std::max(shape.envelope.MaxX - shape.envelope.MinX,
                          shape.envelope.MaxY - shape.envelope.MinY);
        ++count;
    }
    if (count < 2) return;
    const double cell = std::max(sizes / static_cast<double>(count), 1e-9);
    const auto column = [&](double x) { return static_cast<long long>((x - all.MinX) / cell); };
    const auto row = [&](double y) { return static_cast<long long>((y - all.MinY) / cell); };
    const long long columns = column(all.MaxX) + 1;
    std::unordered_map<long long, std::vector<std::size_t>> grid;
    for (std::size_t k = 0; k < shapes.size(); ++k) {
        const FieldShape& shape = shapes[k];
        if (shape.polygon == nullptr) continue;
        for (long long r = row(shape.envelope.MinY); r <= row(shape.envelope.MaxY); ++r)
            for (long long c = column(shape.envelope.MinX); c <= column(shape.envelope.MaxX); ++c)
                grid[r * columns + c].push_back(k);
    }
    for (const auto& [key, members] : grid) {
        for (std::size_t a = 0; a < members.size(); ++a)
            for (std::size_t b = a + 1; b < members.size(); ++b) {
                const OGREnvelope& ea = shapes[members[a]].envelope;
                const OGREnvelope& eb = shapes[members[b]].envelope;
                const double minX = std::max(ea.MinX, eb.MinX), maxX = std::min(ea.MaxX, eb.MaxX);
                const double minY = std::max(ea.MinY, eb.MinY), maxY = std::min(ea.MaxY, eb.MaxY);
                if (minX > maxX || minY > maxY) continue;
                // Corners that only touch share no length.
                if (minX == maxX && minY == maxY) continue;
                if (row(minY) * columns + column(minX) != key) continue;
                take(std::min(members[a], members[b]), std::max(members[a], members[b]));
            }
    }
}

}  // namespace

FieldNetwork NetworkOf(const FieldLayer& layer, const std::vector<bool>& outerDistanceWanted) {
    RefuseGeographic(layer);
    const std::vector<FieldShape> shapes = ShapesOf(layer);
    const std::size_t n = shapes.size();
    FieldNetwork network;
    network.area.assign(n, 0);
    network.outerLength.assign(n, 0);
    network.outerDistance.assign(n, 0);
    network.neighbours.resize(n);
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    ForEachCandidatePair(shapes, [&](std::size_t i, std::size_t j) { pairs.emplace_back(i, j); });
    // The intersections, the bulk of the work, on the cores: each reads its own two shapes.
    std::vector<double> lengths(pairs.size(), 0);
    const std::size_t threads =
        std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, pairs.size() / 256 + 1);
    std::vector<std::thread> workers;
    for (std::size_t t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            for (std::size_t p = t; p < pairs.size(); p += threads) {
                const FieldShape& a = shapes[pairs[p].first];
                const GeometryPtr shared(
                    a.boundary->Intersection(shapes[pairs[p].second].boundary.get()));
                lengths[p] = LengthOf(shared.get());
            }
        });
    for (std::thread& worker : workers) worker.join();
    for (std::size_t p = 0; p < pairs.size(); ++p) {
        if (!(lengths[p] > 0)) continue;
        const auto [i, j] = pairs[p];
        const double distance = shapes[i].centroid.Distance(&shapes[j].centroid);
        network.neighbours[i].push_back({j, lengths[p], distance});
        network.neighbours[j].push_back({i, lengths[p], distance});
    }
    for (std::size_t k = 0; k < n; ++k) {
        const FieldShape& shape = shapes[k];
        if (shape.polygon == nullptr) continue;
        std::vector<Neighbour>& mine = network.neighbours[k];
        std::sort(mine.begin(), mine.end(),
                  [](const Neighbour& a, const Neighbour& b) { return a.field < b.field; });
        network.area[k] =
            OGR_G_Area(OGRGeometry::ToHandle(const_cast<OGRGeometry*>(shape.polygon)));
        double shared = 0;
        for (const Neighbour& neighbour : mine) shared += neighbour.length;
        network.outerLength[k] = std::max(0.0, LengthOf(shape.boundary.get()) - shared);
        if (k >= outerDistanceWanted.size() || !outerDistanceWanted[k]) continue;
        // The outer edge itself: the boundary less every stretch shared with a neighbour.
        GeometryPtr outer(shape.boundary->clone());
        for (const Neighbour& neighbour : mine) {
            GeometryPtr less(outer->Difference(shapes[neighbour.field].boundary.get()));
            if (less) outer = std::move(less);
        }
        network.outerLength[k] = LengthOf(outer.get());
        network.outerDistance[k] =
            outer && !outer->IsEmpty() ? shape.centroid.Distance(outer.get()) : 0;
    }
    return network;
}

}  // namespace halosoil::region
