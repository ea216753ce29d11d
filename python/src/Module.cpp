// halosoil._core: the engine and the files of the core, for the package's Python layer. Runs
// release the interpreter's lock while they compute, so that threads run projects side by
// side.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <fstream>
#include <new>
#include <sstream>

#include "AtomicFile.h"
#include "Engine.h"
#include "Errors.h"
#include "FileErrors.h"
#include "FixedAnswersHost.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "PackedRuns.h"
#include "Plausibility.h"
#include "ProjectChecks.h"
#include "ProjectInfo.h"
#include "RecordDict.h"
#include "ResultDict.h"
#include "RunMany.h"
#include "SaltBudgetArray.h"
#include "StudyModule.h"
#include "TimeStepLimit.h"
#include "WeatherBindings.h"

namespace py = pybind11;
using namespace halosoil;
using namespace halosoil::python;

namespace {

// A damage the reader met on a line of the file is reported as the batch runner reports it:
// "p.inp, line 17: '1,5x' is not a valid floating point value".
py::dict ReadInput(const std::string& path) {
    InputData data;
    data.InputFileName = path;
    try {
        ReadInputFile(data);
    } catch (const FileError&) {
        throw;
    } catch (const HalosoilError& error) {
        if (error.Line() == 0) throw;
        throw HalosoilError(WithFileAndLine(path, error));
    }
    return DictFromRecord(data);
}

// A file is written of what the batch runner would run.
void WriteInput(const py::dict& record, const std::string& path) {
    InputData data = RecordFromDict(record);
    data.InputFileName = path;
    CheckAsBatchRunner(data);
    WriteInputFile(data);
}

py::bytes InputText(const py::dict& record, const std::string& path) {
    InputData data = RecordFromDict(record);
    data.InputFileName = path;
    CheckAsBatchRunner(data);
    return py::bytes(InputFileText(data));
}

void Check(const py::dict& record, bool panels) {
    const InputData data = RecordFromDict(record);
    if (panels)
        CheckAsWindow(data);
    else
        CheckAsBatchRunner(data);
}

// The run's results, or for a run stopped by the water table (message, step). The steps of
// halosoil-batch run after it has read a file; the engine checks what it needs itself.
py::object Run(const py::dict& record, bool refine, bool optimise, int threads) {
    InputData data = RecordFromDict(record);
    CheckPlausible(data);
    PrepareIrrigSpread(data);
    EngineOptions options;
    options.threads = threads;
    Engine engine(options);
    FixedAnswersHost host(refine, optimise);
    {
        py::gil_scoped_release release;
        engine.Compute(data, host);
    }
    if (engine.State().RunStopped)
        return py::make_tuple(host.LastMessage(), engine.State().StoppedStep);
    py::dict result = DictFromRun(data, engine.State());
    AddSaltBudget(result, data, engine.State());
    return result;
}

std::string OutputText(const py::dict& result, const std::string& path) {
    InputData data;
    RunState state;
    RunFromDict(result, data, state);
    std::string file;
    WriteOutputHeader(file, data, state, path);
    for (int i = 1; i <= data.NrTst; ++i) WriteOutputLine(file, data, state, i);
    return file;
}

void WriteOutput(const py::dict& result, const std::string& path) {
    WriteFileAtomically(path, OutputText(result, path));
}

py::dict ReadOutput(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw HalosoilError(CouldNotOpenMessage(path));
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    InputData data;
    RunState state;
    OutputReadBack readBack;
    ReadOutputText(text, data, state, readBack);
    return DictFromOutputFile(data, state, readBack);
}

}  // namespace

PYBIND11_MODULE(_core, m) {
    m.doc() = "The Halosoil engine and its files; use the functions of the halosoil package.";
    static py::exception<HalosoilError> error(m, "HalosoilError", PyExc_ValueError);
    AddFileErrors(m);
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) std::rethrow_exception(thrown);
        } catch (const FileError& e) {
            SetFileError(e);
        } catch (const HalosoilError& e) {
            PyErr_SetString(error.ptr(), e.what());
        } catch (const std::bad_alloc&) {
            PyErr_SetString(PyExc_MemoryError, kNotEnoughMemory);
        }
    });
    m.def("project_fields", &ProjectFieldTable,
          "The fields of a project: (name, kind, unit, meaning) each; kinds text, whole, flag, "
          "number, zones, series.");
    m.def("zone_keys", &ZoneKeyTable,
          "The keys of the five zones, top down: root-zone layers 1 to 3, transition zone, "
          "aquifer.");
    m.def("result_fields", &ResultFieldTable,
          "The per-step results: (name, kind, unit, meaning) each; kinds series, zones.");
    m.def("read_input", &ReadInput, py::arg("path"),
          "The record of an input file as a dict of the record's fields.");
    m.def("write_input", &WriteInput, py::arg("record"), py::arg("path"),
          "Checks the record and writes it to path as the window writes an input file.");
    m.def("input_text", &InputText, py::arg("record"), py::arg("path"),
          "The bytes of the input file the record gives when written to path.");
    m.def("check", &Check, py::arg("record"), py::arg("panels") = false,
          "Raises HalosoilError with the program's text when the batch runner, or with panels "
          "the window, would refuse the record.");
    m.def("run", &Run, py::arg("record"), py::arg("refine"), py::arg("optimise"),
          py::arg("threads") = 0,
          "Runs the record; a dict of results, or (message, step) when the water table fell "
          "below the aquifer.");
    m.def("run_many", &RunMany, py::arg("projects"), py::arg("refine"), py::arg("optimise"),
          py::arg("threads") = 0,
          "Runs many projects on threads; per project a dict of results, or (message, step) "
          "of a run the water table stopped, step 0 for a refused project.");
    m.def("pack_projects", &PackProjects, py::arg("projects"), py::arg("base") = py::bytes(),
          "The records of consistent projects' attributes packed into bytes, for run_packed; "
          "packed against base, a pack of one project, when given.");
    m.def("run_packed", &RunPacked, py::arg("projects"), py::arg("refine"), py::arg("optimise"),
          py::arg("threads") = 0, py::arg("base") = py::bytes(),
          "Runs a pack of projects as run_many does; the outcomes packed.");
    m.def("unpack_outcomes", &UnpackOutcomes, py::arg("outcomes"),
          "The outcomes of run_packed, as run_many returns them.");
    m.def(
        "output_text",
        [](const py::dict& result, const std::string& path) {
            return py::bytes(OutputText(result, path));
        },
        py::arg("result"), py::arg("path"),
        "The bytes of the output file of a result dict written to path.");
    m.def("write_output", &WriteOutput, py::arg("result"), py::arg("path"),
          "Writes the output file of a result dict to path, replacing a file only when whole.");
    m.def(
        "write_file",
        [](const std::string& path, const std::string& bytes) { WriteFileAtomically(path, bytes); },
        py::arg("path"), py::arg("bytes"),
        "Writes bytes to path, replacing a file only when whole, as every file of the core.");
    m.def("salt_budget_columns", &SaltBudgetColumns,
          "The quantities of a run's salt budget, in the order of its array's last axis.");
    m.def("read_output", &ReadOutput, py::arg("path"), "The results of an output file as a dict.");
    AddStudyFunctions(m);
    AddWeatherBindings(m);
    // The program's version, as halosoil-batch --version prints it.
    m.attr("version") = kVersion;
    m.attr("max_time_steps") = kMaxTimeSteps;
}
