// The repeat-test list: the rhythm-group code of every beat of the test just
// finished, so that the next test can give the player the same bars again.

#include "platform/text.h"
#include "shell/module1.h"
#include "shell/window1.h"

using platform::Val;

void Window1::setrepeat() {
    const int rows = notelist->ListCount();
    if (rows == 0) {
        Module1.retest = false;
        return;
    }
    retestlist->DeleteAllRows();
    retestlist->AddRow(QStringLiteral("0"));

    // A beat whose first tick holds no note (a rest, or a group that starts
    // after the beat) comes back as a crotchet rest.
    const int64_t beatticks = ts(60);
    if (beatticks <= 0) return;  // a damaged tempo puts every beat on one tick
    const int last = rows - 1;
    double beat = 0;
    int row = 0;
    for (;;) {
        beat += double(beatticks);
        // The later notes of earlier groups are passed over. A table whose
        // last note is not due on a beat (a repeat made after the options
        // changed the test's shape) ends the list at its last note.
        do {
            ++row;
            if (row > last) return;
        } while (Val(notelist->Cell(row, 0)) < beat);
        if (Val(notelist->Cell(row, 0)) == beat) {
            retestlist->AddRow(notelist->Cell(row, 4));
        } else {
            retestlist->AddRow(QStringLiteral("1"));
            --row;  // the next beat's search starts again at this note
        }
        if (row == last) return;
    }
}
