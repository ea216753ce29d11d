// The window's entry of the region module: the region library's functions behind the table of
// RegionServices.h, each exception turned into a ServiceFailure.
#include <exception>
#include <new>

#include "Errors.h"
#include "FieldProjects.h"
#include "InputFile.h"
#include "RegionServices.h"

namespace halosoil::region {

namespace {

template <class Work>
ServiceFailure Failure(Work&& work) {
    try {
        work();
        return {};
    } catch (const RegionCancelled& cancelled) {
        return {ServiceFailure::Cancelled, cancelled.what()};
    } catch (const std::bad_alloc&) {
        return {ServiceFailure::Refused, kNotEnoughMemory};
    } catch (const std::exception& error) {
        return {ServiceFailure::Refused, error.what()};
    }
}

ServiceFailure ReadLayer(const LayerChoice& choice, LayerOverview& overview) {
    return Failure([&] {
        const FieldLayer layer = FieldLayer::Read(choice);
        overview.columns = layer.Columns();
        overview.cells = layer.Cells();
    });
}

ServiceFailure Run(const RegionOptions& options, RegionSummary& summary) {
    return Failure([&] { summary = RunRegion(options); });
}

ServiceFailure ReadResults(const std::string& path, const MapChoice& choice, ResultsLayer& layer) {
    return Failure([&] { layer = ReadResultsLayer(path, choice); });
}

ServiceFailure FieldProject(const InputData& base, const FieldCells& cells, std::size_t index,
                            InputData& project) {
    return Failure([&] {
        InputData prepared = base;
        PrepareIrrigSpread(prepared);
        const FieldProjects projects(prepared, cells, {});
        std::string refusal;
        if (!projects.Make(cells.fields.at(index), project, refusal)) throw HalosoilError(refusal);
    });
}

MapClasses QuantileClasses(const std::vector<double>& values, int classes) {
    return ClassesOf(QuantileBreaks(values, classes));
}

int ClassOf(const MapClasses& classes, double value) {
    return classes.ClassOf(value);
}

std::string ChoiceLabel(const MapChoice& choice) {
    return choice.Label();
}

ServiceFailure Layout(const ResultsLayer& layer, MapLayout& layout) {
    return Failure([&] { layout = LayoutOf(layer); });
}

const RegionServices kServices = {ReadLayer,       Run,         ReadResults, FieldProject,
                                  QuantileClasses, ClassLabels, ClassOf,     SummaryColumn,
                                  ChoiceLabel,     Layout,      DrawMap};

}  // namespace

}  // namespace halosoil::region

extern "C" __attribute__((visibility("default"))) const halosoil::region::RegionServices*
halosoil_region_services() {
    return &halosoil::region::kServices;
}
