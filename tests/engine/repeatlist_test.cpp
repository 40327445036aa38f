// The repeat-test list built from small note tables.

#include "enginefixture.h"

#include <QStringList>

namespace {

class RepeatListTest : public EngineTest {
protected:
    QStringList list() const {
        QStringList codes;
        for (int r = 0; r < w.retestlist->ListCount(); ++r) codes << w.retestlist->Cell(r, 0);
        return codes;
    }
};

struct Note {
    int64_t due;
    QString code;  // "" on a group's later notes
};

struct Case {
    const char* name;
    int64_t tempo;
    std::vector<Note> notes;
    QStringList expected;
};

const Case cases[] = {
    {"rests and a group starting after its beat come back as rests", 60,
     {{0, "0"}, {60, "2"}, {90, ""}, {210, "3"}, {240, "4"}, {255, ""}, {270, ""}, {285, ""}, {300, "9"}, {360, "0"}},
     {"0", "2", "1", "1", "4", "9", "0"}},
    {"codes that share a figure are carried over as drawn", 60,
     {{0, "9"}, {60, "18"}, {120, "20"}, {150, ""}, {180, "0"}},
     {"0", "18", "20", "0"}},
    {"groups whose first note is late, at 40 ticks to the beat", 40,
     // beat 40: rtrip (13) at 53, 66; beat 80: rttt (23) at 90, 100, 110;
     // beat 120: rqs (24) at 130, 150; beat 160: crotchet
     {{0, "0"}, {53, "13"}, {66, ""}, {90, "23"}, {100, ""}, {110, ""}, {130, "24"}, {150, ""}, {160, "0"}},
     {"0", "1", "1", "1", "0"}},
    {"a single row", 60, {{0, "0"}}, {"0"}},
    // A repeat made after the options shrank the test can end off the beat
    // grid; the list ends at the table's last note instead of reading past it.
    {"the last note off the beat grid", 60, {{0, "0"}, {60, "2"}, {90, ""}, {150, "3"}}, {"0", "2", "1"}},
};

TEST_F(RepeatListTest, OneCodePerBeatFromTheNoteTable) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Module1.lasttesttickspeed = c.tempo;
        w.notelist->DeleteAllRows();
        for (const Note& note : c.notes) addnote(note.due, 0, note.code);
        Module1.retest = true;
        w.setrepeat();
        EXPECT_EQ(list(), c.expected);
        EXPECT_TRUE(Module1.retest);
        w.setrepeat();
        EXPECT_EQ(list(), c.expected) << "built again from the same table";
    }
}

TEST_F(RepeatListTest, AFullTestOfFourBarsOfFourBeatsGivesFifteenRows) {
    Module1.lasttesttickspeed = 60;
    // The first note carries some other code: row 0 is "0" all the same.
    for (int64_t beat = 0; beat < 15; ++beat) addnote(beat * 60, 0, beat == 0 ? "18" : beat == 14 ? "0" : "4");
    w.setrepeat();
    const QStringList codes = list();
    ASSERT_EQ(codes.size(), 15);
    EXPECT_EQ(codes.front(), "0");
    EXPECT_EQ(codes.back(), "0");
    EXPECT_EQ(codes.count("4"), 13);
}

TEST_F(RepeatListTest, AnEmptyNoteTableEndsRepeatingAndKeepsTheOldList) {
    Module1.lasttesttickspeed = 60;
    w.retestlist->AddRow("0");
    w.retestlist->AddRow("5");
    Module1.retest = true;
    w.setrepeat();
    EXPECT_FALSE(Module1.retest);
    EXPECT_EQ(list(), QStringList({"0", "5"}));
}

}  // namespace
