// What the notation canvas shows outside a running test, and the accuracy
// strip's drawing.

#include "notationfixture.h"

#include "shell/module1.h"

namespace {

class CanvasChoiceTest : public NotationFixture {
protected:
    // Pixels of the count-in's colour, 192/0/255, anywhere in `area`.
    int countInPixels(QRect area) const {
        int count = 0;
        const QImage& image = w->Canvas1->backing();
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() == 255 && c.red() == 192 && c.green() == 0 && c.blue() == 255) ++count;
            }
        return count;
    }
};

TEST_F(CanvasChoiceTest, TheStartDelayShowsTheCountInWhateverTheClockDoes) {
    shipPicture("cover", Qt::darkCyan, 725, 231);
    for (bool clockRunning : {false, true}) {
        SCOPED_TRACE(clockRunning);
        startTest(60, 3, 4);
        w->Timer1.setEnabled(clockRunning);
        w->prestarttimer.setEnabled(true);
        w->Canvas1->Refresh();
        // The text stands on the baseline y 150 from x 250 on.
        EXPECT_GT(countInPixels(QRect(250, 100, 400, 51)), 50);
        EXPECT_EQ(countInPixels(QRect(0, 0, 245, 231)), 0);
        EXPECT_EQ(countInPixels(QRect(0, 160, 725, 71)), 0);
        EXPECT_NE(canvas1Pixel(5, 5), QColor(Qt::darkCyan));
        EXPECT_EQ(w->notelist->ListCount(), 0);
        EXPECT_EQ(w->pagenumber, 0);
        EXPECT_EQ(w->notessofar, 0);
        w->prestarttimer.setEnabled(false);
        Window1::destroy();
    }
}

TEST_F(CanvasChoiceTest, TheCountInNamesTheBeatsInTheBar) {
    // Different texts draw differently; the same text the same.
    auto countInImage = [&](int64_t beats) {
        startTest(60, beats, 4);
        w->prestarttimer.setEnabled(true);
        w->Canvas1->Refresh();
        QImage image = w->Canvas1->backing().copy(250, 100, 60, 60);
        w->prestarttimer.setEnabled(false);
        Window1::destroy();
        return image;
    };
    const QImage two = countInImage(2);
    EXPECT_EQ(countInImage(2), two);
    EXPECT_NE(countInImage(5), two);
}

// The message is set in 40 points, 53 pixels on the screen's 96 dots to the
// inch: its digit stands about 38 pixels over the baseline (40 pixels would
// make it 29), and the whole line fits the canvas.
TEST_F(CanvasChoiceTest, TheCountInIsFortyPointsHighAndFitsTheCanvas) {
    startTest(60, 4, 4);
    w->prestarttimer.setEnabled(true);
    w->Canvas1->Refresh();
    ASSERT_EQ(w->Canvas1->backing().logicalDpiY(), 96);
    int top = 150;
    for (int y = 149; y >= 0; --y)
        if (countInPixels(QRect(250, y, 40, 1)) > 0) top = y;
    EXPECT_GE(150 - top, 35);
    EXPECT_LE(150 - top, 42);
    EXPECT_GT(countInPixels(QRect(560, 100, 100, 51)), 0) << "the line runs on past x 560";
    EXPECT_EQ(countInPixels(QRect(715, 0, 10, 231)), 0) << "and ends within the canvas";
    w->prestarttimer.setEnabled(false);
}

TEST_F(CanvasChoiceTest, WithNeitherTimerTheCoverIsShownAndNothingChanges) {
    shipPicture("cover", Qt::darkCyan, 725, 231);
    startTest(60, 4, 4);
    w->Timer1.setEnabled(false);
    w->pagenumber = 2;
    w->startofnote = 120;
    for (int i = 0; i < 3; ++i) w->Canvas1->Refresh();
    EXPECT_EQ(canvas1Pixel(5, 5), QColor(Qt::darkCyan));
    EXPECT_EQ(canvas1Pixel(700, 200), QColor(Qt::darkCyan));
    EXPECT_EQ(w->notelist->ListCount(), 0);
    EXPECT_EQ(w->pagenumber, 2);
    EXPECT_EQ(w->startofnote, 120);
    EXPECT_TRUE(random->ranges.empty());
}

