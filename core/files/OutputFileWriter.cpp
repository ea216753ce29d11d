// Writes the output file's header and data lines. Each data line is checked against the
// reader's chunks before it is accepted, so a value too wide for its field is refused with a
// message instead of being written where the reader cannot find it again.

#include <algorithm>
#include <cmath>
#include <string>

#include "Errors.h"
#include "LineEnd.h"
#include "NumberFormat.h"
#include "OutputFile.h"
#include "OutputFileLayout.h"
#include "TextFields.h"

namespace halosoil {

namespace {

// The longest usual data line, that of three layers, with its line end.
constexpr std::size_t kDataLineBytes = 101 + 2;

std::string EfficiencyLine(int zone, const RunState& state) {
    std::string line =
        std::string(output_layout::kEfficiencyLabels[zone]) + Fixed(state.LeachEff[zone], 8, 2);
    if (state.FitNA[zone]) return line + output_layout::kNotAvailable;
    line += state.LeachEffOptimized[zone] ? output_layout::kOptimized : output_layout::kGiven;
    return line + Fixed(100 * state.CoefDet[zone], 5, 0);
}

}  // namespace

std::string OutputHeaderText(const InputData& data, const RunState& state,
                             const std::string& outputFileName) {
    std::string text;
    const auto line = [&text](const std::string& content) { text += content + kCrLf; };
    line(output_layout::kHeading);
    line(std::string(output_layout::kFileName) + outputFileName);
    line("");
    line(data.Title1);
    line(data.Title2);
    line(Whole(data.NrLayers, 2) + "   " + Whole(data.NrTst, 4) + "    " + Whole(data.TstLength) +
         output_layout::kSizesRemark);
    if (state.RefineChosen)
        line((state.QH1Refined ? output_layout::kQH1Refined : output_layout::kQH1Given) +
             Fixed(state.QH1Used, 8, 3));
    line(EfficiencyLine(Layer1, state));
    if (data.NrLayers == 2 || data.NrLayers == 3) line(EfficiencyLine(Layer2, state));
    if (data.NrLayers == 3) line(EfficiencyLine(Layer3, state));
    if (state.LeachEff[Trans] > 0) line(EfficiencyLine(Trans, state));
    if (state.LeachEff[Aquif] > 0) line(EfficiencyLine(Aquif, state));
    line(output_layout::kUnits);
    line(output_layout::kUnitsLine);
    line("");
    if (data.NrLayers == 1)
        for (const char* heading : output_layout::kColumns1) line(heading);
    else if (data.NrLayers == 2)
        for (const char* heading : output_layout::kColumns2) line(heading);
    else
        for (const char* heading : output_layout::kColumns3) line(heading);
    return text;
}

namespace {

// The values in the columns of the file's layout (OutputFileLayout.h), each named as a refusal
// names it: the line's own order and words, not the catalogue's (QuantityCatalogue.h), and
// the salinities of the layers the file's header counts.
void AppendOutputLine(std::string& file, const InputData& data, const RunState& state, int step) {
    static const char* names[] = {"",
                                  "percolation",
                                  "capillary rise",
                                  "actual evapotranspiration",
                                  "drainage",
                                  "depth of the water table",
                                  "salinity"};
    std::pair<double, const char*> values[10];
    std::size_t count = 0;
    for (const auto& value :
         {std::pair{state.Percol[step], names[1]}, std::pair{state.CapRise[step], names[2]},
          std::pair{state.ActEvap[step], names[3]}, std::pair{state.Drain[step], names[4]},
          std::pair{state.DepthWT[step], names[5]}, std::pair{state.SalRoot1[step], names[6]}})
        values[count++] = value;
    if (data.NrLayers >= 2) values[count++] = {state.SalRoot2[step], names[6]};
    if (data.NrLayers >= 3) values[count++] = {state.SalRoot3[step], names[6]};
    values[count++] = {state.SalTrans[step], names[6]};
    values[count++] = {state.SalAquif[step], names[6]};

    const output_layout::Field* fields = output_layout::FieldsOf(data.NrLayers);
    const int* chunks = output_layout::ChunksOf(data.NrLayers);
    const std::size_t lineStart = file.size();
    AppendWhole(file, step, fields[0].width);
    // The reader cuts the line into chunks of its own widths, which do not overlap; a value
    // is read back as written when its text stands whole inside its chunk.
    std::size_t chunkStart = static_cast<std::size_t>(chunks[0]);
    for (std::size_t k = 0; k < count; ++k) {
        const double value = values[k].first;
        if (!std::isfinite(value)) {
            file.resize(lineStart);
            throw HalosoilError("The " + std::string(values[k].second) + " of time step " +
                                std::to_string(step) +
                                " is not a finite number; the output file was not written.");
        }
        const std::size_t fieldStart = file.size();
        AppendFixed(file, value, fields[k + 1].width, fields[k + 1].decimals);
        const std::size_t textStart = file.find_first_not_of(' ', fieldStart) - lineStart;
        const std::size_t chunkEnd = chunkStart + static_cast<std::size_t>(chunks[k + 1]);
        if (textStart < chunkStart || file.size() - lineStart > chunkEnd) {
            const std::string written = file.substr(fieldStart);
            file.resize(lineStart);
            throw HalosoilError("The " + std::string(values[k].second) + " of time step " +
                                std::to_string(step) + " (" + Trimmed(written) +
                                ") is too wide for its column; the output file was not written.");
        }
        chunkStart = chunkEnd;
    }
    file += kCrLf;
}

}  // namespace

std::string OutputLineText(const InputData& data, const RunState& state, int step) {
    std::string line;
    AppendOutputLine(line, data, state, step);
    return line;
}

void WriteOutputHeader(std::string& file, const InputData& data, const RunState& state,
                       const std::string& outputFileName) {
    const std::string header = OutputHeaderText(data, state, outputFileName);
    // Room for the data lines that follow, so that the text is not moved as it grows.
    file.reserve(file.size() + header.size() +
                 kDataLineBytes * static_cast<std::size_t>(std::max(data.NrTst, 0)));
    file += header;
}

void WriteOutputLine(std::string& file, const InputData& data, const RunState& state, int step) {
    AppendOutputLine(file, data, state, step);
}

std::string OutputFileText(const InputData& data, const RunState& state,
                           const std::string& outputFileName) {
    std::string file;
    WriteOutputHeader(file, data, state, outputFileName);
    for (int i = 1; i <= data.NrTst; ++i) WriteOutputLine(file, data, state, i);
    return file;
}

}  // namespace halosoil
