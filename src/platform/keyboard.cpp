#include "platform/keyboard.h"

#include <QGuiApplication>

namespace platform {
namespace {
std::function<Qt::KeyboardModifiers()>& source() {
    static std::function<Qt::KeyboardModifiers()> current;
    return current;
}
Qt::KeyboardModifiers held() {
    return source() ? source()() : QGuiApplication::queryKeyboardModifiers();
}
}  // namespace

bool ShiftKey() { return held().testFlag(Qt::ShiftModifier); }
bool ControlKey() { return held().testFlag(Qt::ControlModifier); }
bool AltKey() { return held().testFlag(Qt::AltModifier); }

void setModifierSource(std::function<Qt::KeyboardModifiers()> s) { source() = std::move(s); }

}  // namespace platform
