#include "results/scoring.h"

#include "shell/module1.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ScoringCase {
    const char* name;
    std::vector<ScoredNote> notes;
    int64_t perfect, nearhits, wayoff, played, missed, latesum, earlysum;
    const char* accuracy;  // testaccuracy formatted "#.##"
    const char* summary;
    const char* verdict;
};

const ScoringCase scoringcases[] = {
    {"all perfect", {{"0", "0"}, {"60", "60"}, {"120", "120"}}, 3, 0, 0, 3, 0, 0, 0, "100",
     "You played 3 notes and were 100% accurate", "That couldn't have been more perfect!"},
    {"nothing played", {{"0", ""}, {"60", ""}}, 0, 0, 2, 0, 2, 120, 0, "0", "You played nothing that time",
     "You are generally well behind the beat "},
    {"5 late is near", {{"0", "0"}, {"60", "65"}}, 1, 1, 0, 2, 0, 5, 0, "95.83",
     "You played 2 notes and were 95.83% accurate", "You are generally behind the beat "},
    {"6 late is way off", {{"0", "0"}, {"60", "66"}}, 1, 0, 1, 2, 0, 6, 0, "95",
     "You played 2 notes and were 95% accurate", "You are generally behind the beat "},
    {"5 early is near", {{"0", "0"}, {"60", "55"}}, 1, 1, 0, 2, 0, 0, 5, "95.83",
     "You played 2 notes and were 95.83% accurate", "You are generally ahead of the beat "},
    {"6 early is way off", {{"0", "0"}, {"60", "54"}}, 1, 0, 1, 2, 0, 0, 6, "95",
     "You played 2 notes and were 95% accurate", "You are generally ahead of the beat "},
    {"one tick off is near, not perfect", {{"0", "1"}, {"60", "60"}}, 1, 1, 0, 2, 0, 1, 0, "99.17",
     "You played 2 notes and were 99.17% accurate", "The was pretty close to perfect"},
    {"mean error 9 gives exactly 85: the lower band", {{"0", "-9"}, {"60", "51"}}, 0, 0, 2, 2, 0, 0, 18, "85",
     "You played 2 notes and were 85% accurate", "You are generally well ahead of the beat "},
    {"mean error 2.4 gives exactly 96: the lower band",
     {{"0", "3"}, {"60", "63"}, {"120", "123"}, {"180", "183"}, {"240", "240"}}, 1, 4, 0, 5, 0, 12, 0, "96",
     "You played 5 notes and were 96% accurate", "You are generally behind the beat "},
    {"very slightly ahead", {{"0", "-3"}, {"60", "60"}}, 1, 1, 0, 2, 0, 0, 3, "97.5",
     "You played 2 notes and were 97.5% accurate", "You are very slightly ahead of the beat "},
    {"very slightly behind", {{"0", "3"}, {"60", "60"}}, 1, 1, 0, 2, 0, 3, 0, "97.5",
     "You played 2 notes and were 97.5% accurate", "You are very slightly behind  the beat "},
    {"well behind", {{"0", "20"}, {"60", "80"}}, 0, 0, 2, 2, 0, 40, 0, "66.67",
     "You played 2 notes and were 66.67% accurate", "You are generally well behind the beat "},
    {"equal sums, not perfect: no verdict", {{"0", "2"}, {"60", "58"}}, 0, 2, 0, 2, 0, 2, 2, "96.67",
     "You played 2 notes and were 96.67% accurate", ""},
    {"nine perfect and one missed is still perfect",
     {{"0", "0"}, {"60", "60"}, {"120", "120"}, {"180", "180"}, {"240", "240"}, {"300", "300"}, {"360", "360"},
      {"420", "420"}, {"480", "480"}, {"540", ""}},
     9, 0, 1, 9, 1, 60, 0, "88.89", "You played 9 notes but missed out 1 and were 88.89% accurate",
     "That couldn't have been more perfect!"},
    {"mean error above 60 counts as 60", {{"0", "100"}}, 0, 0, 1, 1, 0, 100, 0, "0",
     "You played 1 notes and were 0% accurate", "You are generally well behind the beat "},
    {"missed notes weigh as lateness", {{"0", "-2"}, {"60", ""}}, 0, 1, 1, 1, 1, 60, 2, "0",
     "You played 1 notes but missed out 1 and were 0% accurate", "You are generally well behind the beat "},
    {"fractional ticks: category on the exact distance, sums truncated", {{"0", "5.5"}, {"60", "57.5"}}, 0, 1, 1, 2,
     0, 5, 2, "94.17", "You played 2 notes and were 94.17% accurate", "You are generally behind the beat "},
};

}  // namespace