TEST_F(CanvasChoiceTest, WithTheClockRunningEachRefreshMakesOneBar) {
    shipPicture("cover", Qt::darkCyan, 725, 231);
    startTest(60, 4, 4);
    w->Canvas1->Refresh();
    EXPECT_EQ(w->notelist->ListCount(), w->notessofar);
    EXPECT_GT(w->notessofar, 0);
    EXPECT_NE(canvas1Pixel(5, 5), QColor(Qt::darkCyan));
    const int64_t afterOne = w->notessofar;
    w->Canvas1->Refresh();
    EXPECT_GT(w->notessofar, afterOne);
    EXPECT_EQ(w->notelist->ListCount(), w->notessofar);
}

class AccuracyStripTest : public NotationFixture {
protected:
    void SetUp() override {
        shipPicture("bdot", Qt::red, 6, 6);
        w = &openWindow();
    }
    const QImage& strip() const { return w->Canvas2->backing(); }
    // Lines are black on the pixels they name; nothing is blended around them.
    bool black(int x, int y) const { return strip().pixelColor(x, y) == QColor(Qt::black); }
    bool clear(int x, int y) const { return strip().pixelColor(x, y).alpha() == 0; }
    bool dotAt(int left, int top) const {
        const QColor c = strip().pixelColor(left + 3, top + 3);
        return c == QColor(Qt::red);
    }
    int dotPixels() const {
        int count = 0;
        for (int y = 0; y < strip().height(); ++y)
            for (int x = 0; x < strip().width(); ++x)
                if (strip().pixelColor(x, y) == QColor(Qt::red)) ++count;
        return count;
    }
};

TEST_F(AccuracyStripTest, TimelineAndBeatMarksForEveryBarLength) {
    for (int64_t beats = 2; beats <= 5; ++beats) {
        SCOPED_TRACE(beats);
        w->beatsinbar = beats;
        w->place.fill(-1);
        w->Canvas2->Refresh();
        const int end = int(100 + 120 * beats);
        for (int x = 100; x <= end; ++x) {
            EXPECT_TRUE(black(x, 10)) << x;
            if ((x - 100) % 120 != 0) {
                EXPECT_TRUE(clear(x, 9)) << x;
                EXPECT_TRUE(clear(x, 11)) << x;
            }
        }
        EXPECT_TRUE(clear(end + 1, 10));
        EXPECT_TRUE(clear(99, 10));
        for (int k = 0; k <= beats; ++k) {
            const int x = 100 + 120 * k;
            for (int y = 5; y <= 15; ++y) EXPECT_TRUE(black(x, y)) << x << "," << y;
            EXPECT_TRUE(clear(x, 4)) << x;   // above the mark
            EXPECT_TRUE(clear(x, 16)) << x;  // below it
            for (int y : {6, 14}) {
                EXPECT_TRUE(clear(x - 1, y)) << x;
                EXPECT_TRUE(clear(x + 1, y)) << x;
            }
        }
        EXPECT_TRUE(clear(160, 6));  // between the marks
        EXPECT_EQ(dotPixels(), 0);
    }
}

TEST_F(AccuracyStripTest, ADotForEveryHeldTapTwoPixelsToTheSixtieth) {
    w->beatsinbar = 4;
    w->place.fill(-1);
    w->place[0] = 0;     // on the first beat: (92, 3)
    w->place[1] = 90;    // half-way through beat 2: (272, 3)
    w->place[5] = 120;   // on beat 3, after empty entries: (332, 3)
    w->place[100] = 200;  // the last entry is read too: (492, 3)
    w->Canvas2->Refresh();
    EXPECT_TRUE(dotAt(92, 3));
    EXPECT_TRUE(dotAt(272, 3));
    EXPECT_TRUE(dotAt(332, 3));
    EXPECT_TRUE(dotAt(492, 3));
    EXPECT_EQ(dotPixels(), 4 * 36);
    EXPECT_NE(strip().pixelColor(91, 5), QColor(Qt::red));
    EXPECT_EQ(strip().pixelColor(92, 3), QColor(Qt::red));
    EXPECT_EQ(strip().pixelColor(97, 8), QColor(Qt::red));
    EXPECT_NE(strip().pixelColor(98, 9), QColor(Qt::red));
}

TEST_F(AccuracyStripTest, AStripPaintChangesNothing) {
    w->beatsinbar = 3;
    w->place.fill(-1);
    w->place[2] = 45;
    const auto before = w->place;
    w->Canvas2->Refresh();
    w->Canvas2->Refresh();
    EXPECT_EQ(w->place, before);
    EXPECT_TRUE(dotAt(182, 3));
    EXPECT_EQ(dotPixels(), 36);
}

}  // namespace
