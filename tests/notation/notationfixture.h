#pragma once
// A main window with a test "running" as far as the notation is concerned:
// the tempo captured, Timer1 on (in virtual time, so it never fires unless a
// test advances the clock), the note table empty. Pictures the test wants to
// see on the canvas can be shipped in place of the real ones before opening.

#include "shell/window1.h"
#include "support/appfixture.h"

#include <QColor>
#include <QImage>
#include <QStringList>
#include <deque>
#include <vector>

class NotationFixture : public AppFixture {
protected:
    // Replaces the shipped picture `name` with a solid one (before openWindow).
    void shipPicture(const QString& name, QColor colour, int width, int height);

    // Opens the window and puts it where starttest leaves it.
    Window1& startTest(int64_t tempo, int64_t beatsinbar, int64_t bars);

    // Every row of notelist, all five cells.
    std::vector<QStringList> rows() const;
    // Column `column` of every row.
    QStringList column(int column) const;

    // The colour at (x, y) of what Canvas1 shows.
    QColor canvas1Pixel(int x, int y) const;

    // Scripts the random draws of a bar in the order the generator makes
    // them: a drawn code, then one pitch draw per note (the walk alternates
    // 1, 0, 1 ... from the bar's start, so no draw is ever repeated).
    struct DrawScript {
        std::deque<int64_t>& script;
        int64_t pitch = 0;
        void newBar() { pitch = 0; }
        void code(int64_t drawn) { script.push_back(drawn); }
        void notes(int count) {
            for (int i = 0; i < count; ++i) {
                pitch = pitch == 0 ? 1 : 0;
                script.push_back(pitch);
            }
        }
    };
    DrawScript draws{random->script};

    Window1* w = nullptr;
};
