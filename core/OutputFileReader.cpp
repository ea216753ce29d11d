// Reads an output file back into the result series: the header by characters and numbers as
// they come, the data lines by chunks of the reader's own widths.

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Errors.h"
#include "OutputFile.h"
#include "OutputFileLayout.h"
#include "StringToFloat.h"
#include "TextFields.h"

namespace halosoil {

namespace layout = output_layout;

namespace {

constexpr int kMostTimeSteps = 1000000;

// Reading by characters within a line, by numbers across lines, and by whole lines.
class Cursor {
public:
    explicit Cursor(std::istream& in) {
        std::string line;
        while (ReadTextLine(in, line)) lines_.push_back(line);
    }

    bool AtEnd() const { return line_ >= lines_.size(); }
    // The number of the current line, counted from 1.
    int LineNumber() const { return static_cast<int>(line_) + 1; }

    const std::string& Line() const {
        static const std::string empty;
        return AtEnd() ? empty : lines_[line_];
    }

    // Up to n characters of the current line, fewer when it ends first.
    std::string Chars(std::size_t n) {
        const std::string& line = Line();
        if (column_ >= line.size()) return {};
        std::string taken = line.substr(column_, n);
        column_ += taken.size();
        return taken;
    }

    // The rest of the current line.
    std::string Rest() { return Chars(std::string::npos); }

    // Skips blanks and line ends and takes the characters up to the next blank.
    std::string Token() {
        while (!AtEnd()) {
            const std::string& line = Line();
            while (column_ < line.size() && (line[column_] == ' ' || line[column_] == '\t'))
                ++column_;
            if (column_ < line.size()) break;
            EndLine();
        }
        if (AtEnd()) throw HalosoilError("The output file ends too early; it may be damaged.");
        const std::string& line = Line();
        const std::size_t start = column_;
        while (column_ < line.size() && line[column_] != ' ' && line[column_] != '\t') ++column_;
        return line.substr(start, column_ - start);
    }

    double Real() { return PointStringToFloat(Token()); }

    int Integer() {
        int value = 0;
        if (!TryStringToInt(Token(), value)) throw HalosoilError("Invalid numeric input");
        return value;
    }

    void EndLine() {
        ++line_;
        column_ = 0;
    }

    void SkipLines(int count) {
        for (int k = 0; k < count; ++k) EndLine();
    }

private:
    std::vector<std::string> lines_;
    std::size_t line_ = 0;
    std::size_t column_ = 0;
};

// What an efficiency line without a coefficient ends with.
constexpr const char* kNotAvailable = "n.a";

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

class OutputReader {
public:
    OutputReader(std::istream& in, InputData& data, RunState& state, OutputReadBack& readBack)
        : cursor_(in), d_(data), s_(state), r_(readBack) {}

    void Read() {
        try {
            ReadAll();
        } catch (HalosoilError& error) {
            if (error.Line() == 0) error.SetLine(cursor_.LineNumber());
            throw;
        }
    }

private:
    void ReadAll() {
        cursor_.SkipLines(5);
        const int layers = cursor_.Integer();
        const int nrTst = cursor_.Integer();
        if (layers < 1 || layers > 3 || nrTst < 0 || nrTst > kMostTimeSteps)
            throw HalosoilError("Invalid numeric input");
        d_.NrLayers = layers;
        d_.NrTst = nrTst;
        cursor_.EndLine();
        FirstEfficiencyLine();
        if (layers > 1) EfficiencyLine(Layer2);
        if (layers > 2) EfficiencyLine(Layer3);
        OptionalEfficiencyLine(Trans);
        OptionalEfficiencyLine(Aquif);
        DataLines(layers);
    }

    void FirstEfficiencyLine() {
        if (cursor_.Chars(10) == layout::kDrainageMark) {
            cursor_.Chars(22);
            d_.QH1 = cursor_.Real();
            cursor_.EndLine();
            cursor_.Chars(layout::kLabelLength);
        } else {
            cursor_.Chars(22);
        }
        FinishEfficiencyLine(Layer1);
    }

