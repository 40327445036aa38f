#pragma once
// Message boxes. The program waits for the player to dismiss each one; tests
// install a presenter that records the text instead of blocking.

#include <QString>
#include <functional>

namespace platform {

using MessagePresenter = std::function<void(const QString& text)>;

// Shows `text` and returns when the player has dismissed it.
void MsgBox(const QString& text);

// Replaces the presenter; an empty function restores the modal box.
void setMessagePresenter(MessagePresenter presenter);

}  // namespace platform
