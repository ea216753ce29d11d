// The output file reader on any bytes: a clear refusal or result series without NaN or
// infinity. An accepted file, written again by the writer from what was read, reads again to
// the same series up to the written decimals, and writing that gives the same text.
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "Errors.h"
#include "FuzzCheck.h"
#include "OutputFile.h"
#include "OutputFileLayout.h"

namespace {

using namespace halosoil;

struct Read {
    InputData data;
    RunState state;
    OutputReadBack readBack;
    bool accepted = false;
};

Read ReadText(const std::string& text) {
    Read read;
    std::istringstream in(text);
    try {
        ReadOutputFile(in, read.data, read.state, read.readBack);
        read.accepted = true;
    } catch (const HalosoilError&) {
    }
    return read;
}

std::vector<const Series*> ResultSeries(const Read& read) {
    return DataLineSeries(read.state, read.data.NrLayers);
}

// The file the writer makes of what was read; throws HalosoilError when a value does not fit.
std::string Rewritten(Read read) {
    for (int zone = Layer1; zone <= Aquif; ++zone) {
        // The header shows the run's working efficiencies.
        read.state.LeachEff[zone] =
            read.readBack.LinePresent[zone] ? read.readBack.LeachEff[zone] : 0;
        read.state.LeachEffOptimized[zone] = read.readBack.Optimized[zone];
        read.state.CoefDet[zone] = read.readBack.CoefDet[zone] / 100;
    }
    std::string text = OutputHeaderText(read.data, read.state, "fuzz.out");
    for (int i = 1; i <= read.data.NrTst; ++i) text += OutputLineText(read.data, read.state, i);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const Read first = ReadText(std::string(reinterpret_cast<const char*>(bytes), size));
    if (!first.accepted) return 0;
    fuzz::Require(first.data.NrLayers >= 1 && first.data.NrLayers <= 3, "a layer count 1 to 3");
    for (const Series* series : ResultSeries(first)) {
        fuzz::Require(series->size() == static_cast<std::size_t>(first.data.NrTst) + 1,
                      "series sized to the number of time steps");
        fuzz::Require(fuzz::AllFinite(*series), "results are finite");
    }
    std::string written;
    try {
        written = Rewritten(first);
    } catch (const HalosoilError&) {
        return 0;  // a value too wide for its column, refused with its message
    }
    const Read second = ReadText(written);
    fuzz::Require(second.accepted, "the writer's file reads again");
    fuzz::Require(
        second.data.NrTst == first.data.NrTst && second.data.NrLayers == first.data.NrLayers,
        "the same sizes read again");
    const std::vector<const Series*> before = ResultSeries(first);
    const std::vector<const Series*> after = ResultSeries(second);
    const output_layout::Field* fields = output_layout::FieldsOf(first.data.NrLayers);
    for (std::size_t k = 0; k < before.size(); ++k) {
        const double halfUnit = 0.5 * std::pow(10.0, -fields[k + 1].decimals);
        for (int i = 1; i <= first.data.NrTst; ++i) {
            const double a = (*before[k])[i];
            const double b = (*after[k])[i];
            fuzz::Require(std::fabs(a - b) <= halfUnit * (1 + 1e-9) + 1e-12 * std::fabs(a),
                          "the same series read again, to the written decimals");
        }
    }
    // The writer prints a coefficient from the run's fraction, so a percentage read back goes
    // through /100 and x100; beyond 2^53 / 100 (absurd for a percentage of at most 100) that
    // drifts by a unit, and such a file is not expected to be written back alike.
    // Likewise a transition-zone or aquifer efficiency above 0 but below 0.005 is written as
    // 0.00, and a line of 0.00 is not written again.
    bool valuesSurvive = true;
    for (int zone = Layer1; zone <= Aquif; ++zone) {
        const double c = second.readBack.CoefDet[zone];
        valuesSurvive = valuesSurvive && 100 * (c / 100) == c;
        if (zone >= Trans && second.readBack.LinePresent[zone])
            valuesSurvive = valuesSurvive && second.readBack.LeachEff[zone] > 0;
    }
    if (valuesSurvive)
        fuzz::Require(Rewritten(second) == written,
                      "writing what was read again gives the same file");
    return 0;
}
