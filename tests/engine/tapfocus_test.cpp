// Keys as the toolkit delivers them during a test: sent to the main window,
// they reach whatever holds its focus, past the toolkit's own Tab handling
// and shortcuts. From starttest to the end of the test every one of them is a
// candidate tap, and nothing the player does with the mouse in the window
// moves them elsewhere.

#include "enginefixture.h"

#include "platform/picturebutton.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <QWindow>
#include <set>

namespace {

class TapFocus : public EngineTest {
protected:
    TapFocus() {
        Module1.stlevel = 0;
        Module1.level = 0;  // crotchets: bar k's notes are due at (k-1)*240 + 0, 60, 120, 180
        w.listenplay = false;
        QApplication::setActiveWindow(&w.frame());
        QApplication::processEvents();
    }

    // A key pressed and released on the main window, as the keyboard sends it.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(w.frame().windowHandle(), k, modifiers);
    }
    void shifttab() { key(Qt::Key_Backtab, Qt::ShiftModifier); }

    // The played ticks of the note table, row by row.
    std::vector<QString> playedticks() const {
        std::vector<QString> ticks;
        for (int row = 0; row < w.notelist->ListCount(); ++row) ticks.push_back(cell(row, 1));
        return ticks;
    }

    QWidget* focus() { return w.frame().focusWidget(); }
};

// In continuous mode a Tab in the count-in is refused like any early key,
// and later Tabs and Shift+Tabs are taps like letters (the Shift pressed
// first is no tap of its own); once the test is over, Tab moves the focus
// through the window's controls again, past the filled note table in one
// step.
TEST_F(TapFocus, TabAndShiftTabAreTapsDuringATestAndMoveTheFocusAfterIt) {
    const int64_t start = starttestnow();
    ASSERT_EQ(focus(), w.TextField1);
    afterpass(start + 100);
    key(Qt::Key_Tab);
    shifttab();
    EXPECT_EQ(w.notesplayedsofar, 0) << "the count-in refuses keys until its last 40 ticks";
    EXPECT_EQ(focus(), w.TextField1) << "a refused Tab moved the focus";

    // Bar 1 and bar 2, each note tapped on its due tick, with Tab, Shift+Tab
    // and letters in turn.
    const std::function<void()> keys[] = {[&] { key(Qt::Key_A); }, [&] { key(Qt::Key_Tab); }, [&] { shifttab(); }};
    for (int64_t note = 0; note < 8; ++note) {
        afterpass(start + 240 + note * 60);
        keys[note % 3]();
        ASSERT_EQ(focus(), w.TextField1) << "after the key of note " << note;
    }
    EXPECT_EQ(w.notesplayedsofar, 8);
    const std::vector<QString> played = playedticks();
    ASSERT_GE(played.size(), 8u);
    for (int row = 0; row < 8; ++row) EXPECT_EQ(played[size_t(row)], QString::number(row * 60)) << "row " << row;

    rununtilend();
    ASSERT_FALSE(w.Timer1.Enabled());
    std::set<QString> reached;
    for (int tab = 1; tab <= 40; ++tab) {
        key(Qt::Key_Tab);
        if (auto* button = qobject_cast<platform::PictureButton*>(focus())) reached.insert(button->objectName());
    }
    EXPECT_EQ(reached, (std::set<QString>{"BevelButton1", "BevelButton2", "BevelButton4"}));
}

// A Tab that the gates consume or refuse leaves the focus and the test as
// they were, in either mode.
TEST_F(TapFocus, ATabTheGatesTurnAwayMovesNoFocus) {
    const struct {
        const char* name;
        bool listenplay;
        int64_t at;  // ticks after the test's start
    } cases[] = {
        {"continuous, early in the count-in", false, 10},
        {"listen-and-play, count-in", true, 230},
        {"listen-and-play, LISTEN bar before its last 40 ticks", true, 240 + 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        w.listenplay = c.listenplay;
        const int64_t start = starttestnow();
        afterpass(start + c.at);
        const size_t plays = sound.plays.size();
        key(Qt::Key_Tab);
        shifttab();
        EXPECT_EQ(focus(), w.TextField1);
        EXPECT_EQ(w.notesplayedsofar, 0);
        EXPECT_EQ(sound.plays.size(), plays);
        EXPECT_TRUE(w.TextField1->text().isEmpty());
        press();
    }
}

// The instrument menu stays enabled in a test. Choosing from it with the
// mouse changes the sound of the taps that follow, and every one of them
// counts, Space included, which would open the menu again if it held the
// focus.
TEST_F(TapFocus, AnInstrumentChosenWithTheMouseMidTestLeavesEveryLaterTapCounting) {
    const int64_t start = starttestnow();
    for (int64_t note = 0; note < 2; ++note) {
        afterpass(start + 240 + note * 60);
        key(Qt::Key_A);
    }
    const auto piano = Module1.sounds;

    QTest::mouseClick(w.PopupMenu1, Qt::LeftButton);
    QAbstractItemView* list = w.PopupMenu1->view();
    ASSERT_TRUE(list->isVisible()) << "the click did not open the menu";
    const QModelIndex violin = list->model()->index(w.PopupMenu1->findText(QStringLiteral("violin")), 0);
    const QPoint onviolin = list->visualRect(violin).center();
    QTest::mouseMove(list->viewport(), onviolin);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, onviolin);
    ASSERT_EQ(Module1.ins, "violin") << "the click on violin was not taken";
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(focus(), w.TextField1);

    const Qt::Key keys[] = {Qt::Key_A, Qt::Key_Space, Qt::Key_V, Qt::Key_Down, Qt::Key_Space, Qt::Key_T};
    int64_t note = 2;
    for (Qt::Key k : keys) {
        afterpass(start + 240 + note * 60);
        key(k);
        ++note;
    }
    EXPECT_EQ(Module1.ins, "violin") << "a key chose another instrument";
    EXPECT_FALSE(list->isVisible()) << "a key opened the menu";
    EXPECT_EQ(w.notesplayedsofar, note);
    const std::vector<QString> played = playedticks();
    for (int row = 0; row < note; ++row) EXPECT_EQ(played[size_t(row)], QString::number(row * 60)) << "row " << row;
    EXPECT_NE(Module1.sounds, piano) << "the taps after the choice sound the violin";
}

// A click in the note table's played-tick column reruns the correction and
// opens the cell for editing; during a test the editor closes at once, so
// the tap field keeps the keys and the next tap lands in its row.
TEST_F(TapFocus, AClickInTheNoteTableMidTestLeavesTheFocusOnTheTapField) {
    const int64_t start = starttestnow();
    afterpass(start + 240);
    key(Qt::Key_A);
    ASSERT_EQ(cell(0, 1), "0");

    QTest::mouseClick(w.notelist->viewport(), Qt::LeftButton, Qt::NoModifier,
                      w.notelist->visualItemRect(w.notelist->item(0, 1)).center());
    EXPECT_EQ(focus(), w.TextField1);
    afterpass(start + 240 + 60);
    key(Qt::Key_A);
    EXPECT_EQ(w.notesplayedsofar, 2);
    EXPECT_EQ(cell(0, 1), "0") << "the closed editor changed the cell";
    EXPECT_EQ(cell(1, 1), "60");
}

}  // namespace
