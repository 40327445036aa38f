// The instrument menu: which instrument's seven samples the program sounds.
// A choice is taken only when the chosen folder holds all seven files; else
// the player is told and the menu goes back to the instrument in use.

#include "platform/messagebox.h"
#include "shell/catalogue_names.h"
#include "shell/module1.h"
#include "shell/window1.h"

#include <QSignalBlocker>

void Window1::PopupMenu1_Open() {
    const QSignalBlocker quiet(PopupMenu1);
    for (std::string_view name : catalogue_names::instruments)
        PopupMenu1->addItem(QString::fromLatin1(name.data(), qsizetype(name.size())));
    PopupMenu1->setCurrentIndex(0);
}

void Window1::PopupMenu1_Change() {
    const QString name = PopupMenu1->currentText();
    const InstrumentSamples samples = loadinstrument(name);
    switch (samples.outcome) {
        case InstrumentSamples::Outcome::foldermissing:
            platform::MsgBox(QStringLiteral("I can't find the folder ") + name);
            break;
        case InstrumentSamples::Outcome::filemissing:
            platform::MsgBox(QStringLiteral("One of more of the files in the ") + name +
                             QStringLiteral(" folder is missing"));
            break;
        case InstrumentSamples::Outcome::loaded:
            Module1.ins = name;
            Module1.insindex = PopupMenu1->currentIndex();
            Module1.sounds = samples.sounds;
            return;
    }
    const QSignalBlocker quiet(PopupMenu1);
    PopupMenu1->setCurrentIndex(int(Module1.insindex));
}
