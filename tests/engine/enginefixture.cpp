#include "enginefixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <array>

namespace {
const std::array<QString, 7> sampleNames = {"c.wav", "d.wav", "e.wav", "f.wav", "g.wav", "a.wav", "ch.wav"};
}

EngineTest::EngineTest() : w(openWindow()) {
    w.Timer1.Action = [this] {
        ++passes;
        w.Timer1_Action();
    };
}

void EngineTest::addnote(int64_t due, int64_t pitch, const QString& code) {
    w.notelist->AddRow(QString::number(due));
    w.notelist->setCell(w.notelist->LastIndex(), 3, QString::number(pitch));
    w.notelist->setCell(w.notelist->LastIndex(), 4, code);
}

QString EngineTest::cell(int row, int column) const { return w.notelist->Cell(row, column); }

void EngineTest::press() { w.BevelButton1->Action(); }

int64_t EngineTest::starttestnow() {
    press();
    time.advanceMs(2000);
    EXPECT_TRUE(w.Timer1.Enabled());
    return Module1.startruntime;
}

void EngineTest::afterpass(int64_t tick) {
    beforetick(tick);
    // Passes come every 10 ms, more often than ticks: the first one from
    // here reads `tick`.
    const int64_t seen = passes;
    while (passes == seen && w.Timer1.Enabled()) time.advanceUs(100);
}

void EngineTest::beforetick(int64_t tick) {
    const int64_t boundaryUs = (tick * 1'000'000 + 59) / 60;
    if (boundaryUs - 1 > time.microseconds()) time.advanceUs(boundaryUs - 1 - time.microseconds());
}

bool EngineTest::tap() {
    w.TextField1->clear();
    QKeyEvent event(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(w.TextField1, &event);
    // A key the handler leaves to the field is typed into it.
    return w.TextField1->text().isEmpty();
}

bool EngineTest::tapat(int64_t tick) {
    time.advanceToTick(tick);
    return tap();
}

std::vector<int64_t> EngineTest::playsof(const QString& name) const {
    std::vector<int64_t> ticks;
    for (const auto& play : sound.plays)
        if (play.name == name) ticks.push_back(play.tick);
    return ticks;
}

std::vector<EngineTest::SamplePlay> EngineTest::samplesplayed() const {
    std::vector<SamplePlay> result;
    for (const auto& play : sound.plays) {
        const auto found = std::find(sampleNames.begin(), sampleNames.end(), play.name);
        if (found != sampleNames.end()) result.push_back({int64_t(found - sampleNames.begin()), play.tick});
    }
    return result;
}

QString EngineTest::labeltext() const { return w.lisplaylabel->text(); }

QRgb EngineTest::labelcolour() const {
    return w.lisplaylabel->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF;
}

void EngineTest::rununtilend(int64_t ms) {
    for (int64_t spent = 0; spent < ms && w.Timer1.Enabled(); spent += 10) time.advanceMs(10);
}
