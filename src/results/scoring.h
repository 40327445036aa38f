#pragma once
// Judging a finished test note by note, and folding it into the totals to
// date. Free of any window, so it can be checked over small note tables.

#include <QString>
#include <cstdint>
#include <vector>

struct Module1State;

// One note of the test as the note table holds it: the due tick and the
// played tick ("" for a note that got no tap), both as text.
struct ScoredNote {
    QString due;
    QString played;
};

struct TestScore {
    int64_t rows = 0;
    int64_t playedcount = 0;
    int64_t missedcount = 0;
    double perfecthits = 0;
    double nearhits = 0;
    double wayoffhits = 0;  // missed notes included
    int64_t latesum = 0;    // ticks late, plus 60 for every missed note
    int64_t earlysum = 0;   // ticks early
    double meanerror = 0;   // ticks, at most 60
    double testaccuracy = 0;  // percent, 0..100
};

// A perfect hit is on its due tick; a near hit at most this many ticks off.
inline constexpr double nearband = 5.0;
// The lateness a missed note adds, and the mean error that scores 0 percent.
inline constexpr int64_t missedlateness = 60;

TestScore scoretest(const std::vector<ScoredNote>& notes);

// The captions of the result box.
struct ScoreTexts {
    QString perfect;
    QString close;
    QString whoops;
    QString summary;
    QString verdict;  // empty when the late and early sums balance and the test was not perfect
};

ScoreTexts scoretexts(const TestScore& score);

// Folds one scored test into the totals: each test weighs the same in the
// four means, whatever its number of notes. A test without notes changes
// nothing (its shares would be zero divided by zero).
void foldtotals(Module1State& totals, const TestScore& score);
