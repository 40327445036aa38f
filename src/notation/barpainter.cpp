// The notation canvas, which is also the test's bar generator: the clock asks
// for the next bar by refreshing Canvas1, and each refresh while Timer1 runs
// makes exactly one bar. The canvas runs Paint only on the program's own
// Refresh(); a repaint the window system asks for shows the picture already
// made, so uncovering the window during a test never adds a bar.

#include "notation/rhythmgroups.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "shell/app.h"
#include "shell/catalogue.h"
#include "shell/module1.h"
#include "shell/window1.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

using platform::Str;

namespace {

// Group pictures are drawn at a quarter of their size, and the bar advances
// by a quarter of each group's width figure.
constexpr double groupScale = 0.25;
constexpr int64_t barLeft = 230;
constexpr int64_t barTop = 100;
constexpr int64_t crotchetRest = 1;
// The backdrop's staff line runs from x 196 to x 719 on rows 179 and 180; a
// bar whose groups would reach past it is drawn smaller so that every note
// the player is asked to tap stands on the line.
constexpr double staffEnd = 720;
// The groups' noteheads sit on the staff line (picture row 320, drawn at a
// quarter from y 100, lands on 180): a smaller bar keeps them there.
constexpr double staffLine = 180;

void checkCode(int64_t code) {
    if (code < 0 || code >= int64_t(Module1.notes.size()))
        throw platform::OutOfBoundsException("rhythm-group code " + std::to_string(code));
}

// The picture of a code that is about to be drawn; a missing one ends the
// paint before anything of its beat is done.
const platform::PicturePtr& groupPicture(int64_t code) {
    checkCode(code);
    const platform::PicturePtr& picture = Module1.notes[size_t(code)];
    if (!picture) throw platform::NilObjectException("picture of rhythm-group code " + std::to_string(code));
    return picture;
}

// One past the rightmost column that holds ink (anything neither transparent
// nor white): the figures stand at the left of pictures with blank margins.
int inkWidth(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int width = 0;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = argb.width() - 1; x >= width; --x) {
            const QRgb p = line[x];
            if (qAlpha(p) > 0 && (qRed(p) < 250 || qGreen(p) < 250 || qBlue(p) < 250)) {
                width = x + 1;
                break;
            }
        }
    }
    return width;
}

// A group picture reduced to the size it is drawn at, and the width of its
// ink, made once per image. The clock waits for each page change, and scaling
// the full-size picture anew at every bar (reading a megabyte of pixels for
// each group, with the caches cold after the clock's idle 10 ms) took
// milliseconds.
struct ReducedGroup {
    QImage small;
    int ink = 0;  // in pixels of the full-size picture
};

const ReducedGroup& reducedGroup(const QImage& image) {
    static std::unordered_map<qint64, ReducedGroup> reduced;
    const auto found = reduced.find(image.cacheKey());
    if (found != reduced.end()) return found->second;
    if (reduced.size() > 256) reduced.clear();  // pictures replaced over and over (tests)
    const QSize size(std::max(1, int(std::ceil(image.width() * groupScale))),
                     std::max(1, int(std::ceil(image.height() * groupScale))));
    ReducedGroup group{image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                       inkWidth(image)};
    return reduced.emplace(image.cacheKey(), std::move(group)).first->second;
}

// Reduces every group picture ahead of the test, while the start delay runs
// and nothing waits on the time it takes, so no page change pays for it.
void reduceGroups() {
    for (const platform::PicturePtr& picture : Module1.notes)
        if (picture)
            if (const QImage* image = picture->image()) reducedGroup(*image);
}

// Where the bar's groups stand: the scale of pictures and advances alike (a
// quarter, or less for a bar too wide for the staff) and each group's left
// offset from the bar's start.
struct BarLayout {
    double scale = groupScale;
    std::vector<int64_t> x;
};

std::vector<int64_t> groupOffsets(const std::vector<int64_t>& codes, double scale) {
    std::vector<int64_t> offsets;
    int64_t x = 0;
    for (int64_t code : codes) {
        offsets.push_back(x);
        x = platform::truncateToInteger(double(x) + double(Module1.notespace[size_t(code)]) * scale);
    }
    return offsets;
}

BarLayout layoutBar(const std::vector<int64_t>& codes) {
    BarLayout layout{groupScale, groupOffsets(codes, groupScale)};
    double inkEnd = 0;       // as drawn at a quarter, offsets whole as drawn
    double exactInkEnd = 0;  // the same with the advances not truncated
    double exactX = 0;
    for (size_t i = 0; i < codes.size(); ++i) {
        const QImage* image = groupPicture(codes[i])->image();
        const double ink = image ? reducedGroup(*image).ink * groupScale : 0.0;
        inkEnd = std::max(inkEnd, double(layout.x[i]) + ink);
        exactInkEnd = std::max(exactInkEnd, exactX + ink);
        exactX += double(Module1.notespace[size_t(codes[i])]) * groupScale;
    }
    const double room = staffEnd - double(barLeft);
    if (double(barLeft) + inkEnd <= staffEnd) return layout;  // fits: drawn as it always was
    // Truncating the smaller advances only moves groups left, so the exact
    // end is the one to fit.
    layout.scale = groupScale * room / exactInkEnd;
    layout.x = groupOffsets(codes, layout.scale);
    return layout;
}

