// The accuracy correction: the accuracy setting forgives a tap up to
// `skillcorrect` ticks off its note, applied after the fact to the note
// table, and the graph tick the results graph places each tap by.

#include "platform/text.h"
#include "shell/module1.h"
#include "shell/window1.h"

using platform::Str;
using platform::Val;

namespace {

// Whether the due tick `e` starts a two-bar row of the results graph, which
// lays a test out `m` ticks to a row. A damaged tempo can make m 0; then only
// the very first tick starts a row.
bool startsgraphrow(int64_t e, int64_t m) { return m != 0 ? e % m == 0 : e == 0; }

}  // namespace

void Window1::correctnotelist() {
    // Each pass moves every played tick one tick toward its due tick and never
    // past it, so repeated runs (one per click in column 1) keep pulling taps in.
    for (int64_t pass = 1; pass <= Module1.skillcorrect; ++pass) {
        for (int r = 0; r <= notelist->ListCount() - 1; ++r) {
            if (notelist->Cell(r, 1).isEmpty()) continue;
            if (Val(notelist->Cell(r, 1)) < Val(notelist->Cell(r, 0)))
                notelist->setCell(r, 1, Str(Val(notelist->Cell(r, 1)) + 1));
            if (Val(notelist->Cell(r, 0)) < Val(notelist->Cell(r, 1)))
                notelist->setCell(r, 1, Str(Val(notelist->Cell(r, 1)) - 1));
        }
    }

    if (notelist->ListCount() == 0) return;
    notelist->setCell(0, 2, notelist->Cell(0, 1));
    for (int r = 1; r <= notelist->ListCount() - 1; ++r) {
        // Two bars of the test in the table, whatever the options say now.
        const int64_t m = 2 * ts(60) * lasttestbeatsinbar;
        const int64_t e = platform::truncateToInteger(Val(notelist->Cell(r, 0)));
        const double played = Val(notelist->Cell(r, 1));
        if (startsgraphrow(e, m) && played < Val(notelist->Cell(r, 0)))
            // An early tap for the first note of a graph row belongs at the
            // end of the row before it.
            notelist->setCell(r, 2, Str(played - double(m)));
        else
            notelist->setCell(r, 2, Str(platform::truncateToInteger(played)));
    }
}

bool Window1::notelist_CellClick(int row, int column) {
    if (column != 1) return false;
    notelist->setColumnEditable(1, true);
    notelist->EditCell(row, 1);
    correctnotelist();
    return true;
}
