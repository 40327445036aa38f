#include "results/resultsgraph.h"

#include "platform/text.h"
#include "shell/catalogue.h"

using platform::truncateToInteger;
using platform::Val;

namespace {

using Kind = GraphStep::Kind;

GraphStep picture(const char* name, int64_t x, int64_t y) {
    return {Kind::Picture, name, {}, int(x), int(y)};
}

GraphStep line(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    return {Kind::Line, {}, {}, int(x1), int(y1), int(x2), int(y2)};
}

GraphStep pen() {
    GraphStep step;
    step.kind = Kind::Pen;
    return step;
}

GraphStep text(const char* words, int x, int y) { return {Kind::Text, {}, QString::fromLatin1(words), x, y}; }

// Which dot marks the tap: the same three distances as the scoring, except
// that a note that got no tap has no dot at all.
const char* tapdot(double due, double played) {
    if (played == due) return "gdot";
    if (due < played && played < due + 6) return "bldot";
    if (due - 6 < played && played < due) return "bldot";
    return "rdot";
}

}  // namespace

std::vector<GraphStep> resultsgraph(const std::vector<GraphNote>& notes, const GraphScale& scale) {
    std::vector<GraphStep> steps;
    steps.push_back({Kind::Font, {}, QStringLiteral("cooper black"), 14});
    steps.push_back(picture("bbdot", 10, 10));
    steps.push_back(text("= as written ", 30, 15));
    steps.push_back(picture("gdot", 140, 10));
    steps.push_back(text("= spot on", 160, 15));
    steps.push_back(picture("bldot", 270, 10));
    steps.push_back(text("= almost correct", 290, 15));
    steps.push_back(picture("rdot", 420, 10));
    steps.push_back(text("= whoops!", 440, 15));

    const int64_t b = scale.beatsinbar;
    const int64_t twobars = b * scale.ts(120);  // ticks of one grid row
    if (notes.empty() || twobars <= 0) return steps;

    const int64_t rows = truncateToInteger(Val(notes.back().due)) / twobars;
    for (int64_t i = 0; i <= rows; ++i) {
        const int64_t y = 55 + 55 * i;
        steps.push_back(pen());
        steps.push_back(line(20, y, 20 + 240 * b, y));
        for (int64_t k = 0; k <= 2 * b; ++k) steps.push_back(line(20 + 120 * k, y - 10, 20 + 120 * k, y + 10));
        steps.push_back(line(20, y - 20, 20, y + 20));
        steps.push_back(line(20 + 120 * b, y - 20, 20 + 120 * b, y + 20));
    }

    const int64_t span = 120 * b;  // beat-sixtieths of one grid row
    for (const GraphNote& note : notes) {
        const double e = Val(note.due);
        const double p = double(truncateToInteger(Val(note.played)));
        const int64_t d = truncateToInteger(Val(note.display));
        const int64_t written = scale.tempoplace(truncateToInteger(e));
        const int64_t shown = scale.tempoplace(d);
        const int64_t row = written / span;
        if (!note.played.isEmpty()) steps.push_back(picture(tapdot(e, p), 2 * (shown % span) + 15, 55 * row + 55));
        steps.push_back(picture("bbdot", 2 * (written % span) + 15, 55 * row + 45));
    }
    return steps;
}

void drawgraph(platform::Graphics& g, const std::vector<GraphStep>& steps) {
    for (const GraphStep& step : steps) {
        switch (step.kind) {
        case Kind::Font:
            g.TextSize = step.x1;
            g.TextFont = step.text;
            break;
        case Kind::Pen:
            g.ForeColor = QColor(0, 0, 0);
            break;
        case Kind::Picture:
            g.DrawPicture(catalogue::picture(step.picture), step.x1, step.y1);
            break;
        case Kind::Text:
            g.DrawString(step.text, step.x1, step.y1);
            break;
        case Kind::Line:
            g.DrawLine(step.x1, step.y1, step.x2, step.y2);
            break;
        }
    }
}
