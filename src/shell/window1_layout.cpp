// The main window's frame and its 32 controls: kind, place, size, text, font,
// colour and first state of each, in the order they are created.

#include "platform/fonts.h"
#include "shell/catalogue.h"
#include "shell/mainmenubar.h"
#include "shell/window1.h"
#include "shell/window1frame.h"

#include <QLayout>

namespace {

constexpr int windowWidth = 960;
constexpr int windowHeight = 625;

struct LabelLook {
    const char* font;
    int size;
    bool bold;
    QRgb colour;
    Qt::Alignment alignment;
};

QLabel* makeLabel(QWidget* parent, const char* name, QRect windowRect, QPoint parentOrigin,
                  const QString& text, const LabelLook& look) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(windowRect.translated(-parentOrigin));
    label->setFont(platform::namedFont(QString::fromLatin1(look.font), look.size, look.bold));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(look.colour));
    label->setPalette(palette);
    label->setAlignment(look.alignment | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

// A button that takes the keyboard focus takes it by Tab only (see
// picturebutton.h).
platform::PictureButton* makeButton(QWidget* parent, const char* name, QRect rect,
                                    std::string_view picture, bool takesFocus) {
    auto* button = new platform::PictureButton(std::string(name) + "_Action", parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(rect);
    button->setIcon(catalogue::picture(picture));
    button->setFocusPolicy(takesFocus ? Qt::TabFocus : Qt::NoFocus);
    return button;
}

platform::ListBox* makeTable(QWidget* parent, const char* name, int columns, QRect rect) {
    auto* table = new platform::ListBox(std::string(name), columns, parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setGeometry(rect);
    table->setFocusPolicy(Qt::StrongFocus);
    return table;
}

}  // namespace

void Window1::Layout() {
    frame_->setMenuBar(&MainMenuBar::instance());
    // The quit item takes the same way out as the close box, so the MIDI
    // input is closed either way.
    QObject::connect(MainMenuBar::instance().FileQuit, &QAction::triggered, frame_.get(), [this] { Close(); });
    content_ = new QWidget(frame_.get());
    content_->setObjectName(QStringLiteral("Window1"));
    content_->setFixedSize(windowWidth, windowHeight);
    content_->setAutoFillBackground(true);
    QPalette palette = content_->palette();
    palette.setColor(QPalette::Window, Qt::white);
    content_->setPalette(palette);
    frame_->setCentralWidget(content_);
    // The window follows the content's fixed size: the player cannot resize
    // it, and a change of width made by the program takes effect.
    frame_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    frame_->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    frame_->setWindowTitle(QString());
}

void Window1::CreateControls() {
    QWidget* w = content_;
    const QPoint top(0, 0);
    const LabelLook total{"Cooper Black", 15, false, 0x000000, Qt::AlignLeft};
    const LabelLook result{"Cooper Black", 25, true, 0x000000, Qt::AlignLeft};
    const LabelLook verdict{"Cooper Black", 20, true, 0x000000, Qt::AlignHCenter};

    Canvas1 = new platform::Canvas("Canvas1_Paint", w);
    Canvas1->setObjectName(QStringLiteral("Canvas1"));
    Canvas1->setGeometry(0, 2, 725, 231);
    Canvas1->Backdrop = catalogue::picture("canvasback");

    TextField1 = new platform::TextField("TextField1_KeyDown", w);
    TextField1->setObjectName(QStringLiteral("TextField1"));
    TextField1->setGeometry(-118, 371, 84, 22);
    TextField1->setMaxLength(1);

    Canvas2 = new platform::Canvas("Canvas2_Paint", w);
    Canvas2->setObjectName(QStringLiteral("Canvas2"));
    Canvas2->setGeometry(0, 269, 712, 47);

    notelist = makeTable(w, "notelist", 5, QRect(970, 0, 196, 625));

    lisplaylabel = makeLabel(w, "lisplaylabel", QRect(252, 233, 236, 37), top, QString(),
                             {"Arial Bold Italic", 30, true, 0xFF0000, Qt::AlignHCenter});

    BevelButton1 = makeButton(w, "BevelButton1", QRect(277, 308, 173, 76), "go", true);
    BevelButton2 = makeButton(w, "BevelButton2", QRect(68, 312, 141, 65), "options", true);
    BevelButton3 = makeButton(w, "BevelButton3", QRect(523, 312, 141, 65), "results", false);

    const QRect boxRect(45, 416, 667, 189);
    resultbox = new QGroupBox(QString(), w);
    resultbox->setObjectName(QStringLiteral("resultbox"));
    resultbox->setGeometry(boxRect);
    resultbox->hide();
    const QPoint inBox = boxRect.topLeft();
    perfect = makeLabel(resultbox, "perfect", QRect(85, 426, 607, 46), inBox, QStringLiteral("Perfect Hits = "),
                        {"Cooper Black", 25, true, 0x008040, Qt::AlignHCenter});
    LabelLook closeLook = result;
    closeLook.colour = 0x0080C0;
    close = makeLabel(resultbox, "close", QRect(85, 471, 286, 46), inBox, QStringLiteral("Pretty Close Hits = "),
                      closeLook);
    LabelLook whoopsLook = result;
    whoopsLook.colour = 0xFF0000;
    whoops = makeLabel(resultbox, "whoops", QRect(383, 471, 263, 46), inBox, QStringLiteral("Whoops a daisy = "),
                       whoopsLook);
    summary = makeLabel(resultbox, "summary", QRect(53, 521, 646, 27), inBox,
                        QStringLiteral("You played 0 notes but missed 0"), verdict);
    summary2 = makeLabel(resultbox, "summary2", QRect(53, 554, 646, 32), inBox,
                         QStringLiteral("You played 0 notes but missed 0"), verdict);

    Label2 = makeLabel(w, "Label2", QRect(737, 47, 193, 27), top, QStringLiteral("TOTALS TO DATE"),
                       {"Cooper Black", 18, false, 0x8000FF, Qt::AlignLeft});
    tacclabel = makeLabel(w, "tacclabel", QRect(737, 168, 212, 27), top, QStringLiteral("Accuracy"), total);
    ttestslabel = makeLabel(w, "ttestslabel", QRect(737, 108, 212, 27), top, QStringLiteral("Number of tests"), total);
    thitslabel = makeLabel(w, "thitslabel", QRect(737, 196, 212, 27), top, QStringLiteral("Perfect hits"), total);
    tnearlabel = makeLabel(w, "tnearlabel", QRect(737, 225, 212, 27), top, QStringLiteral("Pretty close hits"), total);
    tmisslabel = makeLabel(w, "tmisslabel", QRect(737, 253, 212, 27), top, QStringLiteral("Way off hits"), total);
    tnoteslabel = makeLabel(w, "tnoteslabel", QRect(737, 138, 212, 27), top, QStringLiteral("Notes played"), total);

    BevelButton4 = makeButton(w, "BevelButton4", QRect(776, 328, 117, 46), "help", true);

    Slider1 = new QSlider(Qt::Horizontal, w);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setGeometry(748, 438, 156, 31);
    Slider1->setRange(0, 100);
    Slider1->setValue(60);
    Slider1->setSingleStep(1);
    Slider1->setPageStep(20);
    Slider1->setTickPosition(QSlider::NoTicks);
    Slider1->setTracking(false);  // the value is reported when the thumb is released

    tmisslabel1 = makeLabel(w, "tmisslabel1", QRect(748, 390, 156, 43), top, QStringLiteral("SET TEMPO"),
                            {"Cooper Black", 25, false, 0x8000FF, Qt::AlignHCenter});
    tempolabel = makeLabel(w, "tempolabel", QRect(748, 471, 156, 39), top, QStringLiteral("60 bpm"),
                           {"Cooper Black", 25, false, 0x400080, Qt::AlignHCenter});

    retestlist = makeTable(w, "retestlist", 1, QRect(-48, 405, 36, 128));

    BevelButton5 = makeButton(w, "BevelButton5", QRect(302, 382, 123, 32), "newtest", false);
    BevelButton5->hide();

    PopupMenu1 = new QComboBox(w);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setGeometry(737, 560, 193, 22);
    PopupMenu1->setFont(platform::namedFont(QStringLiteral("Cooper Std Black"), 14));

    inssound = makeLabel(w, "inssound", QRect(737, 526, 193, 26), top, QStringLiteral("Instrument sound"),
                         {"Cooper Black", 16, false, 0x000000, Qt::AlignHCenter});
    inssound->setWordWrap(true);
}
