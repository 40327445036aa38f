#pragma once
// Quitting the application. A quit asked for before the event loop runs
// still ends the program: main() checks quitRequested() before entering it.

#include <functional>

namespace platform {

void Quit();
bool quitRequested();

// Tests observe quits instead of ending the test program; an empty function
// restores the real quit. Installing a hook also clears the request.
void setQuitHook(std::function<void()> hook);

}  // namespace platform
