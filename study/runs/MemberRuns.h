// Many plain runs of variants of one project: the members of a calibration's search, of a
// sensitivity design or of an ensemble. Each member is the base project with the study's
// parameters set to the member's values, run as `halosoil-batch run` runs a file without
// --refine and --optimise; the members go side by side on the cores.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "Engine.h"
#include "InputData.h"
#include "Parameters.h"
#include "RunState.h"

namespace halosoil::study {

struct StudyOptions {
    // Threads for the members; 0 means one per core.
    int threads = 0;
    // Set from another thread to stop the study; Run then throws StudyCancelled.
    const std::atomic<bool>* cancel = nullptr;
    // Called after each member with the members done so far and in all, from the thread
    // that ran it (one call at a time).
    std::function<void(long long done, long long total)> progress;
};

class StudyCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "The study was cancelled."; }
};

// What one member's run gave: its state (RunStopped and StoppedStep tell whether the water
// table fell below the aquifer), or the message of a project refused. A member is refused as
// `run` refuses a project: for a value no soil can have (an effective porosity above the
// total, see Plausibility.h), which is then never run, or by the engine; the project and the
// state of a refused member tell nothing.
struct MemberRun {
    long long member = 0;
    const double* values = nullptr;
    const InputData& project;
    const RunState& state;
    const std::string& refusal;  // empty when the run went through or stopped early

    bool Refused() const { return !refusal.empty(); }
    bool Failed() const { return Refused() || state.RunStopped; }
};

// Why `run` would refuse the project before running it (CheckPlausible's message), or empty.
std::string ImplausibilityOf(const InputData& project);

// Runs members of values (row-major: member k's value of parameter j at k * parameters + j)
// and hands each outcome to visit, on the thread that ran it; visit may be called for
// several members at once, each member once. Throws StudyCancelled when cancelled.
void RunMembers(const InputData& base, const std::vector<Parameter>& parameters,
                const std::vector<double>& values, const StudyOptions& options,
                const std::function<void(const MemberRun&)>& visit);

// The number of threads options.threads gives for count members.
int ThreadsFor(const StudyOptions& options, long long count);

}  // namespace halosoil::study
