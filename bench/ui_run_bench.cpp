// The window's run of the century project: the engine driven through the window's run host,
// which moves a progress bar on the screen and lets the window paint after each position,
// against the same run through a host that shows nothing. The specified pauses of 100 ms
// after each position are left out of both, so that the figures show what the progress bar
// itself costs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QProgressBar>
#include <filesystem>

#include "BenchProjects.h"
#include "Engine.h"
#include "FixedAnswersHost.h"
#include "OffscreenBenchMain.h"
#include "QtRunHost.h"

namespace halosoil {
namespace {

// Answers Yes and paints instead of pausing.
class PaintingDialogs : public Dialogs {
public:
    int pauses = 0;

    void Message(const QString&) override {}
    bool YesNo(const QString&) override { return true; }
    std::optional<QString> OpenFile(const FileDialogSpec&) override { return std::nullopt; }
    std::optional<QString> SaveFile(const FileDialogSpec&) override { return std::nullopt; }
    void SetClipboardText(const QString&) override {}
    QString ClipboardText() override { return {}; }
    void Pause(int) override {
        ++pauses;
        QCoreApplication::processEvents();
    }
};

InputData CenturyInFolder() {
    InputData data = bench::CenturyProject();
    const auto folder = std::filesystem::temp_directory_path() / "halosoil-ui-run-bench";
    std::filesystem::create_directories(folder);
    data.InputFileName = (folder / "century.inp").string();
    return data;
}

void BM_CenturyRunWithProgressBar(benchmark::State& state) {
    const InputData data = CenturyInFolder();
    QProgressBar bar;
    bar.setRange(0, 10);
    bar.show();
    PaintingDialogs dialogs;
    QtRunHost host(dialogs, &bar);
    Engine engine;
    for (auto _ : state) engine.Run(data, host);
    state.counters["progress_positions"] =
        static_cast<double>(dialogs.pauses) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CenturyRunWithProgressBar)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CenturyRunWithoutWindow(benchmark::State& state) {
    const InputData data = CenturyInFolder();
    FixedAnswersHost host(true, true);
    Engine engine;
    for (auto _ : state) engine.Run(data, host);
}
BENCHMARK(BM_CenturyRunWithoutWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace halosoil

int main(int argc, char** argv) {
    return halosoil::bench::RunWithApplication<QApplication>(argc, argv);
}
