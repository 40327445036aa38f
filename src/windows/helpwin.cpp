#include "windows/helpwin.h"

#include "platform/fonts.h"
#include "windows/usermanual.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

helpwin::helpwin()
    : SingleWindow(Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    Layout();
    _CreateControls0();
}

void helpwin::Layout() {
    setObjectName(QStringLiteral("helpwin"));
    setWindowTitle(QStringLiteral("Help"));
    resize(658, 406);
    setMinimumSize(0, 0);
    setMaximumSize(32000, 32000);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

void helpwin::_CreateControls0() {
    TextArea1 = new QTextEdit(this);
    TextArea1->setObjectName(QStringLiteral("TextArea1"));
    // Locked to all four edges: a layout keeps the 20-pixel margins as the
    // window is resized.
    auto* margins = new QVBoxLayout(this);
    margins->setContentsMargins(20, 20, 20, 20);
    margins->addWidget(TextArea1);

    TextArea1->setFrameShape(QFrame::NoFrame);
    TextArea1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    TextArea1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TextArea1->setLineWrapMode(QTextEdit::WidgetWidth);
    TextArea1->setAcceptRichText(false);
    TextArea1->setTabChangesFocus(true);
    TextArea1->setFont(platform::namedFont(QStringLiteral("Arial"), 16, false, false, platform::FontUnit::Point));
    QPalette palette = TextArea1->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    TextArea1->setPalette(palette);

    // The manual's lines are separated by CR LF; the text area shows one
    // paragraph per line.
    TextArea1->setPlainText(windows::usermanual().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QTextCursor all(TextArea1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat spacing;
    spacing.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    spacing.setAlignment(Qt::AlignLeft);
    all.mergeBlockFormat(spacing);
    TextArea1->setReadOnly(true);
    TextArea1->moveCursor(QTextCursor::Start);
}
