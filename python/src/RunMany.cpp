#include "RunMany.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <thread>

#include "Engine.h"
#include "Errors.h"
#include "FixedAnswersHost.h"
#include "InputFile.h"
#include "Interruptible.h"
#include "Plausibility.h"
#include "QuantityCatalogue.h"
#include "RecordDict.h"
#include "ResultDict.h"

namespace halosoil::python {

namespace py = pybind11;

namespace {

// The parts of the run state a result shows; the per-day flows stay behind.
RunState ResultPart(const RunState& state) {
    RunState kept;
    for (const ResultQuantity& quantity : ResultQuantities())
        kept.*quantity.member = state.*quantity.member;
    kept.QH1Used = state.QH1Used;
    kept.RefineChosen = state.RefineChosen;
    kept.QH1Refined = state.QH1Refined;
    kept.LeachEff = state.LeachEff;
    kept.LeachEffOptimized = state.LeachEffOptimized;
    kept.CoefDet = state.CoefDet;
    kept.FitNA = state.FitNA;
    kept.RunStopped = state.RunStopped;
    kept.StoppedStep = state.StoppedStep;
    return kept;
}

// The steps of halosoil-batch run after it has read a file.
void RunOne(InputData& data, bool refine, bool optimise, RunOutcome& outcome) {
    try {
        CheckPlausible(data);
        PrepareIrrigSpread(data);
        EngineOptions options;
        options.threads = 1;
        Engine engine(options);
        FixedAnswersHost host(refine, optimise);
        engine.Compute(data, host);
        outcome.state = ResultPart(engine.State());
        outcome.message = host.LastMessage();
    } catch (const HalosoilError& error) {
        outcome.refused = true;
        outcome.message = error.what();
    } catch (const std::bad_alloc&) {
        outcome.refused = true;
        outcome.message = kNotEnoughMemory;
    }
}

}  // namespace

InputData RecordOrRefusal(const py::handle& attributes, RunOutcome& outcome) {
    try {
        return RecordFromDict(py::reinterpret_borrow<py::dict>(attributes));
    } catch (const std::exception& error) {
        outcome.refused = true;
        outcome.message = error.what();
        return {};
    }
}

void RunRecords(std::vector<InputData>& records, std::vector<RunOutcome>& outcomes, bool refine,
                bool optimise, int threads, const std::atomic<bool>* cancel) {
    const std::size_t count = records.size();
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t workers =
        std::min<std::size_t>(count, threads > 0 ? static_cast<unsigned>(threads) : cores);
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t k = next++; k < count; k = next++) {
            if (cancel != nullptr && *cancel) return;
            if (!outcomes[k].refused) RunOne(records[k], refine, optimise, outcomes[k]);
        }
    };
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < workers; ++t) pool.emplace_back(work);
    work();
    for (std::thread& thread : pool) thread.join();
}

py::object OutcomeObject(const InputData& data, const RunOutcome& outcome) {
    if (outcome.refused) return py::make_tuple(outcome.message, 0);
    if (outcome.state.RunStopped) return py::make_tuple(outcome.message, outcome.state.StoppedStep);
    return DictFromRun(data, outcome.state);
}

py::list RunMany(const py::list& projects, bool refine, bool optimise, int threads) {
    const std::size_t count = projects.size();
    std::vector<RunOutcome> outcomes(count);
    std::vector<InputData> records(count);
    for (std::size_t k = 0; k < count; ++k) {
        // Reading a large chunk's records takes a while of its own: Ctrl-C is looked for there
        // too.
        if (k % 256 == 255 && PyErr_CheckSignals() != 0) throw py::error_already_set();
        records[k] = RecordOrRefusal(projects[k], outcomes[k]);
    }
    std::atomic<bool> cancel{false};
    RunInterruptibly(cancel,
                     [&] { RunRecords(records, outcomes, refine, optimise, threads, &cancel); });
    py::list results;
    for (std::size_t k = 0; k < count; ++k) results.append(OutcomeObject(records[k], outcomes[k]));
    return results;
}

}  // namespace halosoil::python
