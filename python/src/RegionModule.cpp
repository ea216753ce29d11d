// The extension halosoil._gis: regions of fields from GIS layers, over the region library.
// A module of its own, imported only by halosoil.region(), because GDAL and what it loads take
// a good part of a second: `import halosoil` stays as quick as it was.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <atomic>
#include <vector>

#include "Errors.h"
#include "FieldCrops.h"
#include "FieldLayer.h"
#include "Interruptible.h"
#include "Quantities.h"
#include "RecordDict.h"
#include "RegionRun.h"
#include "RelativeYield.h"
#include "ResultsSchema.h"

namespace py = pybind11;

namespace halosoil::python {

namespace {

struct Arguments {
    std::string baseName;
    std::string fields;
    std::string layer;
    std::string idColumn;
    bool refine = false;
    bool optimise = false;
    bool exchange = false;
    bool weatherFill = false;
    int weatherMaxGap = 3;
    int threads = 0;
    std::string results;
    std::string command;
    std::string crop, crops;
    double eceFactor = study::kDefaultEceFactor;
};

region::RegionOptions OptionsOf(const Arguments& arguments, const InputData& base,
                                std::vector<std::string>& messages) {
    region::RegionOptions options;
    options.base = arguments.baseName;
    options.baseData = &base;
    options.saltBalance = base.SaltBalance;
    options.fields = {arguments.fields, arguments.layer, arguments.idColumn, {}};
    options.refine = arguments.refine;
    options.optimise = arguments.optimise;
    options.exchange = arguments.exchange;
    options.weatherFill = arguments.weatherFill;
    options.weatherMaxGap = arguments.weatherMaxGap;
    options.threads = arguments.threads;
    options.results = arguments.results;
    options.command = arguments.command;
    options.message = [&messages](const std::string& text) { messages.push_back(text); };
    region::ChooseRegionCrop(options, arguments.crop, arguments.crops, arguments.eceFactor);
    return options;
}

// fillDays 0 leaves the stations' gaps refused; otherwise gaps of up to that many days are
// filled linearly.
Arguments ArgumentsOf(const std::string& baseName, const std::string& fields,
                      const std::string& layer, const std::string& idColumn, bool refine,
                      bool optimise, int fillDays, int threads, const std::string& results,
                      const std::string& command) {
    Arguments arguments;
    arguments.baseName = baseName;
    arguments.fields = fields;
    arguments.layer = layer;
    arguments.idColumn = idColumn;
    arguments.refine = refine;
    arguments.optimise = optimise;
    arguments.weatherFill = fillDays > 0;
    arguments.weatherMaxGap = fillDays;
    arguments.threads = threads;
    arguments.results = results;
    arguments.command = command;
    return arguments;
}

// Runs the region and writes its GeoPackage; the summary and the messages as a dict.
py::dict RunRegion(const py::dict& record, const std::string& baseName, const std::string& fields,
                   const std::string& layer, const std::string& idColumn, bool refine,
                   bool optimise, int fillDays, int threads, const std::string& results,
                   const std::string& command, bool exchange, const std::string& crop,
                   const std::string& crops, double eceFactor) {
    const InputData base = RecordFromDict(record);
    Arguments arguments = ArgumentsOf(baseName, fields, layer, idColumn, refine, optimise, fillDays,
                                      threads, results, command);
    arguments.exchange = exchange;
    arguments.crop = crop;
    arguments.crops = crops;
    arguments.eceFactor = eceFactor;
    std::vector<std::string> messages;
    std::atomic<bool> cancel{false};
    region::RegionSummary summary;
    region::RegionOptions options = OptionsOf(arguments, base, messages);
    options.cancel = &cancel;
    RunInterruptibly(cancel, [&] { summary = region::RunRegion(options); });
    py::dict done;
    done["fields"] = summary.fields;
    done["ran"] = summary.ran;
    done["stopped"] = summary.stopped;
    done["refused"] = summary.refused;
    done["failed_writes"] = summary.failedWrites;
    done["seconds"] = summary.seconds;
    done["messages"] = messages;
    return done;
}

// The fields' cells as plain Python values: (parameter columns, folder, fields), each field
// (id, refusal, cells, project, weather, latitude, elevation, crop), each cell (column, is_text,
// number, text).
py::tuple LayerCells(const std::string& fields, const std::string& layerName,
                     const std::string& idColumn) {
    const region::FieldLayer layer = region::FieldLayer::Read({fields, layerName, idColumn, {}});
    const region::FieldCells& cells = layer.Cells();
    py::list inputs;
    for (const region::FieldInput& field : cells.fields) {
        py::list values;
        for (const region::ParameterCell& cell : field.cells)
            values.append(py::make_tuple(cell.column, cell.isText, cell.number, cell.text));
        inputs.append(py::make_tuple(field.id, field.refusal, values, field.project, field.weather,
                                     field.latitude, field.elevation, field.crop));
    }
    return py::make_tuple(cells.parameterColumns, cells.folder, inputs);
}

region::FieldCells CellsOf(const std::vector<std::string>& columns, const std::string& folder,
                           const py::list& inputs) {
    region::FieldCells cells{{}, columns, folder};
    for (const py::handle input : inputs) {
        const py::tuple parts = py::reinterpret_borrow<py::tuple>(input);
        region::FieldInput field;
        field.id = parts[0].cast<std::string>();
        field.refusal = parts[1].cast<std::string>();
        for (const py::handle value : parts[2].cast<py::list>()) {
            const py::tuple cell = py::reinterpret_borrow<py::tuple>(value);
            field.cells.push_back({cell[0].cast<int>(), cell[1].cast<bool>(),
                                   cell[2].cast<double>(), cell[3].cast<std::string>()});
        }
        field.project = parts[3].cast<std::string>();
        field.weather = parts[4].cast<std::string>();
        field.latitude = parts[5].cast<double>();
        field.elevation = parts[6].cast<double>();
        if (parts.size() > 7) field.crop = parts[7].cast<std::string>();
        cells.fields.push_back(std::move(field));
    }
    return cells;
}

// A part of a region run on a worker: per field (status, message, {quantity: array 0..N}).
py::list RunCells(const py::dict& record, const std::vector<std::string>& columns,
                  const std::string& folder, const py::list& inputs, bool refine, bool optimise,
                  int fillDays, int threads, const std::string& crop, const std::string& crops,
                  double eceFactor) {
    const InputData base = RecordFromDict(record);
    const region::FieldCells cells = CellsOf(columns, folder, inputs);
    Arguments arguments = ArgumentsOf("", "", "", "", refine, optimise, fillDays, threads, "", "");
    arguments.crop = crop;
    arguments.crops = crops;
    arguments.eceFactor = eceFactor;
    std::vector<std::string> messages;
    std::atomic<bool> cancel{false};
    std::vector<region::FieldResult> results;
    region::RegionOptions options = OptionsOf(arguments, base, messages);
    options.cancel = &cancel;
    RunInterruptibly(cancel, [&] { results = region::RunFields(options, cells); });
    py::list outcomes;
    for (const region::FieldResult& result : results) {
        py::dict series;
        for (const study::QuantityInfo& info : study::Quantities()) {
            const std::vector<double>& values =
                result.series[static_cast<std::size_t>(info.quantity)];
            if (!values.empty())
                series[info.name] =
                    py::array_t<double>(static_cast<py::ssize_t>(values.size()), values.data());
        }
        if (!result.relativeYield.empty())
            series[region::kRelativeYieldColumn] = py::array_t<double>(
                static_cast<py::ssize_t>(result.relativeYield.size()), result.relativeYield.data());
        outcomes.append(py::make_tuple(region::StatusName(result.status), result.message, series));
    }
    return outcomes;
}

region::FieldStatus StatusNamed(const std::string& name) {
    if (name == "ok") return region::FieldStatus::Ok;
    if (name == "stopped") return region::FieldStatus::Stopped;
    return region::FieldStatus::Refused;
}

// The GeoPackage of results run elsewhere, as run_fields gave them, in the layer's order.
void WriteResults(const std::string& fields, const std::string& layer, const std::string& idColumn,
                  const py::list& outcomes, const std::string& results, const std::string& baseName,
                  const std::string& command, const std::string& crop, const std::string& crops,
                  double eceFactor) {
    std::vector<region::FieldResult> found;
    for (const py::handle outcome : outcomes) {
        const py::tuple parts = py::reinterpret_borrow<py::tuple>(outcome);
        region::FieldResult result;
        result.status = StatusNamed(parts[0].cast<std::string>());
        result.message = parts[1].cast<std::string>();
        const py::dict series = parts[2].cast<py::dict>();
        for (const study::QuantityInfo& info : study::Quantities())
            if (series.contains(info.name))
                result.series[static_cast<std::size_t>(info.quantity)] =
                    CopiedDoubles(series[info.name].cast<py::array_t<double>>());
        if (series.contains(region::kRelativeYieldColumn))
            result.relativeYield =
                CopiedDoubles(series[region::kRelativeYieldColumn].cast<py::array_t<double>>());
        found.push_back(std::move(result));
    }
    std::vector<std::string> messages;
    region::RegionOptions options;
    options.base = baseName;
    options.fields = {fields, layer, idColumn, {}};
    options.results = results;
    options.command = command;
    region::ChooseRegionCrop(options, crop, crops, eceFactor);
    py::gil_scoped_release release;
    region::WriteRegionResults(options, found);
}

}  // namespace

}  // namespace halosoil::python

