// The main window's opening: defaults, the instrument samples, the totals
// captions and the tempo; and its closing.

#include "platform/files.h"
#include "shell/catalogue.h"
#include "shell/mainmenubar.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "support/appfixture.h"

#include <QDir>
#include <QFile>

class MainWindowOpen : public AppFixture {
protected:
    QString instrumentFolder(const QString& name) const { return QDir(programFolder()).filePath(name); }
    QStringList programFolderEntries() const {
        return QDir(programFolder()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    }
};

TEST_F(MainWindowOpen, DefaultsStandAfterStartUp) {
    application.Event_Open();
    EXPECT_NE(application.Randomizer, nullptr);
    Window1& w = openWindow();
    EXPECT_EQ(Module1.level, 2);
    EXPECT_EQ(Module1.stlevel, 0);
    EXPECT_EQ(Module1.tickspeed, 60);
    EXPECT_EQ(Module1.earlychange, 80);
    EXPECT_EQ(Module1.skillcorrect, 0);
    EXPECT_FALSE(Module1.midiinput || Module1.playmidinotes || Module1.reptest || Module1.retest);
    EXPECT_EQ(Module1.ins, "piano");
    EXPECT_EQ(Module1.insindex, 0);
    EXPECT_TRUE(Module1.countin);
    EXPECT_EQ(Module1.lastnoteplayed, 0);
    EXPECT_EQ(Module1.lasttesttickspeed, 0);
    EXPECT_EQ(w.beatsinbar, 4);
    EXPECT_EQ(w.bars, 4);
    EXPECT_TRUE(w.listenplay);
    EXPECT_TRUE(w.allowplay);
    EXPECT_FALSE(w.newpagecheck);
    EXPECT_EQ(w.pagenumber, 0);
    for (int64_t entry : w.place) EXPECT_EQ(entry, -1);
    EXPECT_EQ(w.notelist->ListCount(), 0);
    EXPECT_EQ(w.retestlist->ListCount(), 0);
    EXPECT_FALSE(w.Timer1.Enabled() || w.prestarttimer.Enabled() || w.replaytimer.Enabled());
    EXPECT_FALSE(w.lisplaylabel->isVisible());
    EXPECT_FALSE(w.BevelButton3->isEnabled());
    EXPECT_EQ(w.BevelButton3->Icon(), catalogue::picture("resultslight"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(quits, 0);
}

TEST_F(MainWindowOpen, RhythmGroupTablesShareOnePicturePerFigure) {
    openWindow();
    EXPECT_EQ(Module1.notes[0], catalogue::picture("crot"));
    EXPECT_EQ(Module1.notes[9], Module1.notes[0]);
    EXPECT_EQ(Module1.notes[18], Module1.notes[0]);
    EXPECT_EQ(Module1.notes[1], catalogue::picture("CR"));
    EXPECT_EQ(Module1.notes[8], Module1.notes[1]);
    EXPECT_EQ(Module1.notes[19], Module1.notes[1]);
    EXPECT_EQ(Module1.notes[20], Module1.notes[2]);
    EXPECT_EQ(Module1.notes[21], Module1.notes[3]);
    EXPECT_EQ(Module1.notespace[0], 201);
    EXPECT_EQ(Module1.notespace[14], 638);
    EXPECT_EQ(Module1.notespace[30], 463);
    for (const auto& picture : Module1.notes) EXPECT_TRUE(picture && picture->isLoaded());
}

TEST_F(MainWindowOpen, CaptionsAndTempoShowTheTotalsToDate) {
    Window1& w = openWindow();
    EXPECT_EQ(w.ttestslabel->text(), "Number of tests 0");
    EXPECT_EQ(w.tnoteslabel->text(), "Notes played 0");
    EXPECT_EQ(w.tacclabel->text(), "Accuracy 0%");
    EXPECT_EQ(w.thitslabel->text(), "Perfect hits 0%");
    EXPECT_EQ(w.tnearlabel->text(), "Pretty close hits 0%");
    EXPECT_EQ(w.tmisslabel->text(), "Way off hits 0%");
    EXPECT_EQ(w.Slider1->minimum(), 20);
    EXPECT_EQ(w.Slider1->maximum(), 80);
    EXPECT_EQ(w.Slider1->pageStep(), 1);
    EXPECT_EQ(w.Slider1->value(), 60);
    EXPECT_EQ(w.tempolabel->text(), "60 bpm");
}

TEST_F(MainWindowOpen, TheSevenSamplesOfTheInstrumentAreLoaded) {
    openWindow();
    const QStringList files{"c.wav", "d.wav", "e.wav", "f.wav", "g.wav", "a.wav", "ch.wav"};
    for (int pitch = 0; pitch < 7; ++pitch) {
        ASSERT_NE(Module1.sounds[size_t(pitch)], nullptr);
        EXPECT_EQ(QFileInfo(Module1.sounds[size_t(pitch)]->path()).fileName(), files[pitch]);
        EXPECT_TRUE(Module1.sounds[size_t(pitch)]->isLoaded());
    }
}

// A missing folder or sample ends the program after one message, before the
// rest of the opening runs; the samples table is left untouched.
struct MissingSamples {
    const char* name;
    const char* instrument;
    const char* removedFile;  // nullptr: the whole folder is removed
    const char* message;
};

void PrintTo(const MissingSamples& c, std::ostream* os) { *os << c.name; }

class MissingSamplesTest : public MainWindowOpen, public testing::WithParamInterface<MissingSamples> {};

TEST_P(MissingSamplesTest, ShowsOneMessageAndQuits) {
    const MissingSamples& c = GetParam();
    Module1.ins = QString::fromLatin1(c.instrument);
    const QString folder = instrumentFolder(Module1.ins);
    if (c.removedFile)
        ASSERT_TRUE(QFile::remove(QDir(folder).filePath(QString::fromLatin1(c.removedFile))));
    else
        ASSERT_TRUE(QDir(folder).removeRecursively());

    Window1& w = openWindow();
    EXPECT_EQ(messages, QStringList{QString::fromLatin1(c.message)});
    EXPECT_EQ(quits, 1);
    for (const auto& sample : Module1.sounds) EXPECT_EQ(sample, nullptr);
    EXPECT_EQ(w.tempolabel->text(), "60 bpm") << "the captions keep their built texts";
    EXPECT_EQ(w.ttestslabel->text(), "Number of tests");
    EXPECT_EQ(w.Slider1->maximum(), 100) << "the slider is not narrowed";
}

INSTANTIATE_TEST_SUITE_P(
    Table, MissingSamplesTest,
    testing::Values(
        MissingSamples{"PianoFolder", "piano", nullptr,
                       "I can't find the folder \"piano\". The program will have to close"},
        MissingSamples{"PianoChord", "piano", "ch.wav",
                       "One of more of the files in the piano folder is missing. The program will have to close"},
        MissingSamples{"FluteFirstSample", "flute", "c.wav",
                       "One of more of the files in the flute folder is missing. The program will have to close"}),
    [](const testing::TestParamInfo<MissingSamples>& param) { return std::string(param.param.name); });

TEST_F(MainWindowOpen, WritesBeyondTheTapTableAreIgnored) {
    Window1& w = openWindow();
    w.setplace(100, 42);
    w.setplace(101, 7);
    w.setplace(-1, 7);
    EXPECT_EQ(w.place[100], 42);
    EXPECT_EQ(w.place[99], -1);
}

// Both ways out end the program the same way, and neither writes a file.
class MainWindowClose : public MainWindowOpen, public testing::WithParamInterface<bool> {};

TEST_P(MainWindowClose, QuitsWithoutWritingAnyFile) {
    Window1& w = openWindow();
    const QStringList before = programFolderEntries();
    if (GetParam())
        MainMenuBar::instance().FileQuit->trigger();
    else
        w.frame().close();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(programFolderEntries(), before);
    EXPECT_FALSE(QFileInfo(QDir(programFolder()).filePath("mydata.txt")).exists());
}

INSTANTIATE_TEST_SUITE_P(ByMenuAndByCloseBox, MainWindowClose, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& param) {
                             return std::string(param.param ? "FileQuit" : "CloseBox");
                         });
