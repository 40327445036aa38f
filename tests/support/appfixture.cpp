#include "support/appfixture.h"
#include "support/programstate.h"

#include "platform/application.h"
#include "platform/files.h"
#include "platform/keyboard.h"
#include "platform/messagebox.h"
#include "shell/catalogue.h"
#include "shell/catalogue_names.h"
#include "shell/module1.h"
#include "shell/window1.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

// Links rather than copies: the scratch folder looks like the program's own
// folder at no cost, and a test may still delete or add entries in it.
void linkTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& entry : QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir())
            linkTree(entry.absoluteFilePath(), target);
        else
            QFile::link(entry.absoluteFilePath(), target);
    }
}

}  // namespace

AppFixture::AppFixture() {
    Module1 = Module1State{};
    catalogue::clear();
    platform::setMessagePresenter([this](const QString& text) { messages << text; });
    platform::setQuitHook([this] { ++quits; });
    platform::setModifierSource([] { return Qt::KeyboardModifiers(); });
    linkTree(QStringLiteral(TAPTRELL_PROGRAM_DIR "/resources"), QDir(scratch_.path()).filePath("resources"));
    for (std::string_view name : catalogue_names::instruments) {
        const QString folderName = QString::fromLatin1(name.data(), qsizetype(name.size()));
        const QString folder = QDir(QStringLiteral(TAPTRELL_PROGRAM_DIR)).filePath(folderName);
        if (QFileInfo(folder).isDir()) linkTree(folder, QDir(scratch_.path()).filePath(folderName));
    }
    platform::setProgramFolder(scratch_.path());
    setApp(&application);
    application.Randomizer = random;
}

AppFixture::~AppFixture() {
    forgetProgramState();
    setApp(nullptr);
    platform::setProgramFolder(QString());
    platform::setMessagePresenter({});
    platform::setQuitHook({});
    platform::setModifierSource({});
}

Window1& AppFixture::openWindow() { return Window1::instance(); }
