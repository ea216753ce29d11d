// Drawing the graphs of 3650 time steps on the Qt canvas of the Graphs page, and saving the
// picture as a bitmap.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include "DrawGraph.h"
#include "GraphBenchData.h"
#include "OffscreenBenchMain.h"
#include "QtCanvas.h"

namespace halosoil {
namespace {

void BM_DrawGraphQt(benchmark::State& bench) {
    const bench::LongRun run;
    const auto type = static_cast<GraphType>(bench.range(0));
    QImage picture = QtCanvas::NewGraphImage();
    for (auto _ : bench) {
        QtCanvas canvas(picture);
        DrawGraph(canvas, type, GraphSource{run.data, run.state, run.readBack});
    }
    benchmark::DoNotOptimize(picture.constBits());
}
BENCHMARK(BM_DrawGraphQt)->DenseRange(0, kGraphTypeCount - 1)->Unit(benchmark::kMicrosecond);

void BM_SaveGraphBitmap(benchmark::State& bench) {
    const bench::LongRun run;
    QImage picture = QtCanvas::NewGraphImage();
    {
        QtCanvas canvas(picture);
        DrawGraph(canvas, GraphType::AllHydrology, GraphSource{run.data, run.state, run.readBack});
    }
    const QString name = QDir::temp().filePath("halosoil-bench-graph.bmp");
    for (auto _ : bench) benchmark::DoNotOptimize(picture.save(name, "BMP"));
    QFile::remove(name);
}
BENCHMARK(BM_SaveGraphBitmap)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace halosoil

int main(int argc, char** argv) {
    return halosoil::bench::RunWithApplication<QGuiApplication>(argc, argv);
}
