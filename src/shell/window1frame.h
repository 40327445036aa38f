#pragma once
// The top-level window that holds Window1's controls; it hands its close
// event to Window1.

#include <QMainWindow>

class Window1;

class Window1Frame : public QMainWindow {
public:
    explicit Window1Frame(Window1& owner) : owner_(owner) {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Window1& owner_;
};
