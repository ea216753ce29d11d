#include "CsvText.h"

#include <cerrno>
#include <cstdio>

#include "Errors.h"

namespace halosoil::weather {

void RefuseAt(const std::string& fileName, int line, int column, const std::string& what) {
    std::string where = fileName + ", line " + std::to_string(line);
    if (column > 0) where += ", column " + std::to_string(column);
    throw HalosoilError(where + ": " + what);
}

std::string TrimmedCell(std::string_view cell) {
    const auto first = cell.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = cell.find_last_not_of(" \t");
    std::string text(cell.substr(first, last - first + 1));
    // A spreadsheet may quote any cell.
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

void SplitCells(std::string_view line, std::vector<std::string>& cells) {
    cells.clear();
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = line.find(',', from);
        cells.push_back(TrimmedCell(line.substr(from, comma - from)));
        if (comma == std::string_view::npos) break;
        from = comma + 1;
    }
}

CsvLines::CsvLines(std::istream& in, std::string fileName)
    : in_(in), fileName_(std::move(fileName)) {
    if (!std::getline(in_, header_)) throw HalosoilError(fileName_ + ": the file is empty");
    // A spreadsheet that saves "CSV UTF-8" starts the file with a byte-order mark.
    if (header_.rfind("\xEF\xBB\xBF", 0) == 0) header_.erase(0, 3);
    if (!header_.empty() && header_.back() == '\r') header_.pop_back();
}

bool CsvLines::Next(std::string& line) {
    while (std::getline(in_, line)) {
        ++number_;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") != std::string::npos) return true;
    }
    if (in_.bad()) throw FileError(fileName_ + ": " + FileErrorText(EIO));
    return false;
}

std::string NumberText(double value, const char* format) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::ifstream OpenWeatherFile(const std::string& path) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        FileError error(path + ": " + FileErrorText(errno ? errno : ENOENT));
        error.SetFile(path);
        throw error;
    }
    return in;
}

}  // namespace halosoil::weather
