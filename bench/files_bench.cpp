// How fast the program's files are read and written, against what the machine allows for the
// same bytes: the daily project (two root-zone layers, 3650 daily steps, about 466 kB of
// input file) and ten years of daily output (about 370 kB).
//
// The limit is taken in the same run: the file's bytes read into memory with one call, and
// the same number of bytes written through the replacing writer. Each figure is reported with
// "xLimit", its time as a multiple of that limit's.
//
// The daily input file stays in the temporary folder after the run (halosoil-files-bench/
// daily.inp), so that a whole-process timing of "halosoil-batch convert" can take it.

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "AtomicFile.h"
#include "BenchProjects.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "OutputFileName.h"
#include "OutputViewBenchData.h"
#include "RunState.h"

namespace halosoil {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        bytes.resize(fs::file_size(path));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
    }
    return bytes;
}

// The files every figure works on, made once.
struct Files {
    Files() {
        const fs::path folder = fs::temp_directory_path() / "halosoil-files-bench";
        fs::create_directories(folder);
        daily = bench::DailyProject();
        daily.InputFileName = (folder / "daily.inp").string();
        WriteInputFile(daily);
        dailyBytes = ReadBytes(daily.InputFileName);
        copyName = (folder / "copy.inp").string();

        bench::MakeTenYearRun(folder / "output", viewed, results);
        outputName = OutputFileNameFor(viewed.InputFileName);
        outputBytes = ReadBytes(outputName);
        for (int z = Layer1; z <= Aquif; ++z) results.LeachEff[z] = viewed.LeachEff[z] / 100;
        results.FitNA = {true, true, true, true, true, true};
    }
    InputData daily;
    std::string dailyBytes;
    std::string copyName;
    InputData viewed;
    RunState results;
    std::string outputName;
    std::string outputBytes;
};

Files& TheFiles() {
    static Files files;
    return files;
}

double ProcessSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Processor seconds per call of the given work, as the figures that report against it count
// their time (the machine is shared, so the wall clock tells more of the neighbours than of
// the work); the best of a few tries keeps a slow one out.
template <class Work>
double SecondsPerCall(Work work) {
    constexpr int kCalls = 200;
    double best = 1e9;
    for (int attempt = 0; attempt < 5; ++attempt) {
        const double start = ProcessSeconds();
        for (int k = 0; k < kCalls; ++k) work();
        best = std::min(best, (ProcessSeconds() - start) / kCalls);
    }
    return best;
}

double ReadLimit(const std::string& path) {
    static std::map<std::string, double> seconds;
    if (!seconds.contains(path))
        seconds[path] = SecondsPerCall([&] { benchmark::DoNotOptimize(ReadBytes(path)); });
    return seconds[path];
}

double WriteLimit(const std::string& path, const std::string& bytes) {
    static double seconds = SecondsPerCall([&] { WriteFileAtomically(path, bytes); });
    return seconds;
}

void ReportAgainst(benchmark::State& state, double limitSeconds, double bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    // Iterations times the limit, over the time taken, inverted: the time of one iteration as
    // a multiple of the limit.
    state.counters["xLimit"] = benchmark::Counter(
        limitSeconds, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// --- the machine's limit -------------------------------------------------------------------

void BM_Limit_ReadDailyBytes(benchmark::State& state) {
    Files& files = TheFiles();
    for (auto _ : state) benchmark::DoNotOptimize(ReadBytes(files.daily.InputFileName));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * files.dailyBytes.size()));
}
BENCHMARK(BM_Limit_ReadDailyBytes)->Unit(benchmark::kMicrosecond);

void BM_Limit_WriteDailyBytes(benchmark::State& state) {
    Files& files = TheFiles();
    for (auto _ : state) WriteFileAtomically(files.copyName, files.dailyBytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * files.dailyBytes.size()));
}
BENCHMARK(BM_Limit_WriteDailyBytes)->Unit(benchmark::kMicrosecond);

// --- the input file ------------------------------------------------------------------------

void BM_ReadDailyInput(benchmark::State& state) {
    Files& files = TheFiles();
    InputData data;
    data.InputFileName = files.daily.InputFileName;
    for (auto _ : state) {
        ReadInputFile(data);
        benchmark::DoNotOptimize(data.Rain.data());
    }
    ReportAgainst(state, ReadLimit(files.daily.InputFileName),
                  static_cast<double>(files.dailyBytes.size()));
}
BENCHMARK(BM_ReadDailyInput)->Unit(benchmark::kMicrosecond);

void BM_DailyInputText(benchmark::State& state) {
    Files& files = TheFiles();
    for (auto _ : state) benchmark::DoNotOptimize(InputFileText(files.daily));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * files.dailyBytes.size()));
}
BENCHMARK(BM_DailyInputText)->Unit(benchmark::kMicrosecond);

void BM_WriteDailyInput(benchmark::State& state) {
    Files& files = TheFiles();
    InputData data = files.daily;
    data.InputFileName = files.copyName;
    for (auto _ : state) WriteInputFile(data);
    ReportAgainst(state, WriteLimit(files.copyName, files.dailyBytes),
                  static_cast<double>(files.dailyBytes.size()));
}
BENCHMARK(BM_WriteDailyInput)->Unit(benchmark::kMicrosecond);

// Read and write again, as "halosoil-batch convert" does, without the process around it.
void BM_ConvertDailyInput(benchmark::State& state) {
    Files& files = TheFiles();
    for (auto _ : state) {
        InputData data;
        data.InputFileName = files.daily.InputFileName;
        ReadInputFile(data);
        data.InputFileName = files.copyName;
        WriteInputFile(data);
    }
    ReportAgainst(
        state, ReadLimit(files.daily.InputFileName) + WriteLimit(files.copyName, files.dailyBytes),
        static_cast<double>(files.dailyBytes.size()));
}
BENCHMARK(BM_ConvertDailyInput)->Unit(benchmark::kMicrosecond);

// --- the output file -----------------------------------------------------------------------

void BM_ReadDailyOutput(benchmark::State& state) {
    Files& files = TheFiles();
    InputData data = files.viewed;
    RunState results;
    OutputReadBack readBack;
    for (auto _ : state) {
        ReadOutputFile(files.outputName, data, results, readBack);
        benchmark::DoNotOptimize(results.Percol.data());
    }
    ReportAgainst(state, ReadLimit(files.outputName),
                  static_cast<double>(files.outputBytes.size()));
}
BENCHMARK(BM_ReadDailyOutput)->Unit(benchmark::kMicrosecond);

void BM_DailyOutputText(benchmark::State& state) {
    Files& files = TheFiles();
    for (auto _ : state) {
        std::string text;
        WriteOutputHeader(text, files.viewed, files.results, files.outputName);
        for (int i = 1; i <= files.viewed.NrTst; ++i)
            WriteOutputLine(text, files.viewed, files.results, i);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * files.outputBytes.size()));
}
BENCHMARK(BM_DailyOutputText)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace halosoil

BENCHMARK_MAIN();
