// The output file of a run: a header with the run's settings and leaching efficiencies, then
// one fixed-width line per time step. The reader cuts data lines into chunks of its own
// widths; it also serves "Open output", the tables and the graphs.
#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "InputData.h"
#include "RunState.h"

namespace halosoil {

// What reading an output file keeps apart from the project's entered efficiencies: the
// efficiency each zone used, whether it was optimised and its coefficient of determination
// in percent. The graph captions show these.
struct OutputReadBack {
    ZoneValues LeachEff{};
    std::array<bool, kZoneCount + 1> Optimized{};
    ZoneValues CoefDet{};
    // Whether the file's efficiency line of the zone was present.
    std::array<bool, kZoneCount + 1> LinePresent{};
    // What else the header tells: the titles as they stand in lines 4 and 5, the step length
    // (0 when line 6 has none), and whether the drainage-capacity line is there and says
    // "refined".
    std::string Title1;
    std::string Title2;
    int StepLength = 0;
    bool QH1LinePresent = false;
    bool QH1Refined = false;
};

// The results a data line holds for a layer count, in the order of its columns: the
// root-zone salinities of the existing layers only. State is RunState or const RunState.
template <class State>
auto DataLineSeries(State& s, int layers) {
    std::vector<decltype(&s.Percol)> series = {&s.Percol, &s.CapRise, &s.ActEvap,
                                               &s.Drain,  &s.DepthWT, &s.SalRoot1};
    if (layers >= 2) series.push_back(&s.SalRoot2);
    if (layers >= 3) series.push_back(&s.SalRoot3);
    series.push_back(&s.SalTrans);
    series.push_back(&s.SalAquif);
    return series;
}

// Header lines 1 to 12 and the data line of step i, each ended by CR LF. The header shows the
// working efficiencies of the run, state.LeachEff, as fractions. Throw HalosoilError
// when a value is too wide for the reader to find it again.
std::string OutputHeaderText(const InputData& data, const RunState& state,
                             const std::string& outputFileName);
std::string OutputLineText(const InputData& data, const RunState& state, int step);

// A run builds its output file in memory with these and writes it to disk as a whole at the
// end, so that a failure never leaves half a file in place of the previous one.
void WriteOutputHeader(std::string& file, const InputData& data, const RunState& state,
                       const std::string& outputFileName);
void WriteOutputLine(std::string& file, const InputData& data, const RunState& state, int step);
// The whole file: the header and every step's line.
std::string OutputFileText(const InputData& data, const RunState& state,
                           const std::string& outputFileName);

// Reads outputFileName: replaces NrLayers with the layer flags, NrTst (and QH1 when the
// drainage line is present) in the record and fills the ten result series of the state and its
// FitNA (true where a zone's efficiency line ends in "n.a." or is absent). Throws
// HalosoilError with "The file <name>could not be opened. ..." when the file cannot be opened.
void ReadOutputFile(const std::string& outputFileName, InputData& data, RunState& state,
                    OutputReadBack& readBack);
void ReadOutputFile(std::istream& in, InputData& data, RunState& state, OutputReadBack& readBack);
// The same for the text of a file, already in memory.
void ReadOutputText(std::string_view text, InputData& data, RunState& state,
                    OutputReadBack& readBack);
// The header alone, up to the last efficiency line: NrLayers, NrTst (QH1) and the read-back.
void ReadOutputHeader(std::istream& in, InputData& data, OutputReadBack& readBack);

std::string CouldNotOpenMessage(const std::string& fileName);

}  // namespace halosoil
