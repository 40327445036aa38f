// HELP, the hidden width switch, the help window with the manual, the menu
// bar's "Help" and the about box.

#include "platform/keyboard.h"
#include "shell/mainmenubar.h"
#include "windows/about.h"
#include "windows/helpwin.h"
#include "windows/usermanual.h"
#include "windows/windowsfixture.h"

#include <QKeyEvent>
#include <QLayout>
#include <QRegularExpression>

class HelpAndAbout : public WindowsTest {
protected:
    void hold(Qt::KeyboardModifiers keys) {
        platform::setModifierSource([keys] { return keys; });
    }
};

TEST_F(HelpAndAbout, HelpShowsOneHelpWindowUnlessAllThreeKeysAreHeld) {
    const struct {
        Qt::KeyboardModifiers keys;
        bool help;
    } cases[] = {{Qt::NoModifier, true},
                 {Qt::ShiftModifier | Qt::ControlModifier, true},
                 {Qt::AltModifier, true},
                 {Qt::ControlModifier | Qt::AltModifier, true},
                 {Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.keys));
        if (helpwin::exists()) helpwin::instance().Close();
        hold(c.keys);
        w.BevelButton4->click();
        w.BevelButton4->click();
        EXPECT_EQ(shown<helpwin>(), c.help ? 1 : 0);
        EXPECT_EQ(w.Width(), 960);  // pressed twice: the switch is back where it was
    }
}

TEST_F(HelpAndAbout, AllThreeKeysToggleTheWidthThatUncoversTheNoteTable) {
    hold(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    w.BevelButton4->click();
    EXPECT_EQ(w.Width(), 1170);
    EXPECT_GE(w.Width(), w.notelist->geometry().right());
    w.BevelButton4->click();
    EXPECT_EQ(w.Width(), 960);
    w.setWidth(1000);
    w.BevelButton4->click();
    EXPECT_EQ(w.Width(), 1170);
    EXPECT_FALSE(helpwin::exists());
}

TEST_F(HelpAndAbout, ManualKeepsItsLineLayout) {
    const QString manual = windows::usermanual();
    EXPECT_FALSE(manual.endsWith(QStringLiteral("\r\n")));
    EXPECT_FALSE(manual.contains(QRegularExpression(QStringLiteral("[^\r]\n|\r[^\n]"))));
    const QStringList lines = manual.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 39);
    EXPECT_EQ(lines.count(QString()), 10);
    const struct {
        int line;
        const char* heading;
    } headings[] = {{1, "HOW TO PLAY"},
                    {7, "****"},
                    {18, "1. LISTEN AND PLAY. "},
                    {25, "2. CONTINUOUS PLAY"},
                    {38, "WHAT YOUR ACCURACY SCORE MEANS"}};
    for (const auto& h : headings) EXPECT_EQ(lines[h.line - 1], h.heading) << "line " << h.line;
    EXPECT_TRUE(lines[2].contains(QStringLiteral("****")));  // lets a player without MIDI skip ahead
    for (QChar c : manual) EXPECT_LT(c.unicode(), 128);
    EXPECT_TRUE(manual.contains(QStringLiteral("Taptrell")));
}

// The manual sends the player to controls by their captions.
TEST_F(HelpAndAbout, ManualNamesTheControlsAsTheyAreCaptioned) {
    const QString manual = windows::usermanual();
    for (const QLabel* label : {w.tmisslabel1, w.inssound})
        EXPECT_TRUE(manual.contains(label->text())) << label->text().toStdString();
    EXPECT_TRUE(manual.contains(MainMenuBar::instance().HelpMenu->text()));
    EXPECT_TRUE(manual.contains(QStringLiteral("fast on the left, slow on the right")));
    EXPECT_EQ(w.Slider1->minimum(), 20);  // 180 beats per minute, at the slider's left end
    EXPECT_EQ(w.Slider1->maximum(), 80);  // 45
    EXPECT_TRUE(manual.contains(QStringLiteral("from 180 down to 45 beats per minute")));
    EXPECT_FALSE(w.Slider1->invertedAppearance());
}

