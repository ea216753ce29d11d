#include "PastedBlock.h"

namespace halosoil {

namespace {

bool IsKept(char ch) {
    return (ch >= '0' && ch <= '9') || ch == ',' || ch == '-' || ch == '.';
}

}  // namespace

PastedBlock CutPastedText(const std::string& text) {
    PastedBlock block;
    block.cells.push_back({0, 0, {}});
    int col = 0;
    int row = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char ch = text[i];
        if (ch == '\t') {
            ++col;
            // A tab that ends the block reaches no cell.
            if (i + 1 < n) block.cells.push_back({col, row, {}});
        } else if (ch == '\r') {
            ++block.lines;
            ++row;
            col = 0;
            ++i;  // the line feed that normally follows
            if (i + 1 < n) block.cells.push_back({col, row, {}});
        } else if (IsKept(ch)) {
            block.cells.back().text += ch;
        }
    }
    return block;
}

}  // namespace halosoil
