// One test played end to end as a player meets it: the program's real main
// window with its real timers, tick clock and sound output on a real X
// server, START pressed with a pointer click, every note tapped with a key
// press near its due moment, then the result on show, the totals saved, and
// the same totals shown by the program opened again over the same folder,
// in this process and as the built program started afresh.
//
// Nothing here depends on exact timing: the taps are aimed at the due
// moments and checked only against the near window of 5 ticks, and every
// wait is generous, so a busy machine makes the test slower, not flaky.

#include "programcopy.h"
#include "programprocess.h"
#include "xinput.h"
#include "xscreen.h"
#include "xserver.h"

#include "support/programstate.h"

#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/pluginhost.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "results/scrambler.h"
#include "shell/app.h"
#include "shell/catalogue.h"
#include "shell/mainmenubar.h"
#include "shell/module1.h"
#include "shell/window1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <cstdlib>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

using platform::ValInteger;

// Runs the event loop until `done` holds, looking every 2 ms; false when
// `seconds` pass first.
bool runUntil(const std::function<bool()>& done, int seconds, const std::function<void()>& each = {}) {
    QEventLoop loop;
    QTimer look;
    look.setTimerType(Qt::PreciseTimer);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (each) each();
        if (done()) loop.quit();
    });
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    look.start(2);
    if (!done()) loop.exec();
    return done();
}

// The part of the window that holds the totals to date: the six totals
// labels, in the window's own coordinates.
QRect totalsArea(Window1& w) {
    QRect area;
    for (const QLabel* label : {w.ttestslabel, w.tnoteslabel, w.tacclabel, w.thitslabel, w.tnearlabel, w.tmisslabel})
        area |= QRect(label->mapTo(&w.frame(), QPoint(0, 0)), label->size());
    return area;
}

