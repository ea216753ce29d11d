// The engine on every project the input reader accepts with a few time steps (any layers,
// step length and values), both calibrations chosen: a clear refusal, a run stopped by the
// water table, or results without NaN or infinity. On the shortest projects the fast
// calibrations must also give the plain loops' results to the last bit.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <sstream>
#include <string>

#include "Engine.h"
#include "Errors.h"
#include "FixedAnswersHost.h"
#include "FuzzCheck.h"
#include "InputFile.h"

namespace {

using namespace halosoil;

constexpr long long kMostDays = 720;        // keeps a run, refinement and optimisation quick
constexpr long long kMostCompareDays = 60;  // and the plain loops beside the fast path

bool SameBits(const Series& a, const Series& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

// The plain loops' run of the same project, which must agree with the fast one everywhere.
void CompareWithThePlainLoops(const InputData& data, const RunState& fast) {
    Engine plain(EngineOptions{.reference = true});
    FixedAnswersHost host(true, true);
    plain.Compute(data, host);
    const RunState& p = plain.State();
    fuzz::Require(p.RunStopped == fast.RunStopped, "the fast path stops where the plain one does");
    fuzz::Require(std::memcmp(&p.QH1Used, &fast.QH1Used, sizeof p.QH1Used) == 0 &&
                      p.QH1Refined == fast.QH1Refined,
                  "the fast refinement chooses the plain one's capacity");
    fuzz::Require(std::memcmp(p.LeachEff.data(), fast.LeachEff.data(), sizeof p.LeachEff) == 0,
                  "the fast optimisation chooses the plain one's efficiencies");
    for (const auto series :
         {&RunState::Percol, &RunState::CapRise, &RunState::ActEvap, &RunState::Drain,
          &RunState::DepthWT, &RunState::SalRoot1, &RunState::SalRoot2, &RunState::SalRoot3,
          &RunState::SalTrans, &RunState::SalAquif})
        fuzz::Require(SameBits(p.*series, fast.*series),
                      "the fast path's results are the plain one's");
}

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
    FixedAnswersHost host(true, true);
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
    if (static_cast<long long>(data.NrTst) * data.TstLength <= kMostCompareDays)
        CompareWithThePlainLoops(data, s);
    if (s.RunStopped) return 0;
    for (const Series* series : {&s.Percol, &s.CapRise, &s.ActEvap, &s.Drain, &s.DepthWT,
                                 &s.SalRoot1, &s.SalRoot2, &s.SalRoot3, &s.SalTrans, &s.SalAquif})
        fuzz::Require(fuzz::AllFinite(*series), "results are finite");
    return 0;
}
