#pragma once
// A fresh program per test: defaults restored, virtual time, recorded sounds,
// recorded message boxes and quits, scripted random draws, and (when asked
// for) the main window opened over the shipped files in the build folder.

#include "platform/recordingsoundoutput.h"
#include "platform/virtualtime.h"
#include "shell/app.h"
#include "support/scriptedrandom.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class Window1;

class AppFixture : public testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;

    // Opens the main window with the program folder at `folder` (by default a
    // scratch copy of the built program's folder, so that files a test writes
    // never touch the build).
    Window1& openWindow();

    // A scratch program folder holding the shipped resources and instrument
    // folders; tests may add or remove files in it before openWindow().
    QString programFolder() const { return scratch_.path(); }

    platform::VirtualTime time;
    platform::RecordingSoundOutput sound;
    QStringList messages;
    int quits = 0;
    std::shared_ptr<ScriptedRandom> random = std::make_shared<ScriptedRandom>();
    Taptrell application;

private:
    QTemporaryDir scratch_;
};
