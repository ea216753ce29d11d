#include "CalibrationSearch.h"

#include <nlopt.hpp>

#include <algorithm>
#include <cmath>
#include <exception>
#include <numeric>
#include <thread>

#include "RunEvaluator.h"

namespace halosoil::study {

namespace {

// The global search's budget grows with the dimensions: the controlled random search starts
// from a population of 10 (d + 1) points and improves it.
int GlobalEvaluations(int dims) {
    return 150 * (dims + 1);
}
int LocalEvaluations(int dims) {
    return 100 * (dims + 1);
}
// Local searches start from at most this many distinct points of the global search.
constexpr int kLocalStarts = 4;
// Two starts are distinct when they differ by a tenth of a range in some parameter.
constexpr double kDistinctStarts = 0.1;
// The searches stop when a step moves no parameter by more than this share of its range.
constexpr double kUnitTolerance = 1e-6;

struct Problem {
    RunEvaluator* evaluator;
    std::exception_ptr failure;
};

// NLopt swallows what a callback throws; the failure is kept and the search stopped.
double Evaluate(const std::vector<double>& unit, std::vector<double>&, void* data) {
    auto* problem = static_cast<Problem*>(data);
    try {
        return (*problem->evaluator)(unit);
    } catch (...) {
        if (!problem->failure) problem->failure = std::current_exception();
        throw nlopt::forced_stop();
    }
}

void Optimise(nlopt::opt& search, RunEvaluator& evaluator, std::vector<double> unit) {
    const unsigned dims = search.get_dimension();
    search.set_lower_bounds(std::vector<double>(dims, 0.0));
    search.set_upper_bounds(std::vector<double>(dims, 1.0));
    search.set_xtol_abs(kUnitTolerance);
    Problem problem{&evaluator, nullptr};
    search.set_min_objective(Evaluate, &problem);
    double value = 0;
    try {
        search.optimize(unit, value);
    } catch (const std::exception&) {
        // A search that ends on rounding or on its budget has still found what the evaluator
        // keeps as its best; only a failure of the runs themselves ends the calibration.
    }
    if (problem.failure) std::rethrow_exception(problem.failure);
}

std::vector<std::vector<double>> DistinctStarts(const RunEvaluator& global, int most) {
    std::vector<std::size_t> order(global.Tried().size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return global.TriedValues()[a] < global.TriedValues()[b];
    });
    std::vector<std::vector<double>> starts = {global.BestUnit()};
    for (std::size_t k : order) {
        if (static_cast<int>(starts.size()) >= most) break;
        if (global.TriedValues()[k] >= kFailedRunObjective) break;
        const std::vector<double>& candidate = global.Tried()[k];
        const bool distinct = std::all_of(starts.begin(), starts.end(), [&](const auto& start) {
            for (std::size_t j = 0; j < start.size(); ++j)
                if (std::abs(start[j] - candidate[j]) > kDistinctStarts) return true;
            return false;
        });
        if (distinct) starts.push_back(candidate);
    }
    return starts;
}

nlopt::algorithm LocalAlgorithm(unsigned dims) {
    // BOBYQA models the objective by a quadratic, which needs two dimensions at least.
    return dims >= 2 ? nlopt::LN_BOBYQA : nlopt::LN_SBPLX;
}

}  // namespace

long long MostSearchRuns(int dims) {
    return 1 + GlobalEvaluations(dims) +
           static_cast<long long>(kLocalStarts) * LocalEvaluations(dims);
}

SearchOutcome SearchBest(const InputData& base, const std::vector<Parameter>& parameters,
                         const Objective& objective, const std::vector<double>& startUnit,
                         std::uint64_t seed, const StudyOptions& options, RunCounter& runs) {
    const unsigned dims = static_cast<unsigned>(parameters.size());

    RunEvaluator global(base, parameters, objective, runs, options.cancel);
    global.KeepHistory(true);
    global(startUnit);
    {
        nlopt::srand(static_cast<unsigned long>(seed));
        nlopt::opt search(nlopt::GN_CRS2_LM, dims);
        search.set_maxeval(GlobalEvaluations(static_cast<int>(dims)));
        Optimise(search, global, startUnit);
    }

    // The local searches from the best distinct points go side by side; each has its own
    // evaluator, and the best of all wins, the earlier start on a tie.
    const std::vector<std::vector<double>> starts = DistinctStarts(global, kLocalStarts);
    std::vector<SearchOutcome> outcomes(starts.size());
    std::vector<std::exception_ptr> failures(starts.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t k = next++; k < starts.size(); k = next++) {
            try {
                RunEvaluator local(base, parameters, objective, runs, options.cancel);
                nlopt::opt search(LocalAlgorithm(dims), dims);
                search.set_maxeval(LocalEvaluations(static_cast<int>(dims)));
                search.set_initial_step(std::vector<double>(dims, 0.05));
                Optimise(search, local, starts[k]);
                outcomes[k] = {local.BestUnit(), local.BestValue()};
            } catch (...) {
                failures[k] = std::current_exception();
            }
        }
    };
    const int threads = ThreadsFor(options, static_cast<long long>(starts.size()));
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(work);
    work();
    for (std::thread& thread : pool) thread.join();
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);

    SearchOutcome best{global.BestUnit(), global.BestValue()};
    for (const SearchOutcome& outcome : outcomes)
        if (outcome.bestValue < best.bestValue) best = outcome;
    return best;
}

}  // namespace halosoil::study
