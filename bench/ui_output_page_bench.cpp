// The Output page with ten years of daily steps: filling either table into the grid, "See
// hydrological output" with its reading of the output file, "Open output" and the copy.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <deque>

#include "OffscreenBenchMain.h"
#include "OutputFileName.h"
#include "OutputPage.h"
#include "OutputViewBenchData.h"

namespace halosoil {
namespace {

// Answers every file dialog with the next queued name and keeps the clipboard text.
class BenchDialogs : public Dialogs {
public:
    std::deque<QString> files;
    QString clipboard;
    int messages = 0;

    void Message(const QString&) override { ++messages; }
    bool YesNo(const QString&) override { return false; }
    std::optional<QString> OpenFile(const FileDialogSpec&) override {
        if (files.empty()) return std::nullopt;
        QString name = files.front();
        files.pop_front();
        return name;
    }
    std::optional<QString> SaveFile(const FileDialogSpec&) override { return std::nullopt; }
    void SetClipboardText(const QString& text) override { clipboard = text; }
    QString ClipboardText() override { return clipboard; }
    void Pause(int) override {}
};

// A page after a run of ten years, shown at the window's first size.
struct PageAfterRun {
    PageAfterRun() {
        bench::MakeTenYearRun(std::filesystem::temp_directory_path() / "halosoil-output-page-bench",
                              data, state);
        page = std::make_unique<OutputPage>(OutputOnView{data, state, readBack, window}, dialogs);
        page->resize(806, 600);
        page->show();
        page->ShowRunOutput();
    }
    InputData data;
    RunState state;
    OutputReadBack readBack;
    WindowState window;
    BenchDialogs dialogs;
    std::unique_ptr<OutputPage> page;
};

// Repeats one step of the page, letting the window's events run after each; returns how
// many messages the page showed.
int RepeatStep(benchmark::State& s, void (OutputPage::*step)()) {
    PageAfterRun run;
    for (auto _ : s) {
        (run.page.get()->*step)();
        QApplication::processEvents();
    }
    return run.dialogs.messages;
}

void FillSalinityTableBench(benchmark::State& s) {
    RepeatStep(s, &OutputPage::FillSalinityTable);
}
BENCHMARK(FillSalinityTableBench)->Unit(benchmark::kMillisecond);

void FillHydrologyTableBench(benchmark::State& s) {
    RepeatStep(s, &OutputPage::FillHydrologyTable);
}
BENCHMARK(FillHydrologyTableBench)->Unit(benchmark::kMillisecond);

// The whole click: the output file is read again before the table is filled and shown.
void SeeHydrologicalOutputBench(benchmark::State& s) {
    if (RepeatStep(s, &OutputPage::SeeHydrButtonClick) != 0) s.SkipWithError("a message was shown");
}
BENCHMARK(SeeHydrologicalOutputBench)->Unit(benchmark::kMillisecond);

// Reading the output and its input file and showing the output text.
void OpenOutputBench(benchmark::State& s) {
    PageAfterRun run;
    const QString outputName = QString::fromStdString(OutputFileNameFor(run.data.InputFileName));
    for (auto _ : s) {
        run.dialogs.files.push_back(outputName);
        if (!run.page->OpenOutput()) s.SkipWithError("Open output failed");
        QApplication::processEvents();
    }
}
BENCHMARK(OpenOutputBench)->Unit(benchmark::kMillisecond);

void CopyToClipboardBench(benchmark::State& s) {
    PageAfterRun run;
    run.page->FillSalinityTable();
    for (auto _ : s) run.page->CopyButtonClick();
}
BENCHMARK(CopyToClipboardBench)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace halosoil

int main(int argc, char** argv) {
    return halosoil::bench::RunWithApplication<QApplication>(argc, argv);
}
