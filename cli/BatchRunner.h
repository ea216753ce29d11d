// The work of halosoil-batch run and convert: projects computed and input files rewritten
// without a window, for scripts and tests. Their command lines are in RunCommand.cpp and
// ConvertCommand.cpp.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "BatchStatus.h"
#include "SaltBalanceKind.h"

namespace halosoil {

struct RunOptions {
    bool refine = false;    // Yes to refining the drainage capacity
    bool optimise = false;  // Yes to optimising the leaching efficiencies
    std::vector<std::string> inputs;
    std::string output;  // only with a single input; empty: the input's name with .out
    int jobs = 0;        // 0: one per core
    SaltBalanceKind saltBalance = SaltBalanceKind::Specified;
};

// Runs the inputs side by side on up to options.jobs threads, each run on one thread of its
// own. The messages of a run are printed together when it ends, after a progress line when
// showProgress; the status is the highest of all runs.
int RunProjects(const RunOptions& options, std::ostream& errors, bool showProgress);

// Reads an input file of any layout and writes it to output in the current layout.
int ConvertInputFile(const std::string& input, const std::string& output, std::ostream& errors);

}  // namespace halosoil
