#include "RegionRun.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "AtomicFile.h"
#include "Engine.h"
#include "Errors.h"
#include "FieldProjects.h"
#include "FieldResult.h"
#include "FixedAnswersHost.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "Plausibility.h"
#include "ProjectInfo.h"
#include "ResultsWriter.h"
#include "RunQuestions.h"
#include "VectorUnit.h"

namespace halosoil::region {

namespace {

// Fields a thread takes at a time: enough to fill the vector unit's lanes several times over,
// few enough that the groups in flight hold little.
constexpr std::size_t kFieldsPerGroup = 64;
// Groups computed ahead of the writer, per thread.
constexpr std::size_t kGroupsAheadPerThread = 2;

std::string TodayUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// An id names a file of the folders: it must not leave them or name nothing.
void RefuseIdsThatCannotNameFiles(const FieldLayer& layer) {
    for (const FieldInput& field : layer.Fields()) {
        const bool unsafe = field.id == "." || field.id == ".." ||
                            field.id.find_first_of("/\\") != std::string::npos ||
                            std::any_of(field.id.begin(), field.id.end(),
                                        [](char c) { return static_cast<unsigned char>(c) < 32; });
        if (unsafe)
            throw HalosoilError("The id '" + field.id +
                                "' cannot name a file of the field; choose another --id column");
    }
}

void MakeFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder))
        throw HalosoilError(folder + ": the folder cannot be made (" + error.message() + ")");
}

// What one thread keeps from group to group, so that its records' storage is reused.
struct GroupBuffers {
    std::vector<InputData> projects;
    std::vector<RunState> states;
    std::vector<std::string> refusals;
};

class Region {
public:
    Region(const RegionOptions& options, const FieldCells& cells, const FieldProjects& projects)
        : options_(options), cells_(cells), projects_(projects) {}

    // The fields [begin, end), each with its result.
    std::vector<FieldResult> RunGroup(std::size_t begin, std::size_t end, GroupBuffers& buffers,
                                      long long& failedWrites) const;

private:
    void Compute(std::vector<const InputData*>& runnable, std::vector<RunState*>& states,
                 std::vector<std::string*>& refusals) const;
    std::string WriteFiles(const FieldInput& field, const InputData& project,
                           const RunState& state) const;

    const RegionOptions& options_;
    const FieldCells& cells_;
    const FieldProjects& projects_;
};

void Region::Compute(std::vector<const InputData*>& runnable, std::vector<RunState*>& states,
                     std::vector<std::string*>& refusals) const {
    if (!options_.refine && !options_.optimise) {
        std::vector<std::string> engineRefusals(runnable.size());
        ComputePlainRuns(runnable.data(), states.data(), engineRefusals.data(),
                         static_cast<int>(runnable.size()), ChosenVectorUnit(VectorUnit::AVX512));
        for (std::size_t k = 0; k < runnable.size(); ++k) *refusals[k] = engineRefusals[k];
        return;
    }
    // The calibrations fit each field alone, as `run` does a project.
    for (std::size_t k = 0; k < runnable.size(); ++k) {
        EngineOptions engineOptions;
        engineOptions.threads = 1;
        Engine engine(engineOptions);
        FixedAnswersHost host(options_.refine, options_.optimise);
        try {
            engine.Compute(*runnable[k], host);
            *states[k] = engine.State();
        } catch (const HalosoilError& error) {
            *refusals[k] = error.what();
        }
    }
}

std::string Region::WriteFiles(const FieldInput& field, const InputData& project,
                               const RunState& state) const {
    std::string failure;
    const auto named = [&](const std::string& folder, const char* extension) {
        return (std::filesystem::path(folder) / (field.id + extension)).string();
    };
    try {
        if (!options_.projects.empty()) {
            InputData written = project;
            written.InputFileName = named(options_.projects, ".inp");
            WriteInputFile(written);
        }
    } catch (const HalosoilError& error) {
        failure = WithFileAndLine(named(options_.projects, ".inp"), error);
    }
    // As `run`: a run stopped by the water table writes no output file.
    try {
        if (!options_.outputs.empty() && !state.RunStopped) {
            const std::string name = named(options_.outputs, ".out");
            WriteFileAtomically(name, OutputFileText(project, state, name));
        }
    } catch (const HalosoilError& error) {
        if (!failure.empty()) failure += "; ";
        failure += WithFileAndLine(named(options_.outputs, ".out"), error);
    }
    return failure;
}

