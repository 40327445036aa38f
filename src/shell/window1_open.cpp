// Bringing the main window into its idle state when it opens, and closing it.

#include "notation/rhythmgroups.h"
#include "platform/application.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/text.h"
#include "shell/catalogue.h"
#include "shell/catalogue_names.h"
#include "shell/module1.h"
#include "shell/window1.h"

#include <QDir>

using platform::FormatHashHash;
using platform::Str;

void Window1::AddMenuHandlers() {
    // The menu bar's "Help" item is bound to the about box by the windows
    // that build it.
}

void Window1::Event_Open() {
    lisplaylabel->setVisible(false);
    BevelButton3->setEnabled(false);
    BevelButton3->setIcon(catalogue::picture("resultslight"));
    place.fill(-1);
    Timer1.setEnabled(false);
    replaytimer.setEnabled(false);
    prestarttimer.setEnabled(false);

    const auto& groups = rhythmgroups();
    for (size_t code = 0; code < groups.size(); ++code) Module1.notes[code] = catalogue::picture(groups[code].picture);
    for (size_t code = 0; code < groups.size(); ++code) Module1.notespace[code] = groups[code].width;

    if (!loadinstrumentsounds()) {
        platform::Quit();
        return;
    }

    Slider1->setMaximum(80);
    Slider1->setMinimum(20);
    Slider1->setPageStep(1);

    // The MIDI input scan and the reading of the saved settings and totals
    // come here, in that order, before the totals are shown.
    loaddata();

    ttestslabel->setText(QStringLiteral("Number of tests ") + Str(Module1.totaltests));
    tnoteslabel->setText(QStringLiteral("Notes played ") + Str(Module1.totalnotes));
    tacclabel->setText(QStringLiteral("Accuracy ") + FormatHashHash(Module1.totalaccuracy) + QStringLiteral("%"));
    thitslabel->setText(QStringLiteral("Perfect hits ") + FormatHashHash(Module1.correct) + QStringLiteral("%"));
    tnearlabel->setText(QStringLiteral("Pretty close hits ") + FormatHashHash(Module1.almost) + QStringLiteral("%"));
    tmisslabel->setText(QStringLiteral("Way off hits ") + FormatHashHash(Module1.miss) + QStringLiteral("%"));

    Slider1->setValue(int(Module1.tickspeed));
    // A damaged settings file is the only way to a tempo of 0; show no tempo then.
    tempolabel->setText(Module1.tickspeed > 0 ? Str(3600 / Module1.tickspeed) + QStringLiteral(" bpm") : QString());
}

bool Window1::loadinstrumentsounds() {
    const QFileInfo folder = platform::GetFolderItem(Module1.ins);
    if (!folder.isDir()) {
        platform::MsgBox(QStringLiteral("I can't find the folder \"") + Module1.ins +
                         QStringLiteral("\". The program will have to close"));
        return false;
    }
    std::array<platform::SoundPtr, 7> loaded{};
    bool missing = false;
    const QDir dir(folder.absoluteFilePath());
    for (size_t pitch = 0; pitch < catalogue_names::samples.size(); ++pitch) {
        const std::string_view name = catalogue_names::samples[pitch];
        const QString path = dir.filePath(QString::fromLatin1(name.data(), qsizetype(name.size())));
        if (!QFileInfo(path).isFile()) missing = true;
        loaded[pitch] = platform::Sound::open(path);
    }
    if (missing) {
        platform::MsgBox(QStringLiteral("One of more of the files in the ") + Module1.ins +
                         QStringLiteral(" folder is missing. The program will have to close"));
        return false;
    }
    Module1.sounds = loaded;
    return true;
}

void Window1::Event_Close() {
    // Closing the MIDI input comes here, with the MIDI input scan.
    platform::Quit();
}
