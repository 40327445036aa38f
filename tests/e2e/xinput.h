#pragma once
// Input as a player gives it: pointer clicks and key presses sent through the
// X server with XTest, on a connection of their own.

class XInput {
public:
    explicit XInput(const char* display);  // throws std::runtime_error without XTest
    ~XInput();
    XInput(const XInput&) = delete;
    XInput& operator=(const XInput&) = delete;

    // A left click at (x, y) on the screen.
    void click(int x, int y);
    // One key pressed and released.
    void tapKey();

private:
    void* display_;
};
