// The results graph's geometry, as drawing steps and as the canvas's pixels.

#include "results/resultsgraph.h"
#include "results/resultswin.h"
#include "shell/catalogue.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "support/appfixture.h"

#include <algorithm>

// Readable failures: a step as the call it stands for.
void PrintTo(const GraphStep& step, std::ostream* out) {
    *out << "step(" << int(step.kind) << " " << step.picture << " '" << step.text.toStdString() << "' " << step.x1 << ","
         << step.y1 << " " << step.x2 << "," << step.y2 << ")";
}

namespace {

using Kind = GraphStep::Kind;

class ResultsGraph : public AppFixture {
protected:
    std::vector<GraphStep> graph(const std::vector<GraphNote>& notes, int64_t beats, int64_t tempo) {
        Window1& w = openWindow();
        Module1.lasttesttickspeed = tempo;
        const GraphScale scale{beats, [&w](int64_t a) { return w.ts(a); }, [&w](int64_t t) { return w.tempoplace(t); }};
        return resultsgraph(notes, scale);
    }
    static std::vector<GraphStep> only(const std::vector<GraphStep>& steps, Kind kind, size_t from = 9) {
        std::vector<GraphStep> picked;
        for (size_t i = from; i < steps.size(); ++i)
            if (steps[i].kind == kind) picked.push_back(steps[i]);
        return picked;
    }
    static GraphStep dot(const char* name, int x, int y) { return {Kind::Picture, name, {}, x, y}; }
    static GraphStep line(int x1, int y1, int x2, int y2) { return {Kind::Line, {}, {}, x1, y1, x2, y2}; }
};

const std::vector<GraphStep> legend = {
    {Kind::Font, {}, "cooper black", 14},   {Kind::Picture, "bbdot", {}, 10, 10}, {Kind::Text, {}, "= as written ", 30, 15},
    {Kind::Picture, "gdot", {}, 140, 10},   {Kind::Text, {}, "= spot on", 160, 15}, {Kind::Picture, "bldot", {}, 270, 10},
    {Kind::Text, {}, "= almost correct", 290, 15}, {Kind::Picture, "rdot", {}, 420, 10}, {Kind::Text, {}, "= whoops!", 440, 15},
};

}  // namespace

TEST_F(ResultsGraph, LegendAloneWithNoNotesOrNoTestTempo) {
    EXPECT_EQ(graph({}, 4, 60), legend);
    EXPECT_EQ(graph({{"0", "0", "0"}}, 4, 0), legend);  // STOP in the first start delay
}

TEST_F(ResultsGraph, GridRowsOfTwoBars) {
    const struct { int64_t lastdue; std::vector<int> baselines; } cases[] = {
        {0, {55}}, {479, {55}}, {840, {55, 110}}, {960, {55, 110, 165}},
    };
    for (const auto& c : cases) {
        std::vector<int> baselines;
        for (const GraphStep& step : only(graph({{"0", "0", "0"}, {QString::number(c.lastdue), "", ""}}, 4, 60), Kind::Line))
            if (step.x1 == 20 && step.x2 == 980) baselines.push_back(step.y1);
        EXPECT_EQ(baselines, c.baselines) << c.lastdue;
    }
}

