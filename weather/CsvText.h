// What the weather readers (station, Kc and delta files) share: CSV lines as a spreadsheet
// saves them (a byte-order mark, CR LF line ends, quoted cells), damage named by file, line
// and column, and the opening of a file with the platform's words for a failure.
#pragma once

#include <fstream>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace halosoil::weather {

// "station.csv, line 4, column 2: <what>"; column 0 names the line only.
[[noreturn]] void RefuseAt(const std::string& fileName, int line, int column,
                           const std::string& what);

// The cell without the spaces around it and a spreadsheet's quotes.
std::string TrimmedCell(std::string_view cell);
// The cells of a line between its commas, trimmed; an empty last cell counts.
void SplitCells(std::string_view line, std::vector<std::string>& cells);

// The lines of a CSV stream, counted from 1, without their CR and the first one's byte-order
// mark. The header is refused when missing ("file: the file is empty").
class CsvLines {
public:
    CsvLines(std::istream& in, std::string fileName);
    const std::string& Header() const { return header_; }
    // The next line that is not blank; false at the end (a failed read is a FileError).
    bool Next(std::string& line);
    int Number() const { return number_; }

private:
    std::istream& in_;
    std::string fileName_;
    std::string header_;
    int number_ = 1;
};

// A number as the readers' messages give it: "%g", or the format given ("%.1f").
std::string NumberText(double value, const char* format = "%g");

// The file opened to read; a FileError naming the path and the platform's reason otherwise.
std::ifstream OpenWeatherFile(const std::string& path);

}  // namespace halosoil::weather
