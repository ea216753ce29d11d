#include "InputForView.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <istream>
#include <system_error>
#include <vector>

#include "Errors.h"
#include "OutputFile.h"
#include "StringToFloat.h"
#include "TextFields.h"

namespace halosoil {

namespace {

// The first line of block C in the layout of earlier versions; read as 20 characters, the
// current heading "    Initial data soil and water" never equals it.
constexpr const char* kEarlierInitialHeading = "    Initial data";
// The moisture line of the current block C; when the last skipped line starts with it, the
// block has its moisture line and one more line lies before the hydrological rows.
constexpr const char* kInitialSoilMark = " Initial s";

// Lines between the first line of block C and the first hydrological row, before the
// moisture check, for 1, 2 and 3 layers (index 0 unused).
constexpr int kSkipToHydrology[4] = {0, 8, 9, 10};
constexpr int kSkipAfterMoistureLine = 8;
constexpr int kSkipWithoutMoistureLine = 7;
constexpr int kEarlierSkipToHydrology = 15;

// Lines between the last hydrological row and the first measured row.
constexpr int kSkipToMeasured[4] = {0, 15, 21, 22};
constexpr int kEarlierSkipToMeasured[4] = {0, 14, 20, 21};

// Hydrological rows: an ignored step number, then Rain, Irrig and Evap.
constexpr int kHydrStepChars = 12;
constexpr int kHydrChunkChars = 15;

// Measured rows: an ignored step number, then one chunk per zone of the layer count.
constexpr int kMeasStepChars = 10;
struct MeasuredChunk {
    int zone;
    int chars;
};
const std::vector<MeasuredChunk> kMeasuredChunks[4] = {
    {},
    {{Layer1, 12}, {Trans, 18}, {Aquif, 10}},
    {{Layer1, 8}, {Layer2, 9}, {Trans, 18}, {Aquif, 10}},
    {{Layer1, 8}, {Layer2, 8}, {Layer3, 8}, {Trans, 18}, {Aquif, 10}},
};

// A line-by-line reader that cuts the current line into chunks: "read n characters" takes
// up to n characters without passing the line end, "end the line" moves to the next line.
// Past the end of the file every line is empty.
class LineCursor {
public:
    explicit LineCursor(std::istream& in) : in_(in) { Load(); }

    std::string Read(std::size_t n) {
        nominal_ += n;
        const std::size_t first = position_;
        position_ = std::min(line_.size(), position_ + n);
        return line_.substr(first, position_ - first);
    }
    std::string Rest() { return Read(line_.size()); }

    void EndLine() { Load(); }
    void SkipLines(int count) {
        for (int k = 0; k < count; ++k) EndLine();
    }

    // The line the last EndLine or SkipLines left behind, as it was before any reading.
    const std::string& Line() const { return line_; }
    int LineNumber() const { return lineNumber_; }
    // The 1-based column where the next chunk begins, counting the characters asked for, so
    // that a place in a short line is named as the layout has it.
    int Column() const { return static_cast<int>(nominal_) + 1; }
    bool PastEnd() const { return pastEnd_; }

private:
    void Load() {
        ++lineNumber_;
        position_ = 0;
        nominal_ = 0;
        line_.clear();
        if (pastEnd_ || !ReadTextLine(in_, line_)) {
            pastEnd_ = true;
            line_.clear();
        }
    }

