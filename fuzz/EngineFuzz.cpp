// The engine on every project the input reader accepts with a few time steps (any layers,
// step length and values), both calibrations chosen: a clear refusal, a run stopped by the
// water table, or results without NaN or infinity.
//
// Written against Engine::Run(InputData&, RunHost&, outputFileName); only this file knows it.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <new>
#include <sstream>
#include <string>

#include "Errors.h"
#include "FuzzCheck.h"
#include "InputFile.h"
#include "Ucalc.h"

namespace {

using namespace halosoil;

constexpr long long kMostDays = 720;  // keeps a run, refinement and optimisation quick

class BothCalibrations : public RunHost {
public:
    bool AskYesNo(const std::string&) override { return true; }
    void ShowMessage(const std::string&) override {}
    void SetProgress(int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    InputData data;
    std::istringstream in(std::string(reinterpret_cast<const char*>(bytes), size));
    try {
        ReadInputFile(in, data);
    } catch (const HalosoilError&) {
        return 0;
    }
    if (data.NrTst < 1 || data.TstLength < 1 ||
        static_cast<long long>(data.NrTst) * data.TstLength > kMostDays)
        return 0;
    PrepareIrrigSpread(data);
    static const std::string output =
        "/tmp/halosoil-engine-fuzz-" + std::to_string(getpid()) + ".out";
    Engine engine;
    BothCalibrations host;
    try {
        engine.Run(data, host, output);
    } catch (const HalosoilError& error) {
        // The writer refuses a result that is not a number; the run must not make one.
        fuzz::Require(std::string(error.what()).find("not a finite number") == std::string::npos,
                      "results are finite");
        return 0;
    }
    std::remove(output.c_str());
    const RunState& s = engine.State();
    if (s.RunStopped) return 0;
    for (const Series* series : {&s.Percol, &s.CapRise, &s.ActEvap, &s.Drain, &s.DepthWT,
                                 &s.SalRoot1, &s.SalRoot2, &s.SalRoot3, &s.SalTrans, &s.SalAquif})
        fuzz::Require(fuzz::AllFinite(*series), "results are finite");
    return 0;
}