TEST_F(ResultsGraph, ARowOfThreeBeats) {
    const std::vector<GraphStep> lines = only(graph({{"0", "", ""}}, 3, 60), Kind::Line);
    const std::vector<GraphStep> expected = {
        line(20, 55, 740, 55),
        line(20, 45, 20, 65),   line(140, 45, 140, 65), line(260, 45, 260, 65), line(380, 45, 380, 65),
        line(500, 45, 500, 65), line(620, 45, 620, 65), line(740, 45, 740, 65),
        line(20, 35, 20, 75),   line(380, 35, 380, 75),
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(only(graph({{"0", "", ""}}, 3, 60), Kind::Pen).size(), 1u);  // black before each row
}

TEST_F(ResultsGraph, DotsByDistanceAndPlace) {
    const struct { const char* name; GraphNote note; std::vector<GraphStep> dots; } cases[] = {
        {"perfect: 10 pixels under its written dot", {"60", "60", "60"}, {dot("gdot", 135, 55), dot("bbdot", 135, 45)}},
        {"5 late", {"60", "65", "65"}, {dot("bldot", 145, 55), dot("bbdot", 135, 45)}},
        {"5 early", {"60", "55", "55"}, {dot("bldot", 125, 55), dot("bbdot", 135, 45)}},
        {"6 late", {"60", "66", "66"}, {dot("rdot", 147, 55), dot("bbdot", 135, 45)}},
        {"6 early", {"60", "54", "54"}, {dot("rdot", 123, 55), dot("bbdot", 135, 45)}},
        {"not played, due at tick 0", {"0", "", ""}, {dot("bbdot", 15, 45)}},
        {"3 early before bar 1: left of the row's start", {"0", "-3", "-3"}, {dot("bldot", 9, 55), dot("bbdot", 15, 45)}},
        {"past its row's end: drawn at that row's start", {"479", "495", "495"}, {dot("rdot", 45, 55), dot("bbdot", 973, 45)}},
        {"second row", {"540", "540", "540"}, {dot("gdot", 135, 110), dot("bbdot", 135, 100)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(only(graph({c.note}, 4, 60), Kind::Picture), c.dots);
    }
}

TEST_F(ResultsGraph, TheWindowShowsTheGraphOnItsCanvas) {
    Window1& w = openWindow();
    Module1.lasttesttickspeed = 60;
    w.lasttestbeatsinbar = 2;
    w.lasttestbars = 4;
    w.beatsinbar = 5;  // changed since the test: the graph keeps the test's shape
    w.notelist->AddRow(QStringLiteral("0"));
    w.notelist->setCell(0, 1, QStringLiteral("0"));
    w.notelist->setCell(0, 2, QStringLiteral("0"));
    w.BevelButton3_Action();
    resultswin& results = resultswin::instance();
    EXPECT_EQ(results.Width(), 530);
    EXPECT_EQ(results.Height(), 220);
    const QImage& canvas = results.Canvas1->backing();
    // Locked to every side of the window, as laid out (151 pixels past its bottom).
    EXPECT_EQ(canvas.width(), 530);
    EXPECT_EQ(canvas.height(), 220 - 45 + 151);
    // The lines are black on the pixels they name, one pixel wide, with
    // nothing blended into the pixels beside them.
    auto black = [&canvas](int x, int y) { return canvas.pixel(x, y) == qRgb(0, 0, 0); };
    auto blank = [&canvas](int x, int y) { return qAlpha(canvas.pixel(x, y)) == 0 || canvas.pixel(x, y) == qRgb(255, 255, 255); };
    // the row's line, right of the perfect tap's dot (x 15 to 25)
    for (int x = 26; x <= 500; ++x) EXPECT_TRUE(black(x, 55)) << x;
    for (int x : {70, 200, 300, 430}) {
        EXPECT_TRUE(blank(x, 54)) << x;
        EXPECT_TRUE(blank(x, 56)) << x;
    }
    for (int y = 35; y <= 75; ++y) EXPECT_TRUE(black(260, y)) << y;  // the second bar line
    for (int y = 45; y <= 65; ++y) EXPECT_TRUE(black(500, y)) << y;  // the beat mark at the row's right end
    for (int y : {40, 70}) {
        EXPECT_TRUE(blank(259, y)) << y;
        EXPECT_TRUE(blank(261, y)) << y;
    }
    EXPECT_TRUE(blank(260, 34));
    EXPECT_TRUE(blank(500, 66));
    EXPECT_TRUE(blank(300, 80));  // nothing under the row
    // The perfect tap's dot is the picture's own pixels at (15, 55).
    const QImage* gdot = catalogue::picture("gdot")->image();
    ASSERT_NE(gdot, nullptr);
    const QPoint middle(gdot->width() / 2, gdot->height() / 2);
    EXPECT_EQ(canvas.pixel(QPoint(15, 55) + middle), gdot->pixel(middle));
    const QImage* bbdot = catalogue::picture("bbdot")->image();
    ASSERT_NE(bbdot, nullptr);
    EXPECT_EQ(canvas.pixel(QPoint(15, 45) + QPoint(bbdot->width() / 2, bbdot->height() / 4)),
              bbdot->pixel(bbdot->width() / 2, bbdot->height() / 4));
}
