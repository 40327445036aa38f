#include "platform/application.h"

#include <QCoreApplication>
#include <QTimer>

namespace platform {
namespace {
bool requested = false;
std::function<void()>& hook() {
    static std::function<void()> current;
    return current;
}
}  // namespace

void Quit() {
    requested = true;
    if (hook()) {
        hook()();
        return;
    }
    // Queued, so that it also takes effect when the loop has not started yet.
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
}

bool quitRequested() { return requested; }

void setQuitHook(std::function<void()> h) {
    hook() = std::move(h);
    requested = false;
}

}  // namespace platform