std::vector<FieldResult> Region::RunGroup(std::size_t begin, std::size_t end, GroupBuffers& buffers,
                                          long long& failedWrites) const {
    const std::size_t count = end - begin;
    std::vector<FieldResult> results(count);
    buffers.projects.resize(std::max(buffers.projects.size(), count));
    buffers.states.resize(std::max(buffers.states.size(), count));
    buffers.refusals.assign(count, "");
    std::vector<const InputData*> runnable;
    std::vector<RunState*> states;
    std::vector<std::string*> refusals;
    std::vector<std::size_t> which;
    for (std::size_t k = 0; k < count; ++k) {
        const FieldInput& field = cells_.fields[begin + k];
        if (projects_.Make(field, buffers.projects[k], buffers.refusals[k])) {
            buffers.projects[k].InputFileName =
                options_.projects.empty()
                    ? buffers.projects[k].InputFileName
                    : (std::filesystem::path(options_.projects) / (field.id + ".inp")).string();
            runnable.push_back(&buffers.projects[k]);
            states.push_back(&buffers.states[k]);
            refusals.push_back(&buffers.refusals[k]);
            which.push_back(k);
        } else {
            results[k].message = buffers.refusals[k];
        }
    }
    Compute(runnable, states, refusals);
    for (std::size_t r = 0; r < which.size(); ++r) {
        const std::size_t k = which[r];
        const FieldInput& field = cells_.fields[begin + k];
        const InputData& project = buffers.projects[k];
        const RunState& state = buffers.states[k];
        FieldResult& result = results[k];
        if (!buffers.refusals[k].empty()) {
            result.message = "Field " + field.id + ": " + buffers.refusals[k];
            continue;
        }
        if (state.RunStopped) {
            result.status = FieldStatus::Stopped;
            result.message = std::string(kWaterTableStopMessage) + " (step " +
                             std::to_string(state.StoppedStep) + ")";
        } else {
            result = ResultOfRun(project, state);
        }
        const std::string failure = WriteFiles(field, project, state);
        if (!failure.empty()) {
            ++failedWrites;
            result.message += (result.message.empty() ? "" : "; ") + failure;
        }
    }
    return results;
}

// The groups go to the threads in turn and come back to the writer in the fields' order; a
// thread waits when the writer is too far behind, so that what is in flight stays small.
class GroupPipeline {
public:
    GroupPipeline(std::size_t groups, std::size_t ahead) : groups_(groups), ahead_(ahead) {}

    // The next group for a thread, or false when there is none (or the work stopped).
    bool Take(std::size_t& group) {
        std::unique_lock<std::mutex> lock(mutex_);
        room_.wait(lock, [&] { return stopped_ || next_ >= groups_ || next_ < written_ + ahead_; });
        if (stopped_ || next_ >= groups_) return false;
        group = next_++;
        return true;
    }

    void Done(std::size_t group, std::vector<FieldResult> results) {
        const std::lock_guard<std::mutex> lock(mutex_);
        done_.emplace(group, std::move(results));
        ready_.notify_all();
    }

    // The results of the group the writer waits for; false when the work stopped.
    bool Next(std::size_t group, std::vector<FieldResult>& results) {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [&] { return stopped_ || done_.count(group) > 0; });
        if (done_.count(group) == 0) return false;
        results = std::move(done_.at(group));
        done_.erase(group);
        written_ = group + 1;
        room_.notify_all();
        return true;
    }

    void Stop(std::exception_ptr failure = nullptr) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (failure && !failure_) failure_ = failure;
        stopped_ = true;
        room_.notify_all();
        ready_.notify_all();
    }

    std::exception_ptr Failure() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return failure_;
    }

private:
    std::mutex mutex_;
    std::condition_variable room_, ready_;
    std::map<std::size_t, std::vector<FieldResult>> done_;
    std::size_t groups_, ahead_;
    std::size_t next_ = 0, written_ = 0;
    bool stopped_ = false;
    std::exception_ptr failure_;
};

int ThreadsFor(int asked, std::size_t groups) {
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int threads = asked > 0 ? asked : cores;
    return static_cast<int>(std::max<std::size_t>(1, std::min<std::size_t>(threads, groups)));
}

// The base as a run takes it, from the file or from memory.
InputData BaseOf(const RegionOptions& options) {
    if (!options.baseData) return ReadBaseProject(options.base);
    InputData base = *options.baseData;
    CheckPlausible(base);
    PrepareIrrigSpread(base);
    return base;
}

// Everything a region needs before its first field runs; its refusals stop the region.
struct PreparedRegion {
    FieldLayer layer;
    InputData base;

    explicit PreparedRegion(const RegionOptions& options)
        : layer(FieldLayer::Read(options.fields)), base(BaseOf(options)) {
        if (!options.projects.empty() || !options.outputs.empty())
            RefuseIdsThatCannotNameFiles(layer);
        if (!options.projects.empty()) MakeFolder(options.projects);
        if (!options.outputs.empty()) MakeFolder(options.outputs);
        for (const std::string& column : layer.ReplacedColumns())
            if (options.message)
                options.message("The layer's column " + column +
                                " is replaced by the result of that name");
    }
};

