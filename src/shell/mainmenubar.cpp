#include "shell/mainmenubar.h"

#include <QKeySequence>

MainMenuBar& MainMenuBar::instance() {
    // Owned by the main window's frame once attached; made without a parent.
    static MainMenuBar* bar = new MainMenuBar;
    return *bar;
}

MainMenuBar::MainMenuBar() {
    setNativeMenuBar(false);
    Untitled0();
    Untitled1();
    Untitled2();
}

void MainMenuBar::Untitled0() {
    FileMenu = addMenu(QStringLiteral("&File"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    FileQuit = FileMenu->addAction(QStringLiteral("E&xit"));
    FileQuit->setObjectName(QStringLiteral("FileQuit"));
    FileQuit->setMenuRole(QAction::QuitRole);
}

void MainMenuBar::Untitled1() {
    EditMenu = addMenu(QStringLiteral("&Edit"));
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    auto item = [this](const char* name, const char* text, const char* shortcut) {
        QAction* action = EditMenu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::fromLatin1(name));
        if (shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
        return action;
    };
    auto separator = [this](const char* name) {
        QAction* action = EditMenu->addSeparator();
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    EditUndo = item("EditUndo", "&Undo", "Ctrl+Z");
    EditSeparator1 = separator("EditSeparator1");
    EditCut = item("EditCut", "Cu&t", "Ctrl+X");
    EditCopy = item("EditCopy", "&Copy", "Ctrl+C");
    EditPaste = item("EditPaste", "&Paste", "Ctrl+V");
    EditClear = item("EditClear", "&Delete", nullptr);
    EditSeparator2 = separator("EditSeparator2");
    EditSelectAll = item("EditSelectAll", "Select &All", "Ctrl+A");
}

void MainMenuBar::Untitled2() {
    HelpMenu = addAction(QStringLiteral("Help"));
    HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
}