    std::istream& in_;
    std::string line_;
    std::size_t position_ = 0;
    std::size_t nominal_ = 0;
    int lineNumber_ = 0;
    bool pastEnd_ = false;
};

std::string Place(const LineCursor& cursor, int firstColumn, std::size_t n) {
    std::string place = "line " + std::to_string(cursor.LineNumber());
    if (cursor.PastEnd()) return place + ", after the end of the file";
    return place + ", characters " + std::to_string(firstColumn) + " to " +
           std::to_string(firstColumn + static_cast<int>(n) - 1);
}

// Reads n characters and converts them; a chunk without a number stops the reading with the
// program's conversion text and the place of the chunk.
double ReadNumber(LineCursor& cursor, std::size_t n) {
    const int firstColumn = cursor.Column();
    const std::string chunk = cursor.Read(n);
    try {
        return StringToFloat(chunk);
    } catch (const ConversionError& error) {
        throw HalosoilError(std::string(error.what()) + " (" + Place(cursor, firstColumn, n) + ")");
    }
}

// A measured chunk with its blanks removed: "-" is a missing value, anything else must be
// a number.
double ReadMeasured(LineCursor& cursor, std::size_t n) {
    const int firstColumn = cursor.Column();
    std::string chunk = cursor.Read(n);
    chunk.erase(std::remove(chunk.begin(), chunk.end(), ' '), chunk.end());
    if (chunk == "-") return kMissing;
    try {
        return StringToFloat(chunk);
    } catch (const ConversionError& error) {
        throw HalosoilError(std::string(error.what()) + " (" + Place(cursor, firstColumn, n) + ")");
    }
}

// The whole number that follows in the current line, blanks before it skipped.
int ReadWholeNumber(LineCursor& cursor) {
    const std::string rest = cursor.Rest();
    std::size_t i = rest.find_first_not_of(' ');
    if (i == std::string::npos) i = rest.size();
    const std::size_t start = i;
    if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) ++i;
    const std::size_t digitsStart = i;
    while (i < rest.size() && std::isdigit(static_cast<unsigned char>(rest[i]))) ++i;
    if (i == digitsStart || i - digitsStart > 9)
        throw HalosoilError("Invalid numeric input (line " + std::to_string(cursor.LineNumber()) +
                            ")");
    return std::stoi(rest.substr(start, i - start));
}

void ReadTitles(LineCursor& cursor, InputData& data) {
    cursor.Read(28);
    data.Title1 = cursor.Rest();
    cursor.EndLine();
    cursor.Read(28);
    data.Title2 = cursor.Rest();
    cursor.EndLine();
}

void ReadLayerCount(LineCursor& cursor, InputData& data) {
    const int lineNumber = cursor.LineNumber();
    cursor.Read(28);
    data.NrLayers = ReadWholeNumber(cursor);
    cursor.EndLine();
    if (data.NrLayers < 1 || data.NrLayers > 3)
        throw HalosoilError("The number of root zone layers in line " + std::to_string(lineNumber) +
                            " is " + std::to_string(data.NrLayers) + "; it must be 1, 2 or 3.");
}

// Reads the first line of block C and tells whether the file has the earlier layout.
bool IsEarlierLayout(LineCursor& cursor) {
    const std::string heading = cursor.Read(20);
    cursor.EndLine();
    return heading == kEarlierInitialHeading;
}

void SkipToHydrologicalRows(LineCursor& cursor, int layers, bool earlier) {
    if (earlier) {
        cursor.SkipLines(kEarlierSkipToHydrology);
        return;
    }
    // The last of the skipped lines decides how many follow: skip all but that one, look at
    // it, then skip it too.
    cursor.SkipLines(kSkipToHydrology[layers] - 1);
    const bool moistureLine = cursor.Line().rfind(kInitialSoilMark, 0) == 0;
    cursor.EndLine();
    cursor.SkipLines(moistureLine ? kSkipAfterMoistureLine : kSkipWithoutMoistureLine);
}

void ReadHydrologicalRows(LineCursor& cursor, InputData& data) {
    for (int i = 1; i <= data.NrTst; ++i) {
        cursor.Read(kHydrStepChars);
        data.Rain[i] = ReadNumber(cursor, kHydrChunkChars);
        data.Irrig[i] = ReadNumber(cursor, kHydrChunkChars);
        data.Evap[i] = ReadNumber(cursor, kHydrChunkChars);
        cursor.EndLine();
    }
}

void ReadMeasuredRows(LineCursor& cursor, InputData& data, int layers) {
    for (int zone = Layer1; zone <= Aquif; ++zone) SizeSeries(data.MeasSalt[zone], data.NrTst);
    for (int i = 1; i <= data.NrTst; ++i) {
        cursor.Read(kMeasStepChars);
        for (const MeasuredChunk& chunk : kMeasuredChunks[layers])
            data.MeasSalt[chunk.zone][i] = ReadMeasured(cursor, chunk.chars);
        cursor.EndLine();
    }
}

}  // namespace

void ReadInputForView(std::istream& in, InputData& data, RunState* state) {
    SizeSeries(data.Rain, data.NrTst);
    SizeSeries(data.Irrig, data.NrTst);
    SizeSeries(data.IrrigSpread, data.NrTst);
    SizeSeries(data.Evap, data.NrTst);
    if (state) {
        SizeSeries(state->SoilMoist, data.NrTst);
        SizeSeries(state->MoistChange, data.NrTst);
    }

    LineCursor cursor(in);
    cursor.SkipLines(2);
    ReadTitles(cursor, data);
    cursor.SkipLines(3);
    ReadLayerCount(cursor, data);
    cursor.SkipLines(5);  // block B, the drainage data
    const bool earlier = IsEarlierLayout(cursor);
    data.SetLayerFlags(data.NrLayers);
    const int layers = data.NrLayers;

    SkipToHydrologicalRows(cursor, layers, earlier);
    ReadHydrologicalRows(cursor, data);
    cursor.SkipLines(earlier ? kEarlierSkipToMeasured[layers] : kSkipToMeasured[layers]);
    ReadMeasuredRows(cursor, data, layers);
}

void ReadInputForView(const std::string& fileName, InputData& data, RunState* state) {
    std::error_code ignored;
    std::ifstream in;
    if (!std::filesystem::is_directory(fileName, ignored)) in.open(fileName, std::ios::binary);
    if (!in.is_open()) throw HalosoilError(CouldNotOpenMessage(fileName));
    try {
        ReadInputForView(in, data, state);
    } catch (const HalosoilError& error) {
        throw HalosoilError("In the file " + fileName + ": " + error.what());
    }
}

}  // namespace halosoil
