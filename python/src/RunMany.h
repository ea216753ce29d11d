// Many projects run at once, for a study: the records are read while the interpreter's lock is
// held, the runs go on threads of their own without it, each project on one thread as
// halosoil-batch run runs a file, and the outcomes come back in the projects' order.
#pragma once

#include <pybind11/pybind11.h>

#include <atomic>
#include <string>
#include <vector>

#include "InputData.h"
#include "RunState.h"

namespace halosoil::python {

// What a run left for its result: the per-step results and the header's values (the per-day
// flows are dropped at once, so that a chunk of long runs stays small), or the message of a
// refusal or of a run the water table stopped.
struct RunOutcome {
    RunState state;
    std::string message;
    bool refused = false;
};

// Reads the attributes of a consistent Project; a record that cannot be read becomes the
// outcome's refusal.
InputData RecordOrRefusal(const pybind11::handle& attributes, RunOutcome& outcome);

// Runs every record whose outcome is not already a refusal, on up to threads threads (0: one
// per core). Call without the interpreter's lock. Once cancel is set no further record is
// begun.
void RunRecords(std::vector<InputData>& records, std::vector<RunOutcome>& outcomes, bool refine,
                bool optimise, int threads, const std::atomic<bool>* cancel = nullptr);

// Per outcome a result dict (ResultDict.h), or the tuple (message, step) of a run the water
// table stopped; step 0 for a project refused before the run, with the refusal's text.
pybind11::object OutcomeObject(const InputData& data, const RunOutcome& outcome);

// projects: the attributes of consistent Projects (see RecordDict.h).
pybind11::list RunMany(const pybind11::list& projects, bool refine, bool optimise, int threads);

}  // namespace halosoil::python
