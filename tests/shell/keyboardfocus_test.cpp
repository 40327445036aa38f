// The keyboard focus in the main window. A picture button shows no sign of
// holding the focus, and Space presses a focused button, so a tap meant for
// the test would press a button the player cannot see is selected. Picture
// buttons therefore never hold the focus: neither Tab nor a click gives it
// to them.

#include "platform/picturebutton.h"
#include "shell/window1.h"
#include "support/appfixture.h"
#include "windows/helpwin.h"

#include <QApplication>
#include <QTest>

class MainWindowFocus : public AppFixture {
protected:
    MainWindowFocus() : w(openWindow()) {
        QApplication::setActiveWindow(&w.frame());
        QApplication::processEvents();
    }

    // A key pressed and released where the main window's focus is.
    void key(Qt::Key k) {
        QWidget* target = w.frame().focusWidget();
        QTest::keyClick(target ? target : &w.frame(), k);
    }

    static bool ispicturebutton(const QWidget* widget) {
        return qobject_cast<const platform::PictureButton*>(widget) != nullptr;
    }

    Window1& w;
};

TEST_F(MainWindowFocus, TabNeverStopsOnAPictureButton) {
    // More Tabs than the window has controls: the focus goes round its whole
    // chain at least once.
    for (int tab = 1; tab <= 40; ++tab) {
        key(Qt::Key_Tab);
        const QWidget* focus = w.frame().focusWidget();
        EXPECT_FALSE(ispicturebutton(focus)) << "Tab " << tab << " reached " << focus->objectName().toStdString();
    }
}

// The note table comes just before START in the focus order; it holds the
// focus once a cell of the widened window has been clicked.
TEST_F(MainWindowFocus, TabThenSpaceFromTheNoteTablePressesNoButton) {
    w.notelist->setFocus(Qt::MouseFocusReason);
    key(Qt::Key_Tab);
    key(Qt::Key_Space);
    EXPECT_FALSE(helpwin::exists()) << "HELP was pressed";
    EXPECT_FALSE(w.prestarttimer.Enabled()) << "START was pressed";
    EXPECT_TRUE(w.BevelButton2->isEnabled()) << "START was pressed";
}

// During a test the tap field holds the focus. Clicking HELP, which stays
// enabled while a test runs, or STOP must leave it there, or the player's
// next taps would press that button instead.
TEST_F(MainWindowFocus, AClickOnAPictureButtonLeavesTheFocusOnTheTapField) {
    for (platform::PictureButton* button : {w.BevelButton4, w.BevelButton1}) {
        SCOPED_TRACE(button->objectName().toStdString());
        w.TextField1->setFocus();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(w.frame().focusWidget(), w.TextField1);
    }
    EXPECT_TRUE(helpwin::exists()) << "the clicks were taken";
    EXPECT_TRUE(w.prestarttimer.Enabled()) << "the clicks were taken";
}
