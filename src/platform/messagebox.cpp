#include "platform/messagebox.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {

MessagePresenter& presenter() {
    static MessagePresenter current;
    return current;
}

void showModal(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

}  // namespace

void MsgBox(const QString& text) {
    if (presenter())
        presenter()(text);
    else
        showModal(text);
}

void setMessagePresenter(MessagePresenter p) { presenter() = std::move(p); }

}  // namespace platform
