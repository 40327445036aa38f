#pragma once
// The program's secondary windows (options, help, about) are single
// instances: asking for one yields the window that is open, or makes a new
// one when none is. Closing a window destroys it, so the next request builds
// it afresh from its layout and shows the current settings again.
//
// A window lies over the main window (and is destroyed with it); it is shown
// modelessly with Show or modally with ShowModal, which returns once the
// player has closed it.

#include "shell/window1.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace windows {

template <class W>
class SingleWindow : public QWidget {
public:
    // The open window, made (laid out and opened) when there is none.
    static W& instance() {
        if (!current_) {
            current_ = new W;
            static_cast<SingleWindow*>(current_)->opened();
        }
        return *current_;
    }
    // Whether a window is open, without making one.
    static bool exists() { return current_ != nullptr; }

    // Shows the window without waiting.
    void Show() {
        if (!placed_) placeOverParent();
        show();
        raise();
        activateWindow();
    }

    // Shows the window and blocks the rest of the program until the player
    // closes it.
    void ShowModal() {
        setWindowModality(Qt::ApplicationModal);
        Show();
        QEventLoop loop;
        modalLoop_ = &loop;
        loop.exec();
    }

    void Close() { close(); }

    ~SingleWindow() override {
        if (current_ == this) current_ = nullptr;
        if (modalLoop_) modalLoop_->quit();
    }

protected:
    explicit SingleWindow(Qt::WindowFlags flags)
        : QWidget(Window1::exists() ? &Window1::instance().frame() : nullptr, Qt::Window | flags) {}

    // Runs once the window has been made: the window's own open handling.
    virtual void opened() {}

    void closeEvent(QCloseEvent* event) override {
        // From here on a request makes a new window; this one goes once the
        // event that closed it is done.
        if (current_ == this) current_ = nullptr;
        if (modalLoop_) modalLoop_->quit();
        event->accept();
        deleteLater();
    }

private:
    void placeOverParent() {
        placed_ = true;
        if (QWidget* owner = parentWidget()) {
            const QRect over = owner->frameGeometry();
            move(over.center() - QPoint(width() / 2, height() / 2));
        }
    }

    static inline W* current_ = nullptr;
    QPointer<QEventLoop> modalLoop_;
    bool placed_ = false;
};

}  // namespace windows
