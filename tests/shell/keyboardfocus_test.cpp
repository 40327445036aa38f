// The keyboard focus in the main window. Space presses the focused button,
// so a picture button may hold the focus only where the player can see it:
// START, OPTIONS and HELP are reached by Tab and then show a frame; a click
// never gives a picture button the focus, so it stays on the tap field.

#include "platform/picturebutton.h"
#include "shell/window1.h"
#include "support/appfixture.h"
#include "windows/helpwin.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <map>
#include <set>

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

    static QImage looks(QWidget& widget) { return widget.grab().toImage(); }

    Window1& w;
};

// Every picture button that Tab reaches looks different while it holds the
// focus; more Tabs than the window has controls go round its whole chain.
TEST_F(MainWindowFocus, EveryPictureButtonTabReachesShowsThatItHoldsTheFocus) {
    std::map<platform::PictureButton*, QImage> unfocused;
    for (platform::PictureButton* button : {w.BevelButton1, w.BevelButton2, w.BevelButton4})
        unfocused[button] = looks(*button);
    std::set<QString> reached;
    for (int tab = 1; tab <= 40; ++tab) {
        key(Qt::Key_Tab);
        auto* button = qobject_cast<platform::PictureButton*>(w.frame().focusWidget());
        if (!button) continue;
        reached.insert(button->objectName());
        ASSERT_TRUE(unfocused.count(button)) << button->objectName().toStdString() << " takes no focus";
        EXPECT_NE(looks(*button), unfocused[button]) << button->objectName().toStdString() << " shows no focus";
    }
    EXPECT_EQ(reached, (std::set<QString>{"BevelButton1", "BevelButton2", "BevelButton4"}));
    w.TextField1->setFocus(Qt::OtherFocusReason);
    for (const auto& [button, before] : unfocused)
        EXPECT_EQ(looks(*button), before) << button->objectName().toStdString() << " keeps its frame";
}

// During a test the tap field holds the focus. Clicking HELP, which stays
// enabled while a test runs, or STOP must leave it there, or the player's
// next taps would press that button unseen.
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