struct Counts {
    long long ran = 0, stopped = 0, refused = 0, failedWrites = 0;
};

// Runs every field of the layer, the groups on the threads, and hands each result to take on
// this thread in the order of the fields.
Counts RunGroups(const RegionOptions& options, const FieldCells& cells, const InputData& base,
                 const std::function<void(std::size_t, const FieldResult&)>& take) {
    const FieldProjects projects(base, cells, {options.weatherFill, options.weatherMaxGap});
    const Region region(options, cells, projects);
    const std::size_t fieldCount = cells.fields.size();
    const std::size_t groups = (fieldCount + kFieldsPerGroup - 1) / kFieldsPerGroup;
    const int threads = ThreadsFor(options.threads, groups);
    GroupPipeline pipeline(groups, kGroupsAheadPerThread * static_cast<std::size_t>(threads));
    std::atomic<long long> failedWrites{0};
    const auto work = [&] {
        GroupBuffers buffers;
        try {
            std::size_t group = 0;
            while (pipeline.Take(group)) {
                const std::size_t begin = group * kFieldsPerGroup;
                const std::size_t end = std::min(begin + kFieldsPerGroup, fieldCount);
                long long failed = 0;
                pipeline.Done(group, region.RunGroup(begin, end, buffers, failed));
                failedWrites += failed;
            }
        } catch (...) {
            pipeline.Stop(std::current_exception());
        }
    };
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) workers.emplace_back(work);

    Counts counts;
    try {
        std::vector<FieldResult> results;
        for (std::size_t group = 0; group < groups; ++group) {
            if (options.cancel && options.cancel->load()) throw RegionCancelled();
            if (!pipeline.Next(group, results)) break;
            for (std::size_t k = 0; k < results.size(); ++k) {
                const FieldResult& result = results[k];
                take(group * kFieldsPerGroup + k, result);
                counts.ran += result.status == FieldStatus::Ok;
                counts.stopped += result.status == FieldStatus::Stopped;
                counts.refused += result.status == FieldStatus::Refused;
                if (!result.message.empty() && options.message)
                    options.message(result.status == FieldStatus::Refused
                                        ? result.message
                                        : "Field " + cells.fields[group * kFieldsPerGroup + k].id +
                                              ": " + result.message);
            }
            if (options.progress)
                options.progress(
                    static_cast<long long>(std::min((group + 1) * kFieldsPerGroup, fieldCount)),
                    static_cast<long long>(fieldCount));
        }
    } catch (...) {
        pipeline.Stop();
        for (std::thread& worker : workers) worker.join();
        throw;
    }
    pipeline.Stop();
    for (std::thread& worker : workers) worker.join();
    if (const std::exception_ptr failure = pipeline.Failure()) std::rethrow_exception(failure);
    counts.failedWrites = failedWrites;
    return counts;
}

RunRecord RecordOf(const RegionOptions& options) {
    return {options.base, options.command, kVersion, TodayUtc()};
}

}  // namespace

RegionSummary RunRegion(const RegionOptions& options) {
    if (options.exchange)
        throw HalosoilError("The exchange of groundwater is not built into this version.");
    const auto started = std::chrono::steady_clock::now();
    const PreparedRegion prepared(options);
    ResultsWriter writer(options.results, prepared.layer);
    const Counts counts =
        RunGroups(options, prepared.layer.Cells(), prepared.base,
                  [&](std::size_t index, const FieldResult& result) { writer.Add(index, result); });
    writer.Finish(RecordOf(options));
    RegionSummary summary;
    summary.fields = static_cast<long long>(prepared.layer.Fields().size());
    summary.ran = counts.ran;
    summary.stopped = counts.stopped;
    summary.refused = counts.refused;
    summary.failedWrites = counts.failedWrites;
    summary.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return summary;
}

std::vector<FieldResult> RunFields(const RegionOptions& options, const FieldCells& cells) {
    const InputData base = BaseOf(options);
    std::vector<FieldResult> results(cells.fields.size());
    RunGroups(options, cells, base,
              [&](std::size_t index, const FieldResult& result) { results[index] = result; });
    return results;
}

void WriteRegionResults(const RegionOptions& options, const std::vector<FieldResult>& results) {
    const FieldLayer layer = FieldLayer::Read(options.fields);
    if (results.size() != layer.Fields().size())
        throw HalosoilError("The results of " + std::to_string(results.size()) +
                            " fields cannot be written for a layer of " +
                            std::to_string(layer.Fields().size()));
    ResultsWriter writer(options.results, layer);
    for (std::size_t k = 0; k < results.size(); ++k) writer.Add(k, results[k]);
    writer.Finish(RecordOf(options));
}

}  // namespace halosoil::region