PYBIND11_MODULE(_gis, m) {
    using namespace halosoil;
    using namespace halosoil::python;
    m.doc() = "Regions of fields from GIS layers; use halosoil.region().";
    static const py::object error = py::module_::import("halosoil._core").attr("HalosoilError");
    // Local to this module: a translator of its own for HalosoilError would otherwise take the
    // place of the core's, which turns a FileError into Python's own OSError.
    py::register_local_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) std::rethrow_exception(thrown);
        } catch (const HalosoilError& e) {
            PyErr_SetString(error.ptr(), e.what());
        } catch (const std::bad_alloc&) {
            PyErr_SetString(PyExc_MemoryError, kNotEnoughMemory);
        } catch (const region::RegionCancelled& e) {
            PyErr_SetString(PyExc_KeyboardInterrupt, e.what());
        }
    });
    m.def("run_region", &RunRegion, py::arg("record"), py::arg("base_name"), py::arg("fields"),
          py::arg("layer"), py::arg("id_column"), py::arg("refine"), py::arg("optimise"),
          py::arg("fill_days"), py::arg("threads"), py::arg("results"), py::arg("command"),
          py::arg("exchange") = false, py::arg("crop") = "", py::arg("crops") = "",
          py::arg("ece_factor") = study::kDefaultEceFactor,
          "Runs every field of the layer and writes the results GeoPackage; the summary. With "
          "exchange the fields share their groundwater with their neighbours.");
    m.def("layer_cells", &LayerCells, py::arg("fields"), py::arg("layer"), py::arg("id_column"),
          "The cells of the layer's fields: (parameter columns, folder, fields).");
    m.def("run_cells", &RunCells, py::arg("record"), py::arg("columns"), py::arg("folder"),
          py::arg("fields"), py::arg("refine"), py::arg("optimise"), py::arg("fill_days"),
          py::arg("threads"), py::arg("crop") = "", py::arg("crops") = "",
          py::arg("ece_factor") = study::kDefaultEceFactor,
          "Runs fields given by their cells; per field (status, message, series).");
    m.def("write_results", &WriteResults, py::arg("fields"), py::arg("layer"), py::arg("id_column"),
          py::arg("outcomes"), py::arg("results"), py::arg("base_name"), py::arg("command"),
          py::arg("crop") = "", py::arg("crops") = "",
          py::arg("ece_factor") = study::kDefaultEceFactor,
          "Writes the results GeoPackage of outcomes found by run_fields.");
}
