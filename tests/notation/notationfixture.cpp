#include "notationfixture.h"

#include "shell/module1.h"

#include <QDir>
#include <QFile>

void NotationFixture::shipPicture(const QString& name, QColor colour, int width, int height) {
    const QString path = QDir(programFolder()).filePath(QStringLiteral("resources/") + name + QStringLiteral(".png"));
    QFile::remove(path);
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path));
}

Window1& NotationFixture::startTest(int64_t tempo, int64_t beatsinbar, int64_t bars) {
    w = &openWindow();
    Module1.lasttesttickspeed = tempo;
    Module1.tickspeed = tempo;
    Module1.countin = true;
    w->beatsinbar = beatsinbar;
    w->bars = bars;
    w->notelist->DeleteAllRows();
    w->pagenumber = 0;
    w->startofnote = 0;
    w->notessofar = 0;
    w->refreshrow = 0;
    w->prestarttimer.setEnabled(false);
    w->Timer1.setEnabled(true);
    return *w;
}

std::vector<QStringList> NotationFixture::rows() const {
    std::vector<QStringList> result;
    for (int r = 0; r < w->notelist->ListCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < 5; ++c) cells << w->notelist->Cell(r, c);
        result.push_back(cells);
    }
    return result;
}

QStringList NotationFixture::column(int col) const {
    QStringList result;
    for (int r = 0; r < w->notelist->ListCount(); ++r) result << w->notelist->Cell(r, col);
    return result;
}

QColor NotationFixture::canvas1Pixel(int x, int y) const { return w->Canvas1->backing().pixelColor(x, y); }
