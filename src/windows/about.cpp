#include "windows/about.h"

#include "platform/dispatch.h"
#include "platform/fonts.h"
#include "windows/helpwin.h"

#include <QKeyEvent>

about::about() : SingleWindow(Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                              Qt::CustomizeWindowHint) {
    Layout();
    _CreateControls0();
}

void about::Layout() {
    setObjectName(QStringLiteral("about"));
    setWindowTitle(QStringLiteral("About Taptrell"));
    setFixedSize(408, 234);
}

void about::_CreateControls0() {
    Label1 = new QLabel(QStringLiteral("Taptrell version 1.4"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(42, 41, 346, 106);
    Label1->setFont(platform::namedFont(QStringLiteral("Arial"), 14, false, false, platform::FontUnit::Point));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setTextInteractionFlags(Qt::NoTextInteraction);
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(palette);

    PushButton1 = new QPushButton(QStringLiteral("Help"), this);
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton1->setGeometry(164, 169, 80, 29);
    PushButton1->setFont(platform::namedFont(QStringLiteral("System"), 14, false, false, platform::FontUnit::Point));
    PushButton1->setDefault(true);
    PushButton1->setFocus();
    connect(PushButton1, &QPushButton::clicked, this,
            [this] { platform::dispatch("PushButton1_Action", [this] { PushButton1_Action(); }); });
}

void about::PushButton1_Action() {
    helpwin::instance().Show();
    about::instance().Close();
}

void about::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        PushButton1->click();
        return;
    }
    SingleWindow::keyPressEvent(event);
}
