#pragma once
// The menu bar: File with its quit item, Edit with the standard editing items,
// and a top-level "Help" item with nothing under it. One instance serves the
// whole run.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

class MainMenuBar : public QMenuBar {
public:
    // The program's one menu bar, made by the first call.
    static MainMenuBar& instance();

    QMenu* FileMenu = nullptr;
    QAction* FileQuit = nullptr;
    QMenu* EditMenu = nullptr;
    QAction* EditUndo = nullptr;
    QAction* EditSeparator1 = nullptr;
    QAction* EditCut = nullptr;
    QAction* EditCopy = nullptr;
    QAction* EditPaste = nullptr;
    QAction* EditClear = nullptr;
    QAction* EditSeparator2 = nullptr;
    QAction* EditSelectAll = nullptr;
    QAction* HelpMenu = nullptr;

private:
    MainMenuBar();
    void Untitled0();
    void Untitled1();
    void Untitled2();
};
