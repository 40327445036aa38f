// The note entry of one beat: the rows each of the 31 rhythm-group codes adds.

#include "notationfixture.h"

#include "notation/rhythmgroups.h"
#include "shell/module1.h"

#include <set>

namespace {

class NoteEntryTest : public NotationFixture {};

struct CodeRow {
    int64_t code;
    std::vector<int64_t> onsets;  // beat-sixtieths, as the notation writes them
};

// The figures as musicians read them: halves, quarters, thirds, sixths,
// fifths and eighths (whose odd positions are truncated to 7, 22 and 37).
const CodeRow codeRows[] = {
    {0, {0}},
    {1, {}},
    {2, {0, 30}},
    {3, {30}},
    {4, {0, 15, 30, 45}},
    {5, {0, 15, 30}},
    {6, {0, 30, 45}},
    {7, {0, 45}},
    {8, {}},
    {9, {0}},
    {10, {0, 20, 40}},
    {11, {0, 40}},
    {12, {0, 30, 40}},
    {13, {20, 40}},
    {14, {0, 10, 20, 30, 40, 50}},
    {15, {0, 10, 20, 40}},
    {16, {0, 10, 20, 30, 40}},
    {17, {0, 20, 30, 40, 50}},
    {18, {0}},
    {19, {}},
    {20, {0, 30}},
    {21, {30}},
    {22, {0, 15, 45}},
    {23, {15, 30, 45}},
    {24, {15, 45}},
    {25, {0, 15, 22, 30, 45}},
    {26, {0, 7, 15, 22, 30, 45}},
    {27, {0, 15, 22, 30, 37, 45}},
    {28, {0, 12, 24, 36, 48}},
    {29, {0, 12, 36, 48}},
    {30, {0, 12, 24, 48}},
};

TEST_F(NoteEntryTest, EveryCodeAddsItsRowsOnTheBeatBase) {
    for (bool lastBeat : {false, true}) {
        for (const CodeRow& row : codeRows) {
            SCOPED_TRACE(testing::Message() << "code " << row.code << (lastBeat ? " on the last beat" : ""));
            startTest(60, 4, 4);
            w->pagenumber = 1;
            w->startofnote = 180;  // bar 2's first beat: 60 * 1 + 180 = 240
            w->notesinbar = 3;
            int64_t lastpitch = 0;
            const int64_t beat = lastBeat ? 4 : 2;
            w->noteentry(row.code, beat, 4, lastpitch);

            const auto added = rows();
            ASSERT_EQ(added.size(), row.onsets.size());
            for (size_t k = 0; k < added.size(); ++k) {
                EXPECT_EQ(added[k][0], QString::number(240 + row.onsets[k]));
                EXPECT_EQ(added[k][1], "");
                EXPECT_EQ(added[k][2], "");
                EXPECT_EQ(added[k][4], k == 0 ? QString::number(row.code) : QString());
                const int64_t pitch = added[k][3].toLongLong();
                EXPECT_TRUE(pitch >= 0 && pitch <= 6) << added[k][3].toStdString();
                if (k == 0) {
                    EXPECT_TRUE(pitch == 1 || pitch == 2);  // the walk from the bottom note
                } else {
                    EXPECT_NE(added[k][3], added[k - 1][3]);
                }
            }
            EXPECT_EQ(lastpitch, added.empty() ? 0 : added.back()[3].toLongLong());
            EXPECT_EQ(w->startofnote, lastBeat ? 180 : 240);
            EXPECT_EQ(w->notesinbar, 3 + int64_t(row.onsets.size()));
            Window1::destroy();
        }
    }
}

TEST_F(NoteEntryTest, TheTableHoldsTwentyFiveFiguresAndEightyFourNotes) {
    std::set<std::pair<std::string_view, std::vector<int>>> figures;
    std::set<std::string_view> pictures;
    for (const RhythmGroup& group : rhythmgroups()) {
        figures.emplace(group.picture, group.onsets);
        pictures.insert(group.picture);
    }
    // Codes sharing a picture share the whole figure.
    EXPECT_EQ(figures.size(), 25u);
    EXPECT_EQ(pictures.size(), 25u);
    size_t notes = 0;
    for (const auto& figure : figures) notes += figure.second.size();
    EXPECT_EQ(notes, 84u);
}

TEST_F(NoteEntryTest, OnsetsInTicksAtSlowerAndFasterTempos) {
    struct Row {
        int64_t tempo, code;
        std::vector<int64_t> offsets;
    };
    const Row rows_[] = {
        {40, 26, {0, 4, 10, 14, 20, 30}},   // 7 -> 4, 22 -> 14
        {40, 27, {0, 10, 14, 20, 24, 30}},  // 37 -> 24
        {40, 14, {0, 6, 13, 20, 26, 33}},
        {40, 28, {0, 8, 16, 24, 32}},
        {20, 26, {0, 2, 5, 7, 10, 15}},
        {75, 28, {0, 15, 30, 45, 60}},       // ts(12) = 15, ts(36) = 45
        {75, 13, {25, 50}},
    };
    for (const Row& row : rows_) {
        SCOPED_TRACE(testing::Message() << "code " << row.code << " at " << row.tempo);
        startTest(row.tempo, 4, 4);
        int64_t lastpitch = 0;
        w->noteentry(row.code, 1, 4, lastpitch);
        QStringList expected;
        for (int64_t offset : row.offsets) expected << QString::number(offset);
        EXPECT_EQ(column(0), expected);
        EXPECT_EQ(w->startofnote, row.tempo);
        Window1::destroy();
    }
}

TEST_F(NoteEntryTest, EveryFigureFallsOnDistinctTicksInsideItsBeatAtEveryTempo) {
    Window1& window = openWindow();
    for (int64_t tempo = 20; tempo <= 80; ++tempo) {
        Module1.lasttesttickspeed = tempo;
        for (const RhythmGroup& group : rhythmgroups()) {
            int64_t previous = -1;
            for (int onset : group.onsets) {
                const int64_t tick = window.ts(onset);
                EXPECT_EQ(tick, onset * tempo / 60) << "onset " << onset << " at " << tempo;
                EXPECT_GT(tick, previous);
                EXPECT_LT(tick, window.ts(60));
                previous = tick;
            }
        }
    }
}

TEST_F(NoteEntryTest, PitchWalkCarriesOverFromBeatToBeat) {
    startTest(60, 4, 4);
    int64_t lastpitch = 5;
    random->script = {6};  // from 5 the walk goes to 4 or 6
    w->noteentry(0, 1, 4, lastpitch);
    EXPECT_EQ(random->ranges.at(0), std::make_pair(int64_t(4), int64_t(6)));
    EXPECT_EQ(w->notelist->Cell(0, 3), "6");
    EXPECT_EQ(lastpitch, 6);
}

}  // namespace