// The picture at the bar's scale, its destination kept in real numbers so
// that groups line up exactly as their width figures say.
void drawGroup(platform::Graphics& g, int64_t code, int64_t x, double scale) {
    const QImage* image = groupPicture(code)->image();
    if (!image) return;  // a picture file that cannot be read shows nothing
    QPainter& painter = g.painter();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const double top = staffLine - (staffLine - double(barTop)) * scale / groupScale;
    const QRectF target(double(x + barLeft), top, image->width() * scale, image->height() * scale);
    const QImage& small = reducedGroup(*image).small;
    painter.drawImage(target, small, QRectF(small.rect()));
}

// The code that retestlist holds for a beat of the repeated test; none when
// the row is missing (the options grew the test since it was built) or does
// not hold a code of the table, so that beat is drawn as an ordinary one.
std::optional<int64_t> repeatCode(const platform::ListBox& retestlist, int64_t row) {
    if (row < 0 || row >= retestlist.ListCount()) return std::nullopt;
    bool isNumber = false;
    const double value = retestlist.Cell(int(row), 0).trimmed().toDouble(&isNumber);
    if (!isNumber) return std::nullopt;
    const int64_t code = platform::truncateToInteger(value);
    if (code < 0 || code >= int64_t(Module1.notes.size())) return std::nullopt;
    return code;
}

}  // namespace

void Window1::Canvas1_Paint(platform::Graphics& g) {
    if (prestarttimer.Enabled()) {
        reduceGroups();
        g.ForeColor = QColor(192, 0, 255);
        g.TextFont = QStringLiteral("Helvetica");
        g.TextSize = 40;
        g.TextUnit = platform::FontUnit::Point;
        g.DrawString(Str(beatsinbar) + QStringLiteral(" beats count in"), 250, 150);
    } else if (Timer1.Enabled()) {
        generatebar(g);
    } else {
        g.DrawPicture(catalogue::picture("cover"), 0, 0);
    }
}

void Window1::generatebar(platform::Graphics& g) {
    // The count-in's paint makes bar 1 on page 0; every later paint turns the
    // page, but never past the test's last.
    if (!Module1.countin && pagenumber < bars) pagenumber += 1;
    notesinbar = 0;
    // The last page holds one sounding beat fewer: its final beat is the
    // closing rest, drawn below with no note row.
    const bool lastpage = pagenumber == bars - 1;
    const int64_t beats = lastpage ? beatsinbar - 1 : beatsinbar;

    // The whole bar is chosen before it is drawn: its width decides the
    // scale of every group in it.
    std::vector<int64_t> codes;
    int64_t lastpitch = 0;  // each bar's melody starts again from the bottom note
    for (int64_t beat = 1; beat <= beats; ++beat) {
        const int64_t code = choosecode(beat);
        groupPicture(code);
        noteentry(code, beat, beats, lastpitch);
        codes.push_back(code);
    }
    notessofar += notesinbar;
    if (lastpage) codes.push_back(crotchetRest);

    const BarLayout layout = layoutBar(codes);
    for (size_t i = 0; i < codes.size(); ++i) drawGroup(g, codes[i], layout.x[i], layout.scale);
}

int64_t Window1::choosecode(int64_t beat) {
    if (Module1.retest) {
        const int64_t row = refreshrow;
        refreshrow += 1;
        if (const std::optional<int64_t> code = repeatCode(*retestlist, row)) return *code;
    }

    // The test opens on a crotchet and its last sounding beat is one.
    if ((pagenumber == bars - 1 && beat == beatsinbar - 1) || notelist->ListCount() == 0) return 0;

    platform::Random& random = *App().Randomizer;
    int64_t code = random.InRange(Module1.stlevel, Module1.level);

    // A beat in which no note began is not followed by a drawn crotchet
    // rest: two silent beats in a row would lose the player's place. Only
    // code 1 is refused; a range holding nothing else keeps it.
    const int64_t base = ts(60) * pagenumber + startofnote;
    const int64_t lastdue = platform::ValInteger(notelist->Cell(notelist->LastIndex(), 0));
    const bool previousSilent = base - lastdue > ts(60);
    if (previousSilent) {
        while (code == crotchetRest && Module1.level > Module1.stlevel)
            code = random.InRange(Module1.stlevel, Module1.level);
    }
    return code;
}
