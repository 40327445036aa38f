// The main window's frame and every control against the layout table.

#include "shell/catalogue.h"
#include "shell/mainmenubar.h"
#include "shell/window1.h"
#include "support/appfixture.h"

#include <QGroupBox>

namespace {

QRect inWindow(QWidget* control, QWidget* content) {
    return QRect(control->mapTo(content, QPoint(0, 0)), control->size());
}

}  // namespace

class MainWindowLayout : public AppFixture {};

TEST_F(MainWindowLayout, EveryControlStandsAtItsPlaceAndSize) {
    Window1& w = openWindow();
    QWidget* content = w.frame().centralWidget();
    const struct { QWidget* control; QRect rect; } table[] = {
        {w.Canvas1, {0, 2, 725, 231}},        {w.TextField1, {-118, 371, 84, 22}},
        {w.Canvas2, {0, 269, 712, 47}},       {w.notelist, {970, 0, 196, 625}},
        {w.lisplaylabel, {252, 233, 236, 37}}, {w.BevelButton1, {277, 308, 173, 76}},
        {w.BevelButton2, {68, 312, 141, 65}}, {w.BevelButton3, {523, 312, 141, 65}},
        {w.resultbox, {45, 416, 667, 189}},   {w.perfect, {85, 426, 607, 46}},
        {w.close, {85, 471, 286, 46}},        {w.whoops, {383, 471, 263, 46}},
        {w.summary, {53, 521, 646, 27}},      {w.summary2, {53, 554, 646, 32}},
        {w.Label2, {737, 47, 193, 27}},       {w.tacclabel, {737, 168, 212, 27}},
        {w.ttestslabel, {737, 108, 212, 27}}, {w.thitslabel, {737, 196, 212, 27}},
        {w.tnearlabel, {737, 225, 212, 27}},  {w.tmisslabel, {737, 253, 212, 27}},
        {w.tnoteslabel, {737, 138, 212, 27}}, {w.BevelButton4, {776, 328, 117, 46}},
        {w.Slider1, {748, 438, 156, 31}},     {w.tmisslabel1, {748, 390, 156, 43}},
        {w.tempolabel, {748, 471, 156, 39}},  {w.retestlist, {-48, 405, 36, 128}},
        {w.BevelButton5, {302, 382, 123, 32}}, {w.PopupMenu1, {737, 560, 193, 22}},
        {w.inssound, {737, 526, 193, 26}},
    };
    for (const auto& row : table) EXPECT_EQ(inWindow(row.control, content), row.rect) << row.control->objectName().toStdString();

    // Creation order is focus order and stacking order: the later control lies in front.
    const QList<QWidget*> children = content->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    EXPECT_LT(children.indexOf(w.Canvas2), children.indexOf(w.BevelButton1));
    EXPECT_LT(children.indexOf(w.BevelButton1), children.indexOf(w.BevelButton5));
}

