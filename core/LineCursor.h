// The one way the program's text files are taken apart: line by line, each line cut into
// chunks of so many characters. "Read n characters" takes up to n characters of the current
// line, fewer when it ends first, never passing to the next line; "end the line" moves to the
// start of the next one. Lines end at CR LF, LF or CR alike. Past the end of the file every
// line is empty; the readers decide whether that is a damage.
#pragma once

#include <algorithm>
#include <cstddef>
#include <istream>
#include <string>

#include "TextFields.h"

namespace halosoil {

class LineCursor {
public:
    explicit LineCursor(std::istream& in) : in_(in) { Load(); }

    // The current line as it stands, whatever has been read of it.
    const std::string& Line() const { return line_; }
    // The number of the current line, counted from 1.
    int LineNumber() const { return lineNumber_; }
    bool PastEnd() const { return pastEnd_; }

    // The 1-based column where the next chunk begins, counting the characters asked for, so
    // that a place in a short line is named as the layout has it.
    int Column() const { return static_cast<int>(nominal_) + 1; }

    std::string Chars(std::size_t n) {
        nominal_ += n;
        const std::size_t first = position_;
        position_ = std::min(line_.size(), position_ + std::min(n, line_.size()));
        return line_.substr(first, position_ - first);
    }
    std::string Rest() { return Chars(line_.size()); }

    // Skips blanks and line ends and takes the characters up to the next blank; empty past
    // the end of the file.
    std::string Token() {
        while (!pastEnd_) {
            while (position_ < line_.size() && IsBlank(line_[position_])) ++position_;
            if (position_ < line_.size()) break;
            EndLine();
        }
        const std::size_t start = position_;
        while (position_ < line_.size() && !IsBlank(line_[position_])) ++position_;
        nominal_ = position_;
        return line_.substr(start, position_ - start);
    }

    void EndLine() { Load(); }
    void SkipLines(int count) {
        for (int k = 0; k < count; ++k) EndLine();
    }

private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

    void Load() {
        ++lineNumber_;
        position_ = 0;
        nominal_ = 0;
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

}  // namespace halosoil