TEST_F(HelpAndAbout, HelpWindowShowsTheManualReadOnlyWithinItsMargins) {
    w.BevelButton4->click();
    helpwin& h = helpwin::instance();
    EXPECT_EQ(h.windowTitle(), "Help");
    EXPECT_EQ(h.size(), QSize(658, 406));
    const QString shown = windows::usermanual().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(h.TextArea1->toPlainText(), shown);
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(h.TextArea1, &typed);
    h.TextArea1->paste();
    h.TextArea1->selectAll();
    h.TextArea1->cut();
    EXPECT_EQ(h.TextArea1->toPlainText(), shown);
    for (QSize size : {QSize(658, 406), QSize(900, 700), QSize(300, 200)}) {
        h.resize(size);
        h.layout()->activate();
        EXPECT_EQ(h.TextArea1->geometry(), QRect(20, 20, size.width() - 40, size.height() - 40));
    }
}

TEST_F(HelpAndAbout, HelpMenuShowsOneAboutBox) {
    MainMenuBar::instance().HelpMenu->trigger();
    MainMenuBar::instance().HelpMenu->trigger();
    EXPECT_EQ(shown<about>(), 1);
    about& box = about::instance();
    EXPECT_EQ(box.windowTitle(), "About Taptrell");
    EXPECT_EQ(box.Label1->text(), "Taptrell version 1.4");
    EXPECT_EQ(box.minimumSize(), QSize(408, 234));
    EXPECT_EQ(box.maximumSize(), QSize(408, 234));
    EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
}

TEST_F(HelpAndAbout, AboutHelpLeavesOneHelpWindowAndNoAboutBox) {
    for (bool helpalreadyopen : {false, true}) {
        SCOPED_TRACE(helpalreadyopen);
        if (helpalreadyopen) w.BevelButton4->click();
        MainMenuBar::instance().HelpMenu->trigger();
        about::instance().PushButton1->click();
        EXPECT_EQ(shown<helpwin>(), 1);
        EXPECT_EQ(shown<about>(), 0);
        EXPECT_FALSE(about::exists());
        helpwin::instance().Close();
    }
}

TEST_F(HelpAndAbout, ReturnInTheAboutBoxPressesHelp) {
    MainMenuBar::instance().HelpMenu->trigger();
    about& box = about::instance();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(box.PushButton1, &press);
    EXPECT_EQ(shown<helpwin>(), 1);
    EXPECT_FALSE(about::exists());
}

TEST_F(HelpAndAbout, OptionsOpensTheOptionsWindow) {
    // OPTIONS shows the window modally: close it as soon as it is up, as the
    // player would, so the test does not wait.
    bool modal = false;
    QMetaObject::invokeMethod(
        &w.frame(),
        [&modal] {
            if (!optionwin::exists()) return;
            modal = optionwin::instance().isModal();
            optionwin::instance().Close();
        },
        Qt::QueuedConnection);
    w.BevelButton2->click();
    EXPECT_TRUE(modal);
    EXPECT_FALSE(optionwin::exists());
}

TEST_F(HelpAndAbout, TitleBarBoxes) {
    MainMenuBar::instance().HelpMenu->trigger();
    w.BevelButton4->click();
    const struct {
        QWidget* window;
        bool minimise;
        bool resizable;
    } cases[] = {{&optionwin::instance(), true, false}, {&helpwin::instance(), true, true}, {&about::instance(), false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window->objectName().toStdString());
        const Qt::WindowFlags flags = c.window->windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_EQ(flags.testFlag(Qt::WindowMinimizeButtonHint), c.minimise);
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_EQ(c.window->minimumSize() != c.window->maximumSize(), c.resizable);
    }
}