TEST(Scoring, TableOfTests) {
    for (const ScoringCase& c : scoringcases) {
        SCOPED_TRACE(c.name);
        const TestScore score = scoretest(c.notes);
        EXPECT_EQ(score.rows, int64_t(c.notes.size()));
        EXPECT_EQ(score.perfecthits, double(c.perfect));
        EXPECT_EQ(score.nearhits, double(c.nearhits));
        EXPECT_EQ(score.wayoffhits, double(c.wayoff));
        EXPECT_EQ(score.playedcount, c.played);
        EXPECT_EQ(score.missedcount, c.missed);
        EXPECT_EQ(score.latesum, c.latesum);
        EXPECT_EQ(score.earlysum, c.earlysum);
        const ScoreTexts texts = scoretexts(score);
        EXPECT_EQ(texts.perfect, QStringLiteral("Perfect hits = ") + QString::number(c.perfect));
        EXPECT_EQ(texts.close, QStringLiteral("Near perfect hits ") + QString::number(c.nearhits));
        EXPECT_EQ(texts.whoops, QStringLiteral("whoops a daisy ") + QString::number(c.wayoff));
        EXPECT_EQ(texts.summary, c.summary);
        EXPECT_EQ(texts.verdict, c.verdict);
        EXPECT_GE(score.testaccuracy, 0.0);
        EXPECT_LE(score.testaccuracy, 100.0);
    }
}

TEST(Scoring, ThresholdTiesAreExact) {
    // The Part's order of operations gives these exactly, so the strict
    // comparisons put them into the lower band.
    EXPECT_EQ(scoretest({{"0", "-9"}, {"60", "51"}}).testaccuracy, 85.0);
    EXPECT_EQ(scoretest({{"0", "3"}, {"60", "63"}, {"120", "123"}, {"180", "183"}, {"240", "240"}}).testaccuracy, 96.0);
}

TEST(Scoring, AbsurdTypedTicksSaturateInsteadOfOverflowing) {
    const TestScore score = scoretest({{"0", "1e300"}, {"60", "1e300"}, {"120", ""}});
    EXPECT_EQ(score.latesum, std::numeric_limits<int64_t>::max());
    EXPECT_EQ(score.testaccuracy, 0.0);
    EXPECT_EQ(scoretexts(score).verdict, "You are generally well behind the beat ");
}

namespace {

struct FoldCase {
    const char* name;
    Module1State before;  // only the totals are set
    std::vector<ScoredNote> notes;
    int64_t tests, notecount;
    double accuracy, correct, almost, miss;
};

Module1State totals(int64_t tests, int64_t notes, double accuracy, double correct, double almost, double miss) {
    Module1State state;
    state.totaltests = tests;
    state.totalnotes = notes;
    state.totalaccuracy = accuracy;
    state.correct = correct;
    state.almost = almost;
    state.miss = miss;
    return state;
}

const std::vector<ScoredNote> ninethenmiss = {{"0", "0"},     {"60", "60"},   {"120", "120"}, {"180", "180"},
                                              {"240", "240"}, {"300", "300"}, {"360", "360"}, {"420", "420"},
                                              {"480", "480"}, {"540", ""}};

}  // namespace

TEST(Scoring, TotalsFolding) {
    const FoldCase cases[] = {
        {"the first test: the totals are its own values", totals(0, 0, 0, 0, 0, 0), ninethenmiss, 1, 10,
         (60.0 - 60.0 / 9.0) / 6.0 * 10.0, 90, 0, 10},
        {"each test weighs the same whatever its notes", totals(1, 10, 50, 40, 30, 30),
         {{"0", "0"}, {"60", "60"}, {"120", "120"}, {"180", "180"}}, 2, 14, 75, 70, 15, 15},
        {"near and way-off shares are of all rows", totals(3, 30, 100, 100, 0, 0),
         {{"0", "0"}, {"60", "62"}, {"120", "130"}, {"180", ""}}, 4, 34,
         (300.0 + (60.0 - 72.0 / 3.0) / 6.0 * 10.0) / 4.0, 325.0 / 4.0, 25.0 / 4.0, 50.0 / 4.0},
        {"nothing played", totals(0, 0, 0, 0, 0, 0), {{"0", ""}, {"60", ""}}, 1, 2, 0, 0, 0, 100},
    };
    for (const FoldCase& c : cases) {
        SCOPED_TRACE(c.name);
        Module1State state = c.before;
        foldtotals(state, scoretest(c.notes));
        EXPECT_EQ(state.totaltests, c.tests);
        EXPECT_EQ(state.totalnotes, c.notecount);
        EXPECT_DOUBLE_EQ(state.totalaccuracy, c.accuracy);
        EXPECT_DOUBLE_EQ(state.correct, c.correct);
        EXPECT_DOUBLE_EQ(state.almost, c.almost);
        EXPECT_DOUBLE_EQ(state.miss, c.miss);
    }
}

TEST(Scoring, ATestWithoutNotesNeverEntersTheTotals) {
    Module1State state = totals(2, 20, 50, 50, 25, 25);
    foldtotals(state, scoretest({}));
    EXPECT_EQ(state.totaltests, 2);
    EXPECT_EQ(state.totalnotes, 20);
    EXPECT_EQ(state.correct, 50);
    EXPECT_FALSE(std::isnan(state.miss));
}
