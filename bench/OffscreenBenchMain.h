// main() of the benchmarks that paint or show widgets: Qt's application object of the kind
// they need, on the offscreen platform unless another is asked for, so that they run without
// a display.
#pragma once

#include <benchmark/benchmark.h>

#include <QtGlobal>

namespace halosoil::bench {

template <class Application>
int RunWithApplication(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace halosoil::bench
