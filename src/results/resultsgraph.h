#pragma once
// The results graph as a list of drawing steps: the legend, two bars to a
// grid row, and for every note its written dot with the player's tap beside
// it. Worked out from plain data, so its geometry can be checked step by step;
// the results window replays the steps onto its canvas.

#include "platform/graphics.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct GraphStep {
    enum class Kind { Font, Pen, Picture, Text, Line };
    Kind kind = Kind::Pen;
    std::string picture;  // Picture: the catalogue name
    QString text;         // Text: what is drawn; Font: the font's name
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Line: both ends; Picture, Text: (x1, y1); Font: size in x1
    bool operator==(const GraphStep&) const = default;
};

// One note as the graph reads it: due tick, played tick ("" for none) and
// display tick, as the note table holds them.
struct GraphNote {
    QString due;
    QString played;
    QString display;
};

struct GraphScale {
    int64_t beatsinbar = 4;
    std::function<int64_t(int64_t)> ts;          // beat-sixtieths to ticks at the test's tempo
    std::function<int64_t(int64_t)> tempoplace;  // ticks to beat-sixtieths at the test's tempo
};

// With no notes, or no test tempo yet, the graph is the legend alone.
std::vector<GraphStep> resultsgraph(const std::vector<GraphNote>& notes, const GraphScale& scale);

void drawgraph(platform::Graphics& g, const std::vector<GraphStep>& steps);
