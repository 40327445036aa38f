#include "shell/window1.h"

#include "platform/dispatch.h"
#include "shell/mainmenubar.h"
#include "shell/window1frame.h"

#include <QCloseEvent>
#include <QLayout>

void Window1Frame::closeEvent(QCloseEvent* event) {
    platform::dispatch("Event_Close", [this] { owner_.Event_Close(); });
    event->accept();
}

namespace {
Window1* theWindow = nullptr;
}

Window1& Window1::instance() {
    if (!theWindow) {
        theWindow = new Window1;
        theWindow->open();
    }
    return *theWindow;
}

bool Window1::exists() { return theWindow != nullptr; }

void Window1::destroy() {
    delete theWindow;
    theWindow = nullptr;
}

Window1::Window1() {
    place.fill(0);
    frame_ = std::make_unique<Window1Frame>(*this);
    Layout();
    CreateControls();
    BindHandlers();
}

Window1::~Window1() {
    // The menu bar outlives every window: take it back before the frame goes.
    MainMenuBar::instance().setParent(nullptr);
    Timer1.setEnabled(false);
    prestarttimer.setEnabled(false);
    replaytimer.setEnabled(false);
}

void Window1::open() {
    AddMenuHandlers();
    platform::dispatch("Event_Open", [this] { Event_Open(); });
    frame_->show();
}

void Window1::setplace(int64_t index, int64_t value) {
    // A bar holds at most 30 notes; a write past the table's end is dropped.
    if (index >= 0 && index < int64_t(place.size())) place[size_t(index)] = value;
}

QMainWindow& Window1::frame() { return *frame_; }

int Window1::Width() const { return content_->width(); }

int Window1::Height() const { return content_->height(); }

void Window1::setWidth(int width) { content_->setFixedSize(width, content_->height()); }

void Window1::Close() { frame_->close(); }
