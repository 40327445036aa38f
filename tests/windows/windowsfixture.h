#pragma once
// A fresh program with its main window open, and the secondary windows as
// the player meets them. Modal windows are shown modelessly here, so no test
// ever waits in a nested event loop.

#include "shell/window1.h"
#include "support/appfixture.h"
#include "windows/optionwin.h"

#include <QApplication>
#include <QStringList>

class WindowsTest : public AppFixture {
protected:
    WindowsTest();

    // Writes an instrument folder holding `files` into the program folder,
    // replacing whatever folder of that name was there.
    void makeinstrument(const QString& name, const QStringList& files);

    Window1& w;

    // The options window, made and shown as OPTIONS makes it.
    optionwin& openoptions();
    // Closes the options window with its close box and opens a new one.
    optionwin& reopenoptions();

    // Windows of class W that are on screen.
    template <class W>
    static int shown() {
        int count = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (dynamic_cast<W*>(window) && window->isVisible()) ++count;
        return count;
    }
};

// All seven samples of an instrument folder.
QStringList allsamples();
