#pragma once
// The about box: the version line and a Help button that leads on to the
// help window.

#include "windows/singlewindow.h"

#include <QLabel>
#include <QPushButton>

class about : public windows::SingleWindow<about> {
public:
    QLabel* Label1 = nullptr;
    QPushButton* PushButton1 = nullptr;  // "Help"

    void PushButton1_Action();

protected:
    // Return and Enter press the Help button, the box's default button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class windows::SingleWindow<about>;
    about();
    void Layout();
    void _CreateControls0();
};
