// The reader of an input file for viewing on any bytes, with any number of time steps from
// an output file: a clear refusal, or the viewed series sized to the steps and finite.
#include <cstdint>
#include <sstream>
#include <string>

#include "Errors.h"
#include "FuzzCheck.h"
#include "InputForView.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace halosoil;
    if (size < 1) return 0;
    InputData data;
    // The first byte stands for the number of steps the output file gave.
    data.NrTst = bytes[0] % 64;
    RunState state;
    std::istringstream in(std::string(reinterpret_cast<const char*>(bytes) + 1, size - 1));
    try {
        ReadInputForView(in, data, &state);
    } catch (const HalosoilError&) {
        return 0;
    }
    const std::size_t steps = static_cast<std::size_t>(data.NrTst) + 1;
    for (const Series* series : {&data.Rain, &data.Irrig, &data.Evap}) {
        fuzz::Require(series->size() == steps, "series sized to the number of time steps");
        fuzz::Require(fuzz::AllFinite(*series), "viewed values are finite");
    }
    for (int zone = Layer1; zone <= Aquif; ++zone) {
        fuzz::Require(data.MeasSalt[zone].size() == steps, "measured series sized to the steps");
        fuzz::Require(fuzz::AllFinite(data.MeasSalt[zone]), "measured values are finite");
    }
    return 0;
}