class PlayedTest : public testing::Test {
protected:
    void SetUp() override {
        if (!XServer::installed()) GTEST_SKIP() << "Xvfb is not installed (package xvfb): no X server to play on";
        server = std::make_unique<XServer>();
        setenv("DISPLAY", server->display().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        static int argc = 1;
        static char name[] = "e2e_tests";
        static char* argv[] = {name, nullptr};
        toolkit = std::make_unique<QApplication>(argc, argv);
        input = std::make_unique<XInput>(server->display().c_str());
        program = copyProgramFolder(QStringLiteral(TAPTRELL_PROGRAM_DIR), folder.path());
        platform::setProgramFolder(folder.path());
        platform::setMessagePresenter([this](const QString& text) { messages << text; });
        platform::loadPlugins(QStringLiteral(TAPTRELL_PROGRAM_DIR));
        setApp(&application);
        MainMenuBar::instance();
        application.Event_Open();
    }

    void TearDown() override {
        forgetProgramState();
        setApp(nullptr);
        platform::setProgramFolder(QString());
        platform::setMessagePresenter({});
        input.reset();
        toolkit.reset();
        server.reset();
    }

    // Opens the main window as start-up does and waits until it is on the
    // screen with the keyboard focus.
    Window1& openMainWindow() {
        Window1& w = Window1::instance();
        QMainWindow& frame = w.frame();
        const bool shown = runUntil(
            [&] { return frame.windowHandle() && frame.windowHandle()->isExposed() && frame.isActiveWindow(); }, 20,
            [&] { frame.activateWindow(); });
        EXPECT_TRUE(shown) << "the main window never came up with the focus";
        return w;
    }

    // The pixels `area` of the main window shows on the screen.
    std::vector<unsigned long> onScreen(Window1& w, const QRect& area) {
        runUntil([] { return false; }, 1);  // its last repaint reaches the server
        const QPoint origin = w.frame().mapToGlobal(area.topLeft());
        return XScreen(server->display().c_str()).pixels(origin.x(), origin.y(), area.width(), area.height());
    }

    // A real pointer click in the middle of `widget`.
    void clickOn(QWidget& widget) {
        const QPoint centre = widget.mapToGlobal(widget.rect().center());
        input->click(centre.x(), centre.y());
    }

    std::unique_ptr<XServer> server;
    std::unique_ptr<QApplication> toolkit;
    std::unique_ptr<XInput> input;
    QTemporaryDir folder;
    QString program;  // the built program's copy in `folder`
    Taptrell application;
    QStringList messages;
};

TEST_F(PlayedTest, AFourBarTestPlayedInTimeIsScoredSavedAndShownAgainAfterARestart) {
    Window1& w = openMainWindow();
    // The quickest test: 4 bars of 4 beats at 20 ticks a beat, listen and play.
    w.Slider1->setValue(20);
    ASSERT_EQ(Module1.tickspeed, 20);
    ASSERT_EQ(w.bars, 4);
    ASSERT_TRUE(w.listenplay);
    const QRect totals = totalsArea(w);
    const std::vector<unsigned long> totalsbefore = onScreen(w, totals);

    clickOn(*w.BevelButton1);
    ASSERT_TRUE(runUntil([&] { return w.BevelButton1->Icon() == catalogue::picture("stop"); }, 10))
        << "the click on START did not start the test";

    // Each note is tapped at the moment its PLAY bar reaches its due tick.
    std::optional<int64_t> origin;  // the count-in's first tick
    std::vector<int64_t> tapticks;  // the tick each tap is aimed at, by row
    size_t tapped = 0;
    bool started = false;
    auto play = [&] {
        if (!w.Timer1.Enabled()) return;
        started = true;
        if (!origin) origin = w.continuoustime;
        const int64_t barticks = w.ts(60) * w.beatsinbar;
        while (int(tapticks.size()) < w.notelist->ListCount()) {
            const int64_t due = ValInteger(w.notelist->Cell(int(tapticks.size()), 0));
            tapticks.push_back(*origin + (due / barticks + 2) * barticks + due);
        }
        if (tapped < tapticks.size() && platform::Ticks() >= tapticks[tapped]) {
            input->tapKey();
            ++tapped;
        }
    };
    const bool ended = runUntil([&] { return started && !w.Timer1.Enabled(); }, 90, play);
    ASSERT_TRUE(ended) << "the test did not end";
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();

    // Every note got a tap within the near window.
    const int rows = w.notelist->ListCount();
    ASSERT_GT(rows, 4);
    EXPECT_EQ(tapped, size_t(rows));
    for (int row = 0; row < rows; ++row) {
        SCOPED_TRACE(testing::Message() << "row " << row);
        const QString played = w.notelist->Cell(row, 1);
        ASSERT_FALSE(played.isEmpty()) << "the note got no tap";
        const int64_t off = ValInteger(played) - ValInteger(w.notelist->Cell(row, 0));
        EXPECT_LE(std::abs(off), 5);
    }
    EXPECT_TRUE(w.resultbox->isVisible());
    EXPECT_TRUE(w.BevelButton1->Icon() == catalogue::picture("go"));

    // The settings-and-totals file holds the new totals.
    QFile saved(QDir(folder.path()).filePath(QStringLiteral("mydata.txt")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly | QIODevice::Text)) << "no mydata.txt in the program's folder";
    QStringList lines;
    while (!saved.atEnd()) lines << scrambler::decpw(QString::fromUtf8(saved.readLine()).trimmed());
    ASSERT_GE(lines.size(), 10);
    EXPECT_EQ(lines[0], QStringLiteral("1"));
    EXPECT_EQ(lines[1], platform::Str(rows));
    EXPECT_EQ(lines[2], platform::Str(Module1.totalaccuracy));
    EXPECT_EQ(lines[9], QStringLiteral("20"));
    const QString tests = w.ttestslabel->text();
    const QString notes = w.tnoteslabel->text();
    const QString accuracy = w.tacclabel->text();
    EXPECT_EQ(tests, QStringLiteral("Number of tests 1"));
    EXPECT_EQ(notes, QStringLiteral("Notes played ") + platform::Str(rows));

    const std::vector<unsigned long> totalsafter = onScreen(w, totals);
    EXPECT_NE(totalsafter, totalsbefore) << "the totals on show did not change";

    // Opened again over the same folder, with every global back at its
    // default, the program shows what it saved.
    forgetProgramState();
    Window1& again = openMainWindow();
    EXPECT_EQ(again.ttestslabel->text(), tests);
    EXPECT_EQ(again.tnoteslabel->text(), notes);
    EXPECT_EQ(again.tacclabel->text(), accuracy);
    EXPECT_EQ(again.Slider1->value(), 20);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    Window1::destroy();

    // And the built program itself, started afresh over that folder, shows
    // on the screen the very totals the played test left on show.
    ProgramProcess restarted(program);
    XScreen screen(server->display().c_str());
    std::vector<unsigned long> shown;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 30'000 && shown != totalsafter) {
        if (const auto corner = screen.windowOrigin(restarted.pid()))
            shown = screen.pixels(corner->first + totals.x(), corner->second + totals.y(), totals.width(),
                                  totals.height());
        usleep(50'000);
    }
    EXPECT_TRUE(screen.windowOrigin(restarted.pid())) << "the restarted program showed no window";
    EXPECT_EQ(shown, totalsafter) << "the restarted program does not show the saved totals";
}

}  // namespace
