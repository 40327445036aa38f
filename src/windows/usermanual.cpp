#include "windows/usermanual.h"

#include <QStringList>
#include <array>

namespace windows {
namespace {

// One entry per line of the manual; "" is an empty line.
constexpr std::array<const char*, 39> lines = {
    "HOW TO PLAY",
    "",
    "If you tap on the computer keyboard and do not use MIDI, skip to the line marked ****.",
    "To tap on a MIDI keyboard, press OPTIONS and choose Midi in the INPUT METHOD section. If you have "
    "several MIDI interfaces, choose the one you play on from the list that comes up.",
    "A MIDI device that is connected while Taptrell is running is only found after Taptrell has been started "
    "again. With \"Midi input plays a sound\" ticked, the computer sounds a note of the chosen instrument for "
    "each key you press (the notes are picked at random, not matched to the keys, so that you hear something).",
    "",
    "****",
    "Before a test, press the OPTIONS button to set the level of difficulty, that is which rhythm groups a "
    "test may use, together with the time signature (the number of beats in a bar) and the number of bars in "
    "the test.",
    "The tempo is set with the SET TEMPO slider on the main window: fast on the left, slow on the right "
    "(from 180 down to 45 beats per minute). The Instrument sound menu below it chooses the instrument you "
    "hear, and Help on the menu bar opens the about box, whose Help button brings you back here.",
    "",
    "After a test your score counts the notes you played perfectly in time, a little out and wildly out. The "
    "Accuracy setting in Options chooses how strictly your taps are judged:",
    "MOST ACCURATE records your taps to a sixtieth of a second, MEDIUM corrects near misses slightly so that "
    "almost perfect taps count as perfect, and RELAXED is a little more generous still.",
    "For young or inexperienced players the MEDIUM or RELAXED setting is suggested.",
    "",
    "There are two modes, chosen in the MODE section of OPTIONS:",
    "",
    "",
    "1. LISTEN AND PLAY. ",
    "Press START to begin. During a test START turns into STOP, and you can cancel the test at any time by "
    "pressing it.",
    "A one bar count in comes first, with a higher click on the first beat of each bar.",
    "LISTEN is shown while the computer plays the bar. PLAY comes up during its last beat to get you ready: "
    "you play the bar back on the computer keyboard or the MIDI device in the bar of clicks that follows, and "
    "your taps count from two thirds of a second before that bar begins, so a first note played a little "
    "early is not lost.",
    "Do not hold a computer key down: the key repeats, and every repeat counts as another tap.",
    "Nothing you play earlier in the LISTEN bar is counted. Missed notes count only against their own bar, as "
    "the note count starts again with the next bar. Once you have missed a note, though, an extra tap is not "
    "thrown away: it takes the first note of the next bar, which then counts as way off, and after that each tap "
    "is matched to the note after the one you meant, so it counts as early, until you leave a note out.",
    "",
    "2. CONTINUOUS PLAY",
    "After a one bar count in you play straight through to the last note.",
    "By default the next bar comes into view shortly before the last metronome click of the bar on the "
    "screen (before beat 4 in four-four time).",
    "How early it comes can be changed with the \"Show next bar time\" slider in the OPTIONS window.",
    "There is no new start at each bar, so a missed or an extra note makes every later note count as early or "
    "late.",
    "After a test played to the end a summary is shown below the notation, and your totals to date are on the "
    "right.",
    "",
    "With \"Repeat each test until happy\" ticked in OPTIONS, START becomes REPEAT TEST after the first "
    "complete test, so you can play the test again. Its notes come back, but every rest, and every group of "
    "notes that starts with a rest, comes back as a crotchet rest. The NEW TEST button moves on to a different "
    "test.",
    "",
    "While you play, the strip under the notation shows where your taps fell in the bar.",
    "The RESULTS button shows the whole test: black dots for the notes the computer played, with your taps "
    "just below them, green for exactly on time (to a sixtieth of a second), blue for within a twelfth of a "
    "second and red for further out.",
    "The PLAY button in the results window plays back what you played in the last test.",
    "",
    "WHAT YOUR ACCURACY SCORE MEANS",
    "For every note you played Taptrell counts how many sixtieths of a second you were early or late, and "
    "every note you did not play adds a whole second. This total is shared out over the notes you played "
    "only, not over the whole test, and turned into a percentage: 100% when every note was played on time, "
    "falling to 0% at an average of a second out. So the further out you play the lower your score, and "
    "missed notes cost a lot: miss as many notes as you play and your score is 0%.",
};

}  // namespace

QString usermanual() {
    QStringList text;
    for (const char* line : lines) text << QString::fromLatin1(line);
    return text.join(QStringLiteral("\r\n"));
}

}  // namespace windows
