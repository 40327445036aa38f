#pragma once
// The state of the Shift, Control and Alt keys, as the handlers read it.

#include <Qt>
#include <functional>

namespace platform {

bool ShiftKey();
bool ControlKey();
bool AltKey();

// Tests hold keys down by installing a source; an empty one restores the real state.
void setModifierSource(std::function<Qt::KeyboardModifiers()> source);

}  // namespace platform
