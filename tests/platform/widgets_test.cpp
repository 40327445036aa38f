#include "platform/canvas.h"
#include "platform/exceptions.h"
#include "platform/listbox.h"
#include "platform/picturebutton.h"
#include "platform/random.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

TEST(ListBoxTable, RowsAreAddedReadWrittenAndDeletedAllAtOnce) {
    ListBox table("notelist", 5, nullptr);
    EXPECT_EQ(table.LastIndex(), -1);
    table.AddRow("120");
    table.AddRow("135");
    EXPECT_EQ(table.ListCount(), 2);
    EXPECT_EQ(table.LastIndex(), 1);
    EXPECT_EQ(table.Cell(1, 0), "135");
    EXPECT_EQ(table.Cell(1, 4), "");
    table.setCell(0, 3, "4");
    EXPECT_EQ(table.Cell(0, 3), "4");
    EXPECT_THROW(table.Cell(2, 0), OutOfBoundsException);
    EXPECT_THROW(table.setCell(0, 5, "x"), OutOfBoundsException);
    table.DeleteAllRows();
    EXPECT_EQ(table.ListCount(), 0);
    EXPECT_EQ(table.LastIndex(), -1);
}

TEST(ListBoxTable, EditableColumnAppliesToRowsAddedLater) {
    ListBox table("notelist", 5, nullptr);
    table.AddRow("0");
    table.setColumnEditable(1, true);
    table.AddRow("15");
    EXPECT_TRUE(table.item(0, 1)->flags().testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(table.item(1, 1)->flags().testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(table.item(1, 0)->flags().testFlag(Qt::ItemIsEditable));
}

TEST(ListBoxTable, CellClickReportsRowAndColumn) {
    ListBox table("notelist", 2, nullptr);
    table.resize(200, 200);
    table.AddRow("a");
    table.AddRow("b");
    int row = -1, column = -1;
    table.CellClick = [&](int r, int c) {
        row = r;
        column = c;
        return true;
    };
    table.show();
    const QRect cell = table.visualItemRect(table.item(1, 1));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 1);
}

TEST(CanvasPaint, RefreshPaintsAtOnceAndWindowRepaintsOnlyShowTheBacking) {
    Canvas canvas("Canvas1_Paint", nullptr);
    canvas.resize(40, 20);
    int paints = 0;
    canvas.Paint = [&](Graphics& g) {
        ++paints;
        g.ForeColor = Qt::red;
        g.FillRect(0, 0, 10, 10);
    };
    canvas.show();
    QApplication::processEvents();
    const int afterShow = paints;  // the first showing paints once
    EXPECT_EQ(afterShow, 1);
    canvas.repaint();  // as an expose or restore would
    canvas.hide();
    canvas.show();
    QApplication::processEvents();
    EXPECT_EQ(paints, afterShow) << "window-system repaints must not run Paint";
    canvas.Refresh();
    EXPECT_EQ(paints, afterShow + 1) << "Refresh runs Paint inside the caller";
    EXPECT_EQ(canvas.backing().pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(canvas.backing().pixelColor(20, 15).alpha(), 0) << "unpainted areas stay transparent";
}

TEST(CanvasPaint, BackdropIsDrawnBehindEveryPaint) {
    QImage blue(40, 20, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    Canvas canvas("Canvas1_Paint", nullptr);
    canvas.resize(40, 20);
    canvas.Backdrop = std::make_shared<Picture>(blue);
    canvas.Paint = [](Graphics& g) {
        g.ForeColor = Qt::green;
        g.FillRect(0, 0, 5, 5);
    };
    canvas.Refresh();
    EXPECT_EQ(canvas.backing().pixelColor(2, 2), QColor(Qt::green));
    EXPECT_EQ(canvas.backing().pixelColor(30, 10), QColor(Qt::blue));
}

TEST(PictureButtonMode, TheShownPictureIsTheHandleItWasGiven) {
    auto go = std::make_shared<Picture>(QImage(10, 10, QImage::Format_ARGB32));
    auto stop = std::make_shared<Picture>(QImage(10, 10, QImage::Format_ARGB32));
    PictureButton button("BevelButton1_Action", nullptr);
    button.setIcon(go);
    EXPECT_EQ(button.Icon(), go);
    EXPECT_NE(button.Icon(), stop);
    int presses = 0;
    button.Action = [&] { ++presses; };
    button.click();
    EXPECT_EQ(presses, 1);
}

TEST(PictureHandle, AMissingFileIsTriedAgainUntilItLoads) {
    const QString path = QDir::temp().filePath("taptrell-picture-handle-test.png");
    QFile::remove(path);
    Picture picture(path);
    EXPECT_EQ(picture.image(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
    QImage image(7, 3, QImage::Format_ARGB32);
    image.fill(Qt::black);
    ASSERT_TRUE(image.save(path));
    EXPECT_NE(picture.image(), nullptr);
    EXPECT_EQ(picture.Width(), 7);
    EXPECT_EQ(picture.Height(), 3);
    QFile::remove(path);
}

TEST(RandomSource, InRangeIncludesBothEnds) {
    Random random(7);
    bool sawLo = false, sawHi = false;
    for (int i = 0; i < 1000; ++i) {
        const int64_t v = random.InRange(3, 6);
        ASSERT_GE(v, 3);
        ASSERT_LE(v, 6);
        sawLo |= v == 3;
        sawHi |= v == 6;
    }
    EXPECT_TRUE(sawLo && sawHi);
    EXPECT_EQ(random.InRange(5, 5), 5);
    Random a(99), b(99);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(a.InRange(0, 1000), b.InRange(0, 1000)) << "a seed repeats a sequence";
}

// Lines are one pixel wide in the pen's colour on the pixels they name,
// with nothing blended into the rows or columns beside them.
TEST(CanvasPaint, LinesAreOnePixelWideAndUnblended) {
    Canvas canvas("Canvas2_Paint", nullptr);
    canvas.resize(40, 30);
    canvas.Paint = [](Graphics& g) {
        g.ForeColor = Qt::black;
        g.DrawLine(5, 10, 30, 10);
        g.DrawLine(20, 15, 20, 25);
    };
    canvas.Refresh();
    const QImage& image = canvas.backing();
    for (int x = 5; x <= 30; ++x) {
        EXPECT_EQ(image.pixelColor(x, 10), QColor(Qt::black)) << x;
        EXPECT_EQ(image.pixelColor(x, 9).alpha(), 0) << x;
        EXPECT_EQ(image.pixelColor(x, 11).alpha(), 0) << x;
    }
    for (int y = 15; y <= 25; ++y) {
        EXPECT_EQ(image.pixelColor(20, y), QColor(Qt::black)) << y;
        EXPECT_EQ(image.pixelColor(19, y).alpha(), 0) << y;
        EXPECT_EQ(image.pixelColor(21, y).alpha(), 0) << y;
    }
}

// The picture is the whole face: holding the focus changes nothing that is
// drawn, and a flat button has no frame around its picture.
// Space presses the focused button, so the player must see which one holds
// the focus; the frame stays inside the button's edge and off its picture.
TEST(PictureButtonFace, AFocusFrameInsideTheEdgeAndNoFrameWhenFlat) {
    QWidget window;
    window.resize(200, 100);
    auto* button = new PictureButton("BevelButton4_Action", &window);
    button->setGeometry(10, 10, 60, 40);
    QImage red(20, 10, QImage::Format_ARGB32);
    red.fill(Qt::red);
    button->setIcon(std::make_shared<Picture>(red));
    button->setFocusPolicy(Qt::StrongFocus);
    window.show();
    QApplication::setActiveWindow(&window);
    button->clearFocus();
    const QImage unfocused = button->grab().toImage();
    button->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(button->hasFocus());
    const QImage focused = button->grab().toImage();
    EXPECT_NE(focused, unfocused) << "the focus shows";
    EXPECT_EQ(focused.pixelColor(0, 0), unfocused.pixelColor(0, 0)) << "the border stays as it was";
    EXPECT_EQ(focused.pixelColor(30, 20), QColor(Qt::red)) << "the picture stays whole";
    button->clearFocus();
    QApplication::processEvents();
    EXPECT_EQ(button->grab().toImage(), unfocused) << "the frame goes with the focus";

    EXPECT_NE(unfocused.pixelColor(0, 0), QColor(Qt::white)) << "a button that is not flat has its frame";
    button->setFlat(true);
    const QImage flat = button->grab().toImage();
    for (int x = 0; x < flat.width(); ++x) {
        EXPECT_EQ(flat.pixelColor(x, 0), QColor(Qt::white)) << x;
        EXPECT_EQ(flat.pixelColor(x, flat.height() - 1), QColor(Qt::white)) << x;
    }
    EXPECT_EQ(flat.pixelColor(30, 20), QColor(Qt::red));
}
