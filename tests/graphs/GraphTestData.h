// A project record, run state and read-back efficiencies sized for a graph test, and finders
// over what a recording canvas holds.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "DrawGraph.h"
#include "GraphColors.h"
#include "InputData.h"
#include "OutputFile.h"
#include "QuantityCatalogue.h"
#include "RecordingCanvas.h"
#include "RunState.h"

namespace halosoil::test {

struct GraphData {
    InputData data;
    RunState state;
    OutputReadBack readBack;

    GraphData(int nrTst, int layers) {
        data.Title1 = "First title";
        data.Title2 = "Second title";
        data.NrTst = nrTst;
        data.NrLayers = layers;
        data.SetLayerFlags(layers);
        for (Series* s : {&data.Rain, &data.Irrig, &data.Evap}) SizeSeries(*s, nrTst);
        for (int z = 1; z <= kZoneCount; ++z) {
            data.MeasSalt[z].assign(static_cast<std::size_t>(nrTst) + 1, kMissing);
        }
        SizeResultSeries(state, nrTst);
    }

    GraphSource Source() const { return GraphSource{data, state, readBack}; }
};

// What a drawing left on the recording canvas, and the axes it used.
struct Drawn {
    RecordingCanvas canvas;
    AxisState axis;
};

inline Drawn Draw(GraphType type, const GraphData& g) {
    Drawn drawn;
    drawn.axis = DrawGraph(drawn.canvas, type, g.Source());
    return drawn;
}

// Series from values of steps 1, 2, ...; element 0 is set to a value no graph may use.
inline Series Steps(std::initializer_list<double> values) {
    Series s{-999.0};
    s.insert(s.end(), values);
    return s;
}

inline const RecordingCanvas::Text* FindText(const RecordingCanvas& canvas,
                                             const std::string& text) {
    for (const auto& t : canvas.texts)
        if (t.text == text) return &t;
    return nullptr;
}

inline std::vector<RecordingCanvas::Line> LinesOf(const RecordingCanvas& canvas, Color color) {
    std::vector<RecordingCanvas::Line> found;
    for (const auto& l : canvas.lines)
        if (l.color == color) found.push_back(l);
    return found;
}

inline bool HasLine(const RecordingCanvas& canvas, int x1, int y1, int x2, int y2, Color color) {
    return std::any_of(canvas.lines.begin(), canvas.lines.end(), [&](const auto& l) {
        return l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2 && l.color == color &&
               l.width == 1;
    });
}

// The lines drawn before the axes, which every graph draws last starting with the vertical
// axis line from (70, 350) to (70, 50).
inline std::vector<RecordingCanvas::Line> DataLines(const RecordingCanvas& canvas) {
    int axesStart = -1;
    for (const auto& l : canvas.lines)
        if (l.x1 == 70 && l.y1 == 350 && l.x2 == 70 && l.y2 == 50) axesStart = l.seq;
    std::vector<RecordingCanvas::Line> found;
    for (const auto& l : canvas.lines)
        if (l.seq < axesStart) found.push_back(l);
    return found;
}

inline bool HasTextContaining(const RecordingCanvas& canvas, const std::string& part) {
    return std::any_of(canvas.texts.begin(), canvas.texts.end(),
                       [&](const auto& t) { return t.text.find(part) != std::string::npos; });
}

}  // namespace halosoil::test
