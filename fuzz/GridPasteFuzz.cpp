// Cutting a pasted block into grid cells, on any text: every cell lies at or after the start
// cell, each is reached once, holds only digits, commas, minus signs and points, and the
// line count is the number of carriage returns that end a line.
#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "FuzzCheck.h"
#include "PastedBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace halosoil;
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    const PastedBlock block = CutPastedText(text);
    int lineEnds = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\r') {
            ++lineEnds;
            ++i;
        }
    fuzz::Require(block.lines == lineEnds, "one line per carriage return");
    std::set<std::pair<int, int>> reached;
    std::size_t kept = 0;
    for (const PastedCell& cell : block.cells) {
        fuzz::Require(cell.col >= 0 && cell.row >= 0 && cell.row <= block.lines,
                      "cells at or after the start cell");
        fuzz::Require(reached.insert({cell.col, cell.row}).second, "each cell reached once");
        for (char c : cell.text)
            fuzz::Require((c >= '0' && c <= '9') || c == ',' || c == '-' || c == '.',
                          "only number characters reach a cell");
        kept += cell.text.size();
    }
    std::size_t keepable = 0;
    for (char c : text)
        if ((c >= '0' && c <= '9') || c == ',' || c == '-' || c == '.') ++keepable;
    fuzz::Require(kept <= keepable, "no character is made up");
    return 0;
}
