// The instrument menu: fourteen instruments; a choice is taken only when the
// chosen folder holds all seven samples, and refused with a message otherwise.

#include "shell/catalogue_names.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "support/appfixture.h"

#include <QDir>
#include <QFile>

namespace {

QStringList allsamples() {
    QStringList files;
    for (std::string_view name : catalogue_names::samples)
        files << QString::fromLatin1(name.data(), qsizetype(name.size()));
    return files;
}

}  // namespace

class InstrumentMenu : public AppFixture {
protected:
    InstrumentMenu() : w((makeinstrument(QStringLiteral("piano"), allsamples()), openWindow())) {}

    // An instrument folder holding `files`, replacing any folder of that name;
    // with `present` false there is no such folder at all.
    void makeinstrument(const QString& name, const QStringList& files, bool present = true) {
        QDir folder(QDir(programFolder()).filePath(name));
        folder.removeRecursively();
        if (!present) return;
        QDir().mkpath(folder.path());
        for (const QString& file : files) {
            QFile sample(folder.filePath(file));
            ASSERT_TRUE(sample.open(QIODevice::WriteOnly));
        }
    }

    int row(const QString& name) const { return w.PopupMenu1->findText(name); }

    Window1& w;
};

TEST_F(InstrumentMenu, OffersTheFourteenInstrumentsOnPiano) {
    const QStringList expected = {"piano",         "violin",      "flute",   "saxophone", "trumpet",
                                  "trombone",      "rhythm guitar", "bass guitar", "marimba", "snare drum",
                                  "drumkit",       "congas",      "yangqin", "user"};
    QStringList rows;
    for (int i = 0; i < w.PopupMenu1->count(); ++i) rows << w.PopupMenu1->itemText(i);
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(w.PopupMenu1->currentIndex(), 0);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(InstrumentMenu, AChoiceIsTakenOnlyWithAllSevenFiles) {
    QStringList withoutch = allsamples();
    withoutch.removeAll(QStringLiteral("ch.wav"));
    const struct {
        const char* name;
        bool present;
        QStringList files;
        QString message;
    } refused[] = {
        {"violin", false, {}, "I can't find the folder violin"},
        {"rhythm guitar", false, {}, "I can't find the folder rhythm guitar"},
        {"flute", true, withoutch, "One of more of the files in the flute folder is missing"},
        {"congas", true, {"c.wav", "a.wav"}, "One of more of the files in the congas folder is missing"},
        {"user", true, {}, "One of more of the files in the user folder is missing"},
    };
    makeinstrument(QStringLiteral("marimba"), allsamples());
    w.PopupMenu1->setCurrentIndex(row(QStringLiteral("marimba")));
    ASSERT_EQ(Module1.ins, "marimba");
    const auto current = Module1.sounds;

    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        messages.clear();
        makeinstrument(QString::fromLatin1(c.name), c.files, c.present);
        w.PopupMenu1->setCurrentIndex(row(QString::fromLatin1(c.name)));
        EXPECT_EQ(messages, QStringList{c.message});
        EXPECT_EQ(w.PopupMenu1->currentText(), "marimba");
        EXPECT_EQ(Module1.ins, "marimba");
        EXPECT_EQ(Module1.insindex, 8);
        EXPECT_EQ(Module1.sounds, current);
    }
}

TEST_F(InstrumentMenu, AllSevenFilesReplaceTheSamples) {
    makeinstrument(QStringLiteral("user"), allsamples());
    w.PopupMenu1->setCurrentIndex(13);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(Module1.ins, "user");
    EXPECT_EQ(Module1.insindex, 13);
    const QStringList files = allsamples();
    for (size_t pitch = 0; pitch < Module1.sounds.size(); ++pitch) {
        ASSERT_NE(Module1.sounds[pitch], nullptr);
        EXPECT_EQ(QFileInfo(Module1.sounds[pitch]->path()).fileName(), files[int(pitch)]);
        EXPECT_EQ(QFileInfo(Module1.sounds[pitch]->path()).dir().dirName(), "user");
    }
}
