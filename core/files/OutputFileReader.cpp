// Reads an output file back into the result series: the header by characters and numbers as
// they come, the data lines by chunks of the reader's own widths. The file is read into
// memory with one call and taken apart there.

#include <istream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Errors.h"
#include "FileContents.h"
#include "LineCursor.h"
#include "OutputFile.h"
#include "OutputFileLayout.h"
#include "QuantityCatalogue.h"
#include "StringToFloat.h"
#include "TextFields.h"
#include "TimeStepLimit.h"

namespace halosoil {

namespace {

// What an efficiency line without a coefficient ends with.
constexpr const char* kNotAvailable = "n.a";

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

class OutputReader {
public:
    OutputReader(std::string_view text, InputData& data, RunState& state, OutputReadBack& readBack)
        : cursor_(text), d_(data), s_(state), r_(readBack) {}

    void Read() {
        try {
            Header();
            DataLines(d_.NrLayers);
        } catch (HalosoilError& error) {
            if (error.Line() == 0) error.SetLine(cursor_.LineNumber());
            throw;
        }
    }

    // The lines up to the efficiencies: the sizes, the drainage capacity and per zone the
    // efficiency, its tag and its coefficient.
    void Header() {
        s_.FitNA.fill(true);
        r_.QH1LinePresent = r_.QH1Refined = false;
        cursor_.SkipLines(3);
        r_.Title1 = cursor_.Line();
        cursor_.EndLine();
        r_.Title2 = cursor_.Line();
        cursor_.EndLine();
        const int layers = Integer();
        const int nrTst = Integer();
        if (layers < 1 || layers > 3 || nrTst < 0 || nrTst > kMaxTimeSteps)
            throw HalosoilError("Invalid numeric input");
        d_.NrLayers = layers;
        // The flags follow, so that the record tells one layer count once the file is read.
        d_.SetLayerFlags(layers);
        d_.NrTst = nrTst;
        r_.StepLength = 0;
        std::istringstream(std::string(cursor_.Rest())) >> r_.StepLength;
        cursor_.EndLine();
        FirstEfficiencyLine();
        if (layers > 1) EfficiencyLine(Layer2);
        if (layers > 2) EfficiencyLine(Layer3);
        OptionalEfficiencyLine(Trans);
        OptionalEfficiencyLine(Aquif);
    }

private:
    // Skips blanks and line ends and takes the characters up to the next blank.
    std::string_view Token() {
        const std::string_view token = cursor_.Token();
        if (token.empty())
            throw HalosoilError("The output file ends too early; it may be damaged.");
        return token;
    }

    double Real() { return PointStringToFloat(Token()); }

    int Integer() {
        int value = 0;
        if (!TryStringToInt(Token(), value)) throw HalosoilError("Invalid numeric input");
        return value;
    }

    void FirstEfficiencyLine() {
        if (cursor_.Chars(10) == output_layout::kDrainageMark) {
            r_.QH1LinePresent = true;
            r_.QH1Refined = StartsWith(cursor_.Line(), output_layout::kQH1Refined);
            cursor_.Chars(22);
            d_.QH1 = Real();
            cursor_.EndLine();
            cursor_.Chars(output_layout::kLabelLength);
        } else {
            cursor_.Chars(22);
        }
        FinishEfficiencyLine(Layer1);
    }

    void EfficiencyLine(int zone) {
        cursor_.Chars(output_layout::kLabelLength);
        FinishEfficiencyLine(zone);
    }

    // The transition zone's and the aquifer's lines are written only for an efficiency above
    // 0; a line that belongs to a later zone, or the units line, means this one was left out.
    void OptionalEfficiencyLine(int zone) {
        const std::string_view line = cursor_.Line();
        const bool later =
            StartsWith(line, output_layout::kUnits) ||
            (zone == Trans && StartsWith(line, output_layout::kEfficiencyLabels[Aquif]));
        if (later) {
            r_.LeachEff[zone] = 0;
            r_.Optimized[zone] = false;
            r_.LinePresent[zone] = false;
            return;
        }
        EfficiencyLine(zone);
    }

    // After the tag come 42 more characters of the ending and then the coefficient's field,
    // which is read whole: a five-character coefficient such as -1250 keeps its sign.
    void FinishEfficiencyLine(int zone) {
        r_.LeachEff[zone] = Real();
        r_.LinePresent[zone] = true;
        const std::string_view tag = cursor_.Chars(4);
        cursor_.Chars(42);
        const std::string_view coefficient = TrimmedView(cursor_.Rest());
        r_.Optimized[zone] = tag == output_layout::kOptimizedTag;
        s_.FitNA[zone] = !r_.Optimized[zone] && StartsWith(coefficient, kNotAvailable);
        if (!s_.FitNA[zone]) r_.CoefDet[zone] = PointStringToFloat(coefficient);
        cursor_.EndLine();
    }

    void DataLines(int layers) {
        const std::vector<Series*> series = DataLineSeries(s_, layers);
        SizeResultSeries(s_, d_.NrTst);

        while (cursor_.Chars(4) != output_layout::kHeaderEndMark) {
            if (cursor_.PastEnd())
                throw HalosoilError("The output file has no column heading; it may be damaged.");
            cursor_.EndLine();
        }
        cursor_.EndLine();

        const int* chunks = output_layout::ChunksOf(layers);
        for (int i = 1; i <= d_.NrTst; ++i) {
            if (cursor_.PastEnd())
                throw HalosoilError("The output file ends before time step " + std::to_string(i) +
                                    "; it may be damaged.");
            cursor_.Chars(static_cast<std::size_t>(chunks[0]));
            for (std::size_t k = 0; k < series.size(); ++k)
                (*series[k])[i] =
                    PointStringToFloat(cursor_.Chars(static_cast<std::size_t>(chunks[k + 1])));
            cursor_.EndLine();
        }
    }

    LineCursor cursor_;
    InputData& d_;
    RunState& s_;
    OutputReadBack& r_;
};

}  // namespace

// No blank between the name and "could": the users' habits know the message so.
std::string CouldNotOpenMessage(const std::string& fileName) {
    return "The file " + fileName +
           "could not be opened. It may be damaged or in use by another "
           "program.";
}

void ReadOutputText(std::string_view text, InputData& data, RunState& state,
                    OutputReadBack& readBack) {
    OutputReader(text, data, state, readBack).Read();
}

void ReadOutputFile(std::istream& in, InputData& data, RunState& state, OutputReadBack& readBack) {
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ReadOutputText(text, data, state, readBack);
}

void ReadOutputHeader(std::istream& in, InputData& data, OutputReadBack& readBack) {
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    RunState unused;
    OutputReader(text, data, unused, readBack).Header();
}

void ReadOutputFile(const std::string& outputFileName, InputData& data, RunState& state,
                    OutputReadBack& readBack) {
    std::string text;
    try {
        // A folder, too, is no file to read.
        text = FileContents(outputFileName);
    } catch (const FileError&) {
        throw FileError(CouldNotOpenMessage(outputFileName));
    }
    ReadOutputText(text, data, state, readBack);
}

}  // namespace halosoil
