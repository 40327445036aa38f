#include "results/resultswin.h"

#include "platform/dispatch.h"
#include "results/resultsgraph.h"
#include "shell/catalogue.h"
#include "shell/window1.h"

#include <QCloseEvent>

namespace {

resultswin* openwindow = nullptr;

constexpr int layoutwidth = 652;
constexpr int layoutheight = 478;
// The canvas is locked to all four sides: it keeps its distances from the
// window's edges, reaching 151 pixels below the bottom as laid out.
constexpr int canvastop = 45;
constexpr int canvasbelowbottom = 584 + canvastop - layoutheight;

}  // namespace

resultswin& resultswin::instance() {
    if (!openwindow) {
        // Owned by the main window's frame: it goes when the main window goes.
        openwindow = new resultswin(&Window1::instance().frame());
        openwindow->show();
    }
    return *openwindow;
}

resultswin* resultswin::ifopen() { return openwindow; }

resultswin::resultswin(QWidget* owner) : QWidget(owner, Qt::Window) {
    Layout();
    CreateControls();
}

resultswin::~resultswin() {
    if (openwindow == this) openwindow = nullptr;
}

void resultswin::Layout() {
    setObjectName(QStringLiteral("resultswin"));
    setWindowTitle(QStringLiteral("Results"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(layoutwidth, layoutheight);
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, Qt::white);
    setPalette(look);
}

void resultswin::CreateControls() {
    Canvas1 = new platform::Canvas("Canvas1_Paint", this);
    Canvas1->setObjectName(QStringLiteral("Canvas1"));
    Canvas1->setGeometry(0, canvastop, layoutwidth, layoutheight - canvastop + canvasbelowbottom);
    Canvas1->Paint = [this](platform::Graphics& g) { Canvas1_Paint(g); };

    BevelButton1 = new platform::PictureButton("BevelButton1_Action", this);
    BevelButton1->setObjectName(QStringLiteral("BevelButton1"));
    BevelButton1->setIcon(catalogue::picture("play"));
    BevelButton1->setGeometry(5, 0, 89, 45);
    BevelButton1->Action = [this] { BevelButton1_Action(); };
}

void resultswin::setHeight(int height) { setFixedSize(width(), height); }

void resultswin::setWidth(int width) { setFixedSize(width, height()); }

void resultswin::resizeEvent(QResizeEvent*) {
    Canvas1->setGeometry(0, canvastop, width(), height() - canvastop + canvasbelowbottom);
}

void resultswin::closeEvent(QCloseEvent* event) {
    platform::dispatch("Event_Close", [this] { Event_Close(); });
    event->accept();
    // Closed means gone: the next reference makes a fresh window.
    if (openwindow == this) openwindow = nullptr;
    deleteLater();
}

void resultswin::Canvas1_Paint(platform::Graphics& g) {
    Window1& main = Window1::instance();
    std::vector<GraphNote> notes;
    for (int row = 0; row < main.notelist->ListCount(); ++row)
        notes.push_back({main.notelist->Cell(row, 0), main.notelist->Cell(row, 1), main.notelist->Cell(row, 2)});
    // The test's own beats in a bar, as its tempo: options changed since
    // cannot redraw it wrongly.
    const GraphScale scale{main.lasttestbeatsinbar, [&main](int64_t a) { return main.ts(a); },
                           [&main](int64_t t) { return main.tempoplace(t); }};
    drawgraph(g, resultsgraph(notes, scale));
}
