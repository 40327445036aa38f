// The accuracy strip under the notation: the bar's timeline with a mark at
// every beat and at the bar's end, and a dot for every tap of the bar so far,
// two pixels to the beat-sixtieth from the bar's start.

#include "shell/catalogue.h"
#include "shell/window1.h"

#include <algorithm>

namespace {

constexpr int64_t stripLeft = 100;
constexpr int64_t pixelsPerBeat = 120;

// Keeps a position drawn from program state inside what a drawing call
// takes; the strip itself is only 712 pixels wide.
int pixel(int64_t value) { return int(std::clamp<int64_t>(value, -1000000, 1000000)); }

}  // namespace

void Window1::Canvas2_Paint(platform::Graphics& g) {
    g.ForeColor = Qt::black;
    const int64_t barEnd = stripLeft + pixelsPerBeat * beatsinbar;
    g.DrawLine(pixel(stripLeft), 10, pixel(barEnd), 10);
    for (int64_t k = 1; k <= beatsinbar; ++k) {
        const int x = pixel(stripLeft + pixelsPerBeat * (k - 1));
        g.DrawLine(x, 5, x, 15);
    }
    g.DrawLine(pixel(barEnd), 5, pixel(barEnd), 15);

    const platform::PicturePtr dot = catalogue::picture("bdot");
    for (int64_t position : place) {
        if (position != -1) g.DrawPicture(dot, pixel(2 * position + 92), 3);
    }
}
