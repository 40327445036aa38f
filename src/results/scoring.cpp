// Scoring a finished test. The order of the real-number steps is kept as the
// tie cases depend on it: a mean error of exactly 9 ticks must give exactly
// 85 percent, so the accuracy is (60 - error) / 6 * 10, in that order.

#include "results/scoring.h"

#include "platform/text.h"
#include "shell/module1.h"
#include "shell/window1.h"

#include <limits>

using platform::FormatHashHash;
using platform::Str;
using platform::truncateToInteger;

namespace {

// Adds a distance in real arithmetic, truncated toward zero; the sum
// saturates instead of overflowing on an absurd typed tick.
int64_t addticks(int64_t sum, double distance) { return truncateToInteger(double(sum) + distance); }

int64_t addsaturating(int64_t a, int64_t b) {
    if (b > 0 && a > std::numeric_limits<int64_t>::max() - b) return std::numeric_limits<int64_t>::max();
    return a + b;
}

}  // namespace

TestScore scoretest(const std::vector<ScoredNote>& notes) {
    TestScore score;
    score.rows = int64_t(notes.size());
    for (const ScoredNote& note : notes) {
        if (note.played.isEmpty()) {
            ++score.missedcount;
            score.wayoffhits += 1;
            score.latesum = addticks(score.latesum, double(missedlateness));
            continue;
        }
        const double played = platform::Val(note.played);
        const double due = platform::Val(note.due);
        if (played == due) {
            score.perfecthits += 1;
        } else if (played > due) {
            score.latesum = addticks(score.latesum, played - due);
            (played - due <= nearband ? score.nearhits : score.wayoffhits) += 1;
        } else {
            score.earlysum = addticks(score.earlysum, due - played);
            (due - played <= nearband ? score.nearhits : score.wayoffhits) += 1;
        }
        ++score.playedcount;
    }
    if (score.playedcount > 0)
        score.meanerror = (double(score.latesum) + double(score.earlysum)) / double(score.playedcount);
    else
        score.meanerror = double(missedlateness);
    if (score.meanerror > double(missedlateness)) score.meanerror = double(missedlateness);
    score.testaccuracy = (60.0 - score.meanerror) / 6.0 * 10.0;
    return score;
}

ScoreTexts scoretexts(const TestScore& score) {
    ScoreTexts texts;
    texts.perfect = QStringLiteral("Perfect hits = ") + Str(truncateToInteger(score.perfecthits));
    texts.close = QStringLiteral("Near perfect hits ") + Str(truncateToInteger(score.nearhits));
    texts.whoops = QStringLiteral("whoops a daisy ") + Str(truncateToInteger(score.wayoffhits));

    const QString accuracy = FormatHashHash(score.testaccuracy);
    if (score.playedcount == 0)
        texts.summary = QStringLiteral("You played nothing that time");
    else if (score.missedcount > 0)
        texts.summary = QStringLiteral("You played ") + Str(score.playedcount) + QStringLiteral(" notes but missed out ") +
                        Str(score.missedcount) + QStringLiteral(" and were ") + accuracy + QStringLiteral("% accurate");
    else
        texts.summary = QStringLiteral("You played ") + Str(score.playedcount) + QStringLiteral(" notes and were ") +
                        accuracy + QStringLiteral("% accurate");

    const double a = score.testaccuracy;
    if (score.playedcount > 0 && score.perfecthits == double(score.playedcount))
        texts.verdict = QStringLiteral("That couldn't have been more perfect!");
    else if (score.latesum < score.earlysum)
        texts.verdict = a > 98   ? QStringLiteral("The was pretty close to perfect")
                        : a > 96 ? QStringLiteral("You are very slightly ahead of the beat ")
                        : a > 85 ? QStringLiteral("You are generally ahead of the beat ")
                                 : QStringLiteral("You are generally well ahead of the beat ");
    else if (score.latesum > score.earlysum)
        texts.verdict = a > 98   ? QStringLiteral("The was pretty close to perfect")
                        : a > 96 ? QStringLiteral("You are very slightly behind  the beat ")
                        : a > 85 ? QStringLiteral("You are generally behind the beat ")
                                 : QStringLiteral("You are generally well behind the beat ");
    // Balanced sums give no verdict: the line is cleared rather than left
    // showing the previous test's.
    return texts;
}

void foldtotals(Module1State& totals, const TestScore& score) {
    if (score.rows <= 0) return;
    const double n = double(totals.totaltests);
    const double rows = double(score.rows);
    totals.totalaccuracy *= n;
    totals.correct *= n;
    totals.almost *= n;
    totals.miss *= n;
    totals.totalnotes = addsaturating(totals.totalnotes, score.rows);
    totals.totalaccuracy += score.testaccuracy;
    totals.correct += score.perfecthits / rows * 100.0;
    totals.almost += score.nearhits / rows * 100.0;
    totals.miss += score.wayoffhits / rows * 100.0;
    totals.totaltests = addsaturating(totals.totaltests, 1);
    const double tests = double(totals.totaltests);
    totals.totalaccuracy /= tests;
    totals.correct /= tests;
    totals.almost /= tests;
    totals.miss /= tests;
}

void Window1::showresults() {
    resultbox->setVisible(true);
    std::vector<ScoredNote> notes;
    notes.reserve(size_t(notelist->ListCount()));
    for (int row = 0; row < notelist->ListCount(); ++row) notes.push_back({notelist->Cell(row, 0), notelist->Cell(row, 1)});
    const TestScore score = scoretest(notes);
    const ScoreTexts texts = scoretexts(score);
    perfect->setText(texts.perfect);
    close->setText(texts.close);
    whoops->setText(texts.whoops);
    summary->setText(texts.summary);
    summary2->setText(texts.verdict);
    if (score.rows == 0) return;  // nothing was scored: the totals and the file stay as they are
    foldtotals(Module1, score);
    savedata();
}
