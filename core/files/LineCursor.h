// The one way the program's text files are taken apart: line by line, each line cut into
// chunks of so many characters. "Read n characters" takes up to n characters of the current
// line, fewer when it ends first, never passing to the next line; "end the line" moves to the
// start of the next one. Lines end at CR LF, LF or CR alike. Past the end of the file every
// line is empty; the readers decide whether that is a damage.
//
// The cursor walks a text held whole in memory (the file is read with one call first); lines
// and chunks are views into that text, valid while it lives.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace halosoil {

class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) { Load(); }

    // The current line as it stands, whatever has been read of it.
    std::string_view Line() const { return line_; }
    // The number of the current line, counted from 1.
    int LineNumber() const { return lineNumber_; }
    bool PastEnd() const { return pastEnd_; }

    // The 1-based column where the next chunk begins, counting the characters asked for, so
    // that a place in a short line is named as the layout has it.
    int Column() const { return static_cast<int>(nominal_) + 1; }

    std::string_view Chars(std::size_t n) {
        nominal_ += n;
        const std::size_t first = position_;
        position_ = std::min(line_.size(), position_ + std::min(n, line_.size()));
        return line_.substr(first, position_ - first);
    }
    std::string_view Rest() { return Chars(line_.size()); }

    // Skips blanks and line ends and takes the characters up to the next blank; empty past
    // the end of the file.
    std::string_view Token() {
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
        if (pastEnd_ || next_ >= text_.size()) {
            pastEnd_ = true;
            line_ = {};
            return;
        }
        const std::size_t end = LineEnd(next_);
        line_ = text_.substr(next_, end - next_);
        next_ = end;
        if (next_ < text_.size() && text_[next_] == '\r') ++next_;
        if (next_ < text_.size() && text_[next_] == '\n') ++next_;
    }

    // Where the line that starts at from ends: at its first CR or LF, or at the end of the
    // text. The next LF is remembered, so that a file of CRs alone is not searched to its end
    // for every line.
    std::size_t LineEnd(std::size_t from) {
        const char* data = text_.data();
        if (lineFeed_ == std::string_view::npos || lineFeed_ < from) {
            const void* found = std::memchr(data + from, '\n', text_.size() - from);
            lineFeed_ = found ? static_cast<std::size_t>(static_cast<const char*>(found) - data)
                              : text_.size();
        }
        const void* carriageReturn = std::memchr(data + from, '\r', lineFeed_ - from);
        return carriageReturn
                   ? static_cast<std::size_t>(static_cast<const char*>(carriageReturn) - data)
                   : lineFeed_;
    }

    std::string_view text_;
    std::size_t next_ = 0;                           // where the line after the current one begins
    std::size_t lineFeed_ = std::string_view::npos;  // the next LF, npos before the first search
    std::string_view line_;
    std::size_t position_ = 0;
    std::size_t nominal_ = 0;
    int lineNumber_ = 0;
    bool pastEnd_ = false;
};

}  // namespace halosoil
