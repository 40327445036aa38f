// Bringing the main window into its idle state when it opens, and closing it.

#include "notation/rhythmgroups.h"
#include "platform/application.h"
#include "platform/dispatch.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "shell/catalogue.h"
#include "shell/catalogue_names.h"
#include "shell/mainmenubar.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "shell/window1frame.h"
#include "windows/about.h"

#include <QDir>


void Window1::AddMenuHandlers() {
    // The menu bar outlives this window: the binding goes with the frame.
    QObject::connect(MainMenuBar::instance().HelpMenu, &QAction::triggered, frame_.get(),
                     [this] { platform::dispatch("_HelpMenu_Action", [this] { return _HelpMenu_Action(); }); });
}

bool Window1::_HelpMenu_Action() {
    about::instance().Show();
    return true;
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

    openmidiinputs();
    loaddata();

    showtotals();
    Slider1->setValue(int(Module1.tickspeed));
    showtempo();
}

Window1::InstrumentSamples Window1::loadinstrument(const QString& name) {
    InstrumentSamples result;
    const QFileInfo folder = platform::GetFolderItem(name);
    if (!folder.isDir()) return result;
    // Every file is looked up and opened before anything is decided, so a
    // folder short of several files is reported once.
    bool missing = false;
    const QDir dir(folder.absoluteFilePath());
    for (size_t pitch = 0; pitch < catalogue_names::samples.size(); ++pitch) {
        const std::string_view file = catalogue_names::samples[pitch];
        const QString path = dir.filePath(QString::fromLatin1(file.data(), qsizetype(file.size())));
        if (!QFileInfo(path).isFile()) missing = true;
        result.sounds[pitch] = platform::Sound::open(path);
    }
    result.outcome = missing ? InstrumentSamples::Outcome::filemissing : InstrumentSamples::Outcome::loaded;
    return result;
}

bool Window1::loadinstrumentsounds() {
    InstrumentSamples samples = loadinstrument(Module1.ins);
    switch (samples.outcome) {
        case InstrumentSamples::Outcome::foldermissing:
            platform::MsgBox(QStringLiteral("I can't find the folder \"") + Module1.ins +
                             QStringLiteral("\". The program will have to close"));
            return false;
        case InstrumentSamples::Outcome::filemissing:
            platform::MsgBox(QStringLiteral("One of more of the files in the ") + Module1.ins +
                             QStringLiteral(" folder is missing. The program will have to close"));
            return false;
        case InstrumentSamples::Outcome::loaded:
            break;
    }
    Module1.sounds = samples.sounds;
    return true;
}

void Window1::Event_Close() {
    closemidiinput();
    platform::Quit();
}
