// Turning one beat's rhythm group into rows of the note table.
//
// Each note gets its due tick (the beat's base tick plus its onset, in ticks
// at the test's tempo), the next pitch of the walk, and, on the group's first
// row only, the group's code, which the repeat list later reads back.

#include "notation/rhythmgroups.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "shell/window1.h"

#include <string>

using platform::Str;

void Window1::noteentry(int64_t code, int64_t beat, int64_t beats, int64_t& lastpitch) {
    const auto& groups = rhythmgroups();
    if (code < 0 || code >= int64_t(groups.size()))
        throw platform::OutOfBoundsException("rhythm-group code " + std::to_string(code));
    const RhythmGroup& group = groups[size_t(code)];

    bool firstnote = true;
    for (int onset : group.onsets) {
        // Evaluated in this order so the ticks match the ones the clock and
        // the scoring recompute from the same formula.
        const int64_t offset = onset == 0 ? 0 : ts(onset);
        const int64_t due = offset + ts(60) * pagenumber + startofnote;
        notelist->AddRow(Str(due));
        const int row = notelist->LastIndex();
        notelist->setCell(row, 3, createnote(lastpitch));
        if (firstnote) notelist->setCell(row, 4, Str(code));
        lastpitch = platform::ValInteger(notelist->Cell(row, 3));
        firstnote = false;
    }
    // The bar's last beat is held back: the next bar's page step
    // (ts(60) * pagenumber) supplies it.
    if (beat != beats) startofnote += ts(60);
    notesinbar += int64_t(group.onsets.size());
}
