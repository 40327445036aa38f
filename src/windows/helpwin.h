#pragma once
// The help window: the user manual in one scrolling, read-only text area,
// shown modelessly beside the main window. It has no state of its own.

#include "windows/singlewindow.h"

#include <QTextEdit>

class helpwin : public windows::SingleWindow<helpwin> {
public:
    QTextEdit* TextArea1 = nullptr;

private:
    friend class windows::SingleWindow<helpwin>;
    helpwin();
    void Layout();
    void _CreateControls0();
};