    void EfficiencyLine(int zone) {
        cursor_.Chars(layout::kLabelLength);
        FinishEfficiencyLine(zone);
    }

    // The transition zone's and the aquifer's lines are written only for an efficiency above
    // 0; a line that belongs to a later zone, or the units line, means this one was left out.
    void OptionalEfficiencyLine(int zone) {
        const std::string& line = cursor_.Line();
        const bool later = StartsWith(line, layout::kUnits) ||
                           (zone == Trans && StartsWith(line, layout::kEfficiencyLabels[Aquif]));
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
        r_.LeachEff[zone] = cursor_.Real();
        r_.LinePresent[zone] = true;
        const std::string tag = cursor_.Chars(4);
        cursor_.Chars(42);
        const std::string coefficient = Trimmed(cursor_.Rest());
        r_.Optimized[zone] = tag == layout::kOptimizedTag;
        if (r_.Optimized[zone] || !StartsWith(coefficient, kNotAvailable))
            r_.CoefDet[zone] = PointStringToFloat(coefficient);
        cursor_.EndLine();
    }

    void DataLines(int layers) {
        std::vector<Series*> series = {&s_.Percol, &s_.CapRise, &s_.ActEvap,
                                       &s_.Drain,  &s_.DepthWT, &s_.SalRoot1};
        if (layers >= 2) series.push_back(&s_.SalRoot2);
        if (layers >= 3) series.push_back(&s_.SalRoot3);
        series.push_back(&s_.SalTrans);
        series.push_back(&s_.SalAquif);
        for (Series* values :
             {&s_.Percol, &s_.CapRise, &s_.ActEvap, &s_.Drain, &s_.DepthWT, &s_.SalRoot1,
              &s_.SalRoot2, &s_.SalRoot3, &s_.SalTrans, &s_.SalAquif})
            SizeSeries(*values, d_.NrTst);

        while (cursor_.Chars(4) != layout::kHeaderEndMark) {
            if (cursor_.AtEnd())
                throw HalosoilError("The output file has no column heading; it may be damaged.");
            cursor_.EndLine();
        }
        cursor_.EndLine();

        const int* chunks = layers == 1   ? layout::kChunks1
                            : layers == 2 ? layout::kChunks2
                                          : layout::kChunks3;
        for (int i = 1; i <= d_.NrTst; ++i) {
            if (cursor_.AtEnd())
                throw HalosoilError("The output file ends before time step " + std::to_string(i) +
                                    "; it may be damaged.");
            cursor_.Chars(static_cast<std::size_t>(chunks[0]));
            for (std::size_t k = 0; k < series.size(); ++k)
                (*series[k])[i] =
                    PointStringToFloat(cursor_.Chars(static_cast<std::size_t>(chunks[k + 1])));
            cursor_.EndLine();
        }
    }

    Cursor cursor_;
    InputData& d_;
    RunState& s_;
    OutputReadBack& r_;
};

}  // namespace

std::string CouldNotOpenMessage(const std::string& fileName) {
    return "The file " + fileName +
           "could not be opened. It may be damaged or in use by another "
           "program.";
}

void ReadOutputFile(std::istream& in, InputData& data, RunState& state, OutputReadBack& readBack) {
    OutputReader(in, data, state, readBack).Read();
}

void ReadOutputFile(const std::string& outputFileName, InputData& data, RunState& state,
                    OutputReadBack& readBack) {
    // A folder opens as an empty stream on some systems; it is no file to read.
    std::error_code ignored;
    std::ifstream in;
    if (!std::filesystem::is_directory(outputFileName, ignored))
        in.open(outputFileName, std::ios::binary);
    if (!in.is_open()) throw FileError(CouldNotOpenMessage(outputFileName));
    ReadOutputFile(in, data, state, readBack);
}

}  // namespace halosoil
