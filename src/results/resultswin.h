#pragma once
// The results window: the whole of the last test as one graph, and the
// PLAY / STOP button of the replay. A single instance: instance() gives the
// open window or makes and shows a new one; closing it destroys it.

#include "platform/canvas.h"
#include "platform/picturebutton.h"

#include <QWidget>

class resultswin : public QWidget {
public:
    // The open results window, made (laid out and shown) when none is open.
    static resultswin& instance();
    // The open results window, or nullptr; never makes one.
    static resultswin* ifopen();

    ~resultswin() override;

    // Set by the program only; the player cannot resize the window.
    void setHeight(int height);
    void setWidth(int width);
    int Height() const { return height(); }
    int Width() const { return width(); }

    platform::Canvas* Canvas1 = nullptr;
    platform::PictureButton* BevelButton1 = nullptr;  // PLAY / STOP

    void Canvas1_Paint(platform::Graphics& g);
    void BevelButton1_Action();
    void Event_Close();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    explicit resultswin(QWidget* owner);
    void Layout();
    void CreateControls();
};
