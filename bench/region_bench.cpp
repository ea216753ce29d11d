// Regions: a GeoPackage of fields of the three-layer project of 10 yearly steps read, every
// field run and the results written, in 10,000 and 100,000 fields; and the parts apart (the
// runs alone, the layer's reading) to tell what bounds the whole. The targets on the 2-core
// machine: 2 s for 10,000 fields, 20 s for 100,000 in at most 1 GiB; 3 s for 10,000 fields
// that share their groundwater (--exchange), the neighbours found once.
//
//   region_bench                         the benchmarks
//   region_bench --write FOLDER N        writes FOLDER/base.inp and FOLDER/fields.gpkg of N
//                                        fields, for timing halosoil-batch region as a process
//   region_bench --write-exchange FOLDER N   the same with a transmissivity and an elevation
//                                        per field, for halosoil-batch region --exchange
#include <benchmark/benchmark.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <cpl_error.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchProjects.h"
#include "Engine.h"
#include "FieldLayer.h"
#include "InputFile.h"
#include "Neighbours.h"
#include "RegionRun.h"
#include "VectorUnit.h"

namespace {

namespace fs = std::filesystem;
using namespace halosoil;

constexpr double kSide = 100;  // m

// N squares in rows of 100, each with its drainage capacity, first-layer thickness and
// irrigation factor, and a text column carried through.
void WriteFields(const fs::path& folder, int count, bool exchange = false) {
    fs::create_directories(folder);
    InputData base = bench::Project(3, 10, 360);
    base.InputFileName = (folder / "base.inp").string();
    WriteInputFile(base);

    GDALAllRegister();
    CPLSetErrorHandler(CPLQuietErrorHandler);
    const fs::path path = folder / "fields.gpkg";
    fs::remove(path);
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    GDALDataset* dataset = driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
    OGRSpatialReference utm;
    utm.importFromEPSG(32643);
    OGRLayer* layer = dataset->CreateLayer("fields", &utm, wkbPolygon, nullptr);
    for (const auto& [name, type] :
         std::vector<std::pair<const char*, OGRFieldType>>{{"farm", OFTString},
                                                           {"qh1", OFTReal},
                                                           {"thickness_layer1", OFTReal},
                                                           {"irrigation_factor", OFTReal}}) {
        OGRFieldDefn column(name, type);
        if (layer->CreateField(&column) != OGRERR_NONE) std::exit(1);
    }
    for (const char* name : {"transmissivity", "elevation"}) {
        OGRFieldDefn column(name, OFTReal);
        if (exchange && layer->CreateField(&column) != OGRERR_NONE) std::exit(1);
    }
    dataset->StartTransaction();
    for (int k = 0; k < count; ++k) {
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField("farm", ("farm " + std::to_string(k / 25)).c_str());
        feature.SetField("qh1", 0.004 + 0.0001 * (k % 100));
        feature.SetField("thickness_layer1", 0.15 + 0.001 * (k % 80));
        feature.SetField("irrigation_factor", 0.8 + 0.004 * (k % 101));
        if (exchange) {
            // A gentle slope with some fields of a tighter aquifer, so that water flows
            // everywhere and the flows differ.
            feature.SetField("transmissivity", 5.0 + 2.0 * (k % 7));
            feature.SetField("elevation", 0.002 * (k % 100) + 0.001 * (k / 100));
        }
        const double x = 500000 + kSide * (k % 100), y = 3000000 + kSide * (k / 100);
        OGRPolygon polygon;
        OGRLinearRing ring;
        ring.addPoint(x, y);
        ring.addPoint(x + kSide, y);
        ring.addPoint(x + kSide, y + kSide);
        ring.addPoint(x, y + kSide);
        ring.addPoint(x, y);
        polygon.addRing(&ring);
        feature.SetGeometry(&polygon);
        if (layer->CreateFeature(&feature) != OGRERR_NONE) {
            std::fprintf(stderr, "cannot write field %d of %s\n", k, path.c_str());
            std::exit(1);
        }
    }
    dataset->CommitTransaction();
    GDALClose(dataset);
}

fs::path Folder(int count, bool exchange = false) {
    const fs::path folder = fs::temp_directory_path() /
                            ("halosoil-region-bench-" + std::string(exchange ? "exchange-" : "") +
                             std::to_string(count));
    if (!fs::exists(folder / "fields.gpkg")) WriteFields(folder, count, exchange);
    return folder;
}

region::RegionOptions OptionsFor(const fs::path& folder) {
    region::RegionOptions options;
    options.base = (folder / "base.inp").string();
    options.fields.path = (folder / "fields.gpkg").string();
    options.results = (folder / "results.gpkg").string();
    return options;
}

// Read, run and written: what halosoil-batch region does once its module is loaded.
void Region(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const region::RegionOptions options = OptionsFor(Folder(count));
    for (auto _ : state) benchmark::DoNotOptimize(region::RunRegion(options).ran);
    state.counters["fields"] =
        benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(Region)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

// Fields that share their groundwater: read, the neighbours found, run step by step together
// and written.
void RegionWithExchange(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    region::RegionOptions options = OptionsFor(Folder(count, true));
    options.exchange = true;
    for (auto _ : state) benchmark::DoNotOptimize(region::RunRegion(options).ran);
    state.counters["fields"] =
        benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(RegionWithExchange)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The network of neighbours alone, from the layer read.
void NeighboursOfTheFields(benchmark::State& state) {
    const region::RegionOptions options =
        OptionsFor(Folder(static_cast<int>(state.range(0)), true));
    const region::FieldLayer layer = region::FieldLayer::Read(options.fields);
    for (auto _ : state) benchmark::DoNotOptimize(region::NetworkOf(layer, {}).neighbours.size());
}
BENCHMARK(NeighboursOfTheFields)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The layer alone: the fields, their cells and geometries read.
void ReadLayer(benchmark::State& state) {
    const region::RegionOptions options = OptionsFor(Folder(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(region::FieldLayer::Read(options.fields).Fields().size());
}
BENCHMARK(ReadLayer)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The runs alone, side by side in the lanes on one thread: the engine's share of the whole.
void PlainRunsOfTheFields(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const InputData base = bench::Project(3, 10, 360);
    std::vector<InputData> projects(static_cast<std::size_t>(count), base);
    std::vector<RunState> states(static_cast<std::size_t>(count));
    std::vector<std::string> refusals(static_cast<std::size_t>(count));
    std::vector<const InputData*> pointers;
    std::vector<RunState*> statePointers;
    for (int k = 0; k < count; ++k) {
        projects[static_cast<std::size_t>(k)].QH1 = 0.004 + 0.0001 * (k % 100);
        pointers.push_back(&projects[static_cast<std::size_t>(k)]);
        statePointers.push_back(&states[static_cast<std::size_t>(k)]);
    }
    const VectorUnit unit = ChosenVectorUnit(VectorUnit::AVX512);
    for (auto _ : state)
        ComputePlainRuns(pointers.data(), statePointers.data(), refusals.data(), count, unit);
    state.SetLabel(VectorUnitName(unit));
    state.counters["fields"] =
        benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(PlainRunsOfTheFields)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write") == 0) {
        WriteFields(argv[2], std::stoi(argv[3]));
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--write-exchange") == 0) {
        WriteFields(argv[2], std::stoi(argv[3]), true);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
