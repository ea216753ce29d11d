#include "InputForView.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <istream>
#include <iterator>
#include <string_view>
#include <vector>

#include "Errors.h"
#include "FileContents.h"
#include "InputFileLayout.h"
#include "LineCursor.h"
#include "OutputFile.h"
#include "StringToFloat.h"
#include "TextFields.h"

namespace halosoil {

namespace {

namespace layout = input_layout;
namespace view = input_layout::view;

std::size_t Width(layout::Columns columns) {
    return static_cast<std::size_t>(columns.to - columns.from + 1);
}

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
    const std::string_view chunk = cursor.Chars(n);
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
    std::string chunk(cursor.Chars(n));
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
    const std::string_view rest = cursor.Rest();
    std::size_t i = rest.find_first_not_of(' ');
    if (i == std::string_view::npos) i = rest.size();
    const std::size_t start = i;
    if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) ++i;
    const std::size_t digitsStart = i;
    while (i < rest.size() && std::isdigit(static_cast<unsigned char>(rest[i]))) ++i;
    if (i == digitsStart || i - digitsStart > 9)
        throw HalosoilError("Invalid numeric input (line " + std::to_string(cursor.LineNumber()) +
                            ")");
    return std::stoi(std::string(rest.substr(start, i - start)));
}

void ReadTitles(LineCursor& cursor, InputData& data) {
    cursor.Chars(layout::kGeneralValueColumn);
    data.Title1 = cursor.Rest();
    cursor.EndLine();
    cursor.Chars(layout::kGeneralValueColumn);
    data.Title2 = cursor.Rest();
    cursor.EndLine();
}

void ReadLayerCount(LineCursor& cursor, InputData& data) {
    const int lineNumber = cursor.LineNumber();
    cursor.Chars(layout::kGeneralValueColumn);
    data.NrLayers = ReadWholeNumber(cursor);
    cursor.EndLine();
    if (data.NrLayers < 1 || data.NrLayers > 3)
        throw HalosoilError("The number of root zone layers in line " + std::to_string(lineNumber) +
                            " is " + std::to_string(data.NrLayers) + "; it must be 1, 2 or 3.");
}

// Reads the first line of block C and tells whether the file has the earlier layout.
bool IsEarlierLayout(LineCursor& cursor) {
    const std::string_view heading = cursor.Chars(view::kInitialChars);
    cursor.EndLine();
    return heading == view::kEarlierInitial;
}

void SkipToHydrologicalRows(LineCursor& cursor, int layers, bool earlier) {
    if (earlier) {
        cursor.SkipLines(view::kEarlierSkipToHydrology);
        return;
    }
    // The last of the skipped lines decides how many follow: skip all but that one, look at
    // it, then skip it too.
    cursor.SkipLines(view::SkipToHydrology(layers) - 1);
    const bool moistureLine = cursor.Line().starts_with(view::kMoistMark);
    cursor.EndLine();
    cursor.SkipLines(moistureLine ? view::kSkipAfterMoistureLine : view::kSkipWithoutMoistureLine);
}

void ReadHydrologicalRows(LineCursor& cursor, InputData& data) {
    for (int i = 1; i <= data.NrTst; ++i) {
        cursor.Chars(static_cast<std::size_t>(view::kHydrColumns[0].from - 1));
        data.Rain[i] = ReadNumber(cursor, Width(view::kHydrColumns[0]));
        data.Irrig[i] = ReadNumber(cursor, Width(view::kHydrColumns[1]));
        data.Evap[i] = ReadNumber(cursor, Width(view::kHydrColumns[2]));
        cursor.EndLine();
    }
}

void ReadMeasuredRows(LineCursor& cursor, InputData& data, int layers) {
    for (int zone = Layer1; zone <= Aquif; ++zone) SizeSeries(data.MeasSalt[zone], data.NrTst);
    const std::vector<int> zones = ZonesOf(layers);
    const layout::Columns* columns = layout::MeasColumns(layers);
    for (int i = 1; i <= data.NrTst; ++i) {
        cursor.Chars(static_cast<std::size_t>(columns[0].from - 1));
        for (std::size_t k = 0; k < zones.size(); ++k)
            data.MeasSalt[zones[k]][i] = ReadMeasured(cursor, Width(columns[k]));
        cursor.EndLine();
    }
}

}  // namespace

void ReadInputTextForView(std::string_view text, InputData& data, RunState* state) {
    SizeSeries(data.Rain, data.NrTst);
    SizeSeries(data.Irrig, data.NrTst);
    SizeSeries(data.IrrigSpread, data.NrTst);
    SizeSeries(data.Evap, data.NrTst);
    if (state) {
        SizeSeries(state->SoilMoist, data.NrTst);
        SizeSeries(state->MoistChange, data.NrTst);
    }

    LineCursor cursor(text);
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
    cursor.SkipLines(earlier ? view::EarlierSkipToMeasured(layers) : view::SkipToMeasured(layers));
    ReadMeasuredRows(cursor, data, layers);
}

void ReadInputForView(std::istream& in, InputData& data, RunState* state) {
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ReadInputTextForView(text, data, state);
}

void ReadInputForView(const std::string& fileName, InputData& data, RunState* state) {
    std::string text;
    try {
        // A folder, too, is no file to read.
        text = FileContents(fileName);
    } catch (const FileError&) {
        throw HalosoilError(CouldNotOpenMessage(fileName));
    }
    try {
        ReadInputTextForView(text, data, state);
    } catch (const HalosoilError& error) {
        throw HalosoilError("In the file " + fileName + ": " + error.what());
    }
}

}  // namespace halosoil
