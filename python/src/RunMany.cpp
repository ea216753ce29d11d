#include "RunMany.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "Engine.h"
#include "Errors.h"
#include "InputFile.h"
#include "Plausibility.h"
#include "RecordDict.h"
#include "ResultDict.h"
#include "ScriptHost.h"

namespace halosoil::python {

namespace py = pybind11;

namespace {

struct Outcome {
    RunState state;
    std::string message;  // of a refusal or of a run the water table stopped
    bool refused = false;
};

void RunOne(InputData& data, bool refine, bool optimise, Outcome& outcome) {
    try {
        CheckPlausible(data);
        PrepareIrrigSpread(data);
        EngineOptions options;
        options.threads = 1;
        Engine engine(options);
        ScriptHost host(refine, optimise);
        engine.Compute(data, host);
        outcome.state = std::move(engine.State());
        outcome.message = host.Message();
    } catch (const HalosoilError& error) {
        outcome.refused = true;
        outcome.message = error.what();
    } catch (const std::bad_alloc&) {
        outcome.refused = true;
        outcome.message = kNotEnoughMemory;
    }
}

}  // namespace

py::list RunMany(const py::list& projects, bool refine, bool optimise, int threads) {
    const std::size_t count = projects.size();
    std::vector<InputData> records(count);
    std::vector<Outcome> outcomes(count);
    // A record that cannot be read is that project's refusal, not the end of the study.
    for (std::size_t k = 0; k < count; ++k) {
        try {
            records[k] = RecordFromDict(py::reinterpret_borrow<py::dict>(projects[k]));
        } catch (const std::exception& error) {
            outcomes[k].refused = true;
            outcomes[k].message = error.what();
        }
    }
    {
        py::gil_scoped_release release;
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        const std::size_t workers =
            std::min<std::size_t>(count, threads > 0 ? static_cast<unsigned>(threads) : cores);
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            for (std::size_t k = next++; k < count; k = next++)
                if (!outcomes[k].refused) RunOne(records[k], refine, optimise, outcomes[k]);
        };
        std::vector<std::thread> pool;
        for (std::size_t t = 1; t < workers; ++t) pool.emplace_back(work);
        work();
        for (std::thread& thread : pool) thread.join();
    }
    py::list results;
    for (std::size_t k = 0; k < count; ++k) {
        const Outcome& outcome = outcomes[k];
        if (outcome.refused)
            results.append(py::make_tuple(outcome.message, 0));
        else if (outcome.state.RunStopped)
            results.append(py::make_tuple(outcome.message, outcome.state.StoppedStep));
        else
            results.append(DictFromRun(records[k], outcome.state));
    }
    return results;
}

}  // namespace halosoil::python