TEST_F(MainWindowLayout, WindowIsFixedAt960By625AndOnlyTheProgramWidensIt) {
    Window1& w = openWindow();
    QWidget* content = w.frame().centralWidget();
    EXPECT_EQ(content->size(), QSize(960, 625));
    EXPECT_EQ(content->minimumSize(), content->maximumSize());
    EXPECT_EQ(w.frame().menuBar(), &MainMenuBar::instance());
    EXPECT_FALSE(w.frame().windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(w.frame().windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(content->rect().intersects(w.notelist->geometry())) << "the note table starts beyond the edge";

    const QPoint buttonAt = w.BevelButton1->pos();
    w.setWidth(1170);
    EXPECT_EQ(w.Width(), 1170);
    EXPECT_TRUE(content->rect().contains(w.notelist->geometry())) << "widened, the whole note table shows";
    EXPECT_EQ(w.BevelButton1->pos(), buttonAt) << "nothing moves when the width changes";
    w.setWidth(960);
    EXPECT_EQ(w.Width(), 960);
}

TEST_F(MainWindowLayout, ControlsStartInTheirBuiltState) {
    Window1& w = openWindow();
    EXPECT_EQ(w.BevelButton1->Icon(), catalogue::picture("go"));
    EXPECT_EQ(w.BevelButton2->Icon(), catalogue::picture("options"));
    EXPECT_EQ(w.BevelButton4->Icon(), catalogue::picture("help"));
    EXPECT_EQ(w.BevelButton5->Icon(), catalogue::picture("newtest"));
    EXPECT_EQ(w.Canvas1->Backdrop, catalogue::picture("canvasback"));
    EXPECT_TRUE(w.BevelButton5->isHidden());
    EXPECT_TRUE(w.resultbox->isHidden());
    EXPECT_FALSE(w.perfect->isHidden()) << "the result labels show and hide with their box";
    EXPECT_EQ(w.perfect->parentWidget(), w.resultbox);
    // START, OPTIONS and HELP take the focus from the keyboard only.
    for (QWidget* button : {w.BevelButton1, w.BevelButton2, w.BevelButton4})
        EXPECT_EQ(button->focusPolicy(), Qt::TabFocus) << button->objectName().toStdString();
    for (QWidget* button : {w.BevelButton3, w.BevelButton5})
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << button->objectName().toStdString();
    EXPECT_EQ(w.TextField1->maxLength(), 1);
    EXPECT_EQ(w.notelist->columnCount(), 5);
    EXPECT_EQ(w.retestlist->columnCount(), 1);
    EXPECT_FALSE(w.Slider1->hasTracking()) << "the value is reported when the thumb is released";
    EXPECT_EQ(w.Label2->text(), "TOTALS TO DATE");
    EXPECT_EQ(w.tmisslabel1->text(), "SET TEMPO");
    EXPECT_EQ(w.inssound->text(), "Instrument sound");
    EXPECT_EQ(w.lisplaylabel->palette().color(QPalette::WindowText), QColor(0xFF0000));
    EXPECT_EQ(w.Label2->palette().color(QPalette::WindowText), QColor(0x8000FF));
    EXPECT_EQ(w.tempolabel->palette().color(QPalette::WindowText), QColor(0x400080));
}

TEST_F(MainWindowLayout, MenuBarHasFileEditAndAHelpItemWithNothingUnderIt) {
    openWindow();
    MainMenuBar& bar = MainMenuBar::instance();
    const QList<QAction*> top = bar.actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[0]->text(), "&File");
    EXPECT_EQ(top[1]->text(), "&Edit");
    EXPECT_EQ(top[2]->text(), "Help");
    EXPECT_EQ(top[2]->menu(), nullptr);
    ASSERT_EQ(bar.FileMenu->actions().size(), 1);
    EXPECT_EQ(bar.FileQuit->text(), "E&xit");
    QStringList edit;
    for (QAction* a : bar.EditMenu->actions())
        edit << (a->isSeparator() ? QStringLiteral("-") : a->text() + "|" + a->shortcut().toString());
    EXPECT_EQ(edit, (QStringList{"&Undo|Ctrl+Z", "-", "Cu&t|Ctrl+X", "&Copy|Ctrl+C", "&Paste|Ctrl+V",
                                 "&Delete|", "-", "Select &All|Ctrl+A"}));
}

TEST_F(MainWindowLayout, TheLongestCaptionsFitTheirLabels) {
    Window1& w = openWindow();
    const struct { QLabel* label; const char* text; } table[] = {
        {w.tmisslabel1, "SET TEMPO"},
        {w.Label2, "TOTALS TO DATE"},
        {w.tempolabel, "180 bpm"},
        {w.ttestslabel, "Number of tests 99999"},
        {w.tnoteslabel, "Notes played 999999"},
        {w.tacclabel, "Accuracy 100%"},
        {w.thitslabel, "Perfect hits 66.67%"},
        {w.tnearlabel, "Pretty close hits 66.67%"},
        {w.tmisslabel, "Way off hits 66.67%"},
        {w.lisplaylabel, "COUNT IN"},
        {w.inssound, "Instrument sound"},
    };
    for (const auto& row : table) {
        const QFontMetrics metrics(row.label->font());
        EXPECT_LE(metrics.horizontalAdvance(QString::fromLatin1(row.text)), row.label->width())
            << row.label->objectName().toStdString() << ": " << row.text;
        EXPECT_LE(metrics.height(), row.label->height()) << row.label->objectName().toStdString();
    }
}
