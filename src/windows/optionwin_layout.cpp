// The options window's frame and its 60 controls: kind, holder, place, size,
// text, font and first state of each, in the order they are created, and the
// handlers bound to their events.

#include "platform/dispatch.h"
#include "platform/fonts.h"
#include "shell/catalogue.h"
#include "windows/optionwin.h"

namespace {

constexpr QRgb black = 0x000000;
constexpr QRgb violet = 0x8000FF;

// Every attribute is fixed, so that nothing of a group box's bold title font
// passes on to the controls it holds.
QFont layoutFont(const char* name, int pixels, bool bold = false) {
    QFont font = platform::namedFont(QString::fromLatin1(name), pixels, bold);
    font.setBold(font.bold());
    font.setItalic(font.italic());
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

// Places `control` at its window coordinates inside its holder and gives it
// its own font (a group box's title font must not pass on to what it holds).
template <class Control>
Control* place(Control* control, const char* name, QRect windowRect, QPoint holderOrigin, const QFont& font) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(windowRect.translated(-holderOrigin));
    control->setFont(font);
    return control;
}

QLabel* makeLabel(QWidget* holder, QPoint origin, const char* name, QRect rect, const QString& text,
                  const QFont& font, QRgb colour = black) {
    auto* label = place(new QLabel(text, holder), name, rect, origin, font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(colour));
    label->setPalette(palette);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

QGroupBox* makeGroupBox(QWidget* window, const char* name, QRect rect, const QString& caption,
                        const QFont& font) {
    auto* box = place(new QGroupBox(caption, window), name, rect, QPoint(0, 0), font);
    return box;
}

windows::RadioButton* makeRadio(QWidget* holder, QPoint origin, const char* name, QRect rect,
                                const QString& caption = QString()) {
    return place(new windows::RadioButton(std::string(name) + "_Action", caption, holder), name, rect,
                 origin, layoutFont("System", 0));
}

windows::CheckBox* makeCheckBox(QWidget* holder, QPoint origin, const char* name, QRect rect,
                                const QString& caption) {
    return place(new windows::CheckBox(std::string(name) + "_Action", caption, holder), name, rect,
                 origin, layoutFont("System", 0));
}

// A flat picture button: no caption, the catalogue picture on a white face.
platform::PictureButton* makePictureButton(QWidget* holder, QPoint origin, const char* name, QRect rect,
                                           std::string_view picture) {
    auto* button = new platform::PictureButton(std::string(name) + "_Action", holder);
    button->setIcon(catalogue::picture(picture));
    button->setFlat(true);
    return place(button, name, rect, origin, button->font());
}

platform::Canvas* makeCanvas(QWidget* holder, QPoint origin, const char* name, QRect rect,
                             std::string_view backdrop) {
    auto* canvas = new platform::Canvas(std::string(name) + "_Paint", holder);
    canvas->Backdrop = catalogue::picture(backdrop);
    return place(canvas, name, rect, origin, canvas->font());
}

}  // namespace

optionwin::optionwin()
    : SingleWindow(Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    Layout();
    _CreateControls0();
    BindHandlers();
}

void optionwin::Layout() {
    setObjectName(QStringLiteral("optionwin"));
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(830, 560);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

void optionwin::_CreateControls0() {
    const QFont title = layoutFont("Arial Bold", 14, true);
    const QFont arial14Bold = layoutFont("Arial", 14, true);
    const QFont arial13 = layoutFont("Arial", 13);
    const QFont system13 = layoutFont("System", 13);
    const QFont cooper30 = layoutFont("Cooper Black", 30);

    // Rhythm-group levels.
    const QRect box1(7, 10, 396, 530);
    GroupBox1 = makeGroupBox(this, "GroupBox1", box1, QStringLiteral("SELECT THE RHYTHM GROUPS TO INCLUDE"), title);
    const QPoint in1 = box1.topLeft();
    Label3 = makeLabel(GroupBox1, in1, "Label3", {64, 209, 210, 20}, QStringLiteral("MORE ADVANCED LEVELS"),
                       arial14Bold, violet);
    Label2 = makeLabel(GroupBox1, in1, "Label2", {64, 122, 31, 20}, QStringLiteral("OR:"), arial14Bold);
    Label1 = makeLabel(GroupBox1, in1, "Label1", {59, 39, 159, 20}, QStringLiteral("BASIC LEVELS"), arial14Bold,
                       violet);
    RadioButton7 = makeRadio(GroupBox1, in1, "RadioButton7", {35, 423, 21, 21});
    RadioButton6 = makeRadio(GroupBox1, in1, "RadioButton6", {35, 376, 21, 21});
    RadioButton5 = makeRadio(GroupBox1, in1, "RadioButton5", {35, 329, 21, 21});
    RadioButton4 = makeRadio(GroupBox1, in1, "RadioButton4", {204, 280, 21, 21});
    RadioButton3 = makeRadio(GroupBox1, in1, "RadioButton3", {35, 280, 21, 21});
    RadioButton2 = makeRadio(GroupBox1, in1, "RadioButton2", {35, 166, 21, 21});
    RadioButton1 = makeRadio(GroupBox1, in1, "RadioButton1", {35, 95, 21, 21});
    RadioButton1->setChecked(true);
    BevelButton6 = makePictureButton(GroupBox1, in1, "BevelButton6", {59, 351, 167, 51}, "l6");
    BevelButton5 = makePictureButton(GroupBox1, in1, "BevelButton5", {59, 302, 325, 51}, "l5");
    BevelButton4 = makePictureButton(GroupBox1, in1, "BevelButton4", {228, 251, 136, 51}, "l4");
    BevelButton3 = makePictureButton(GroupBox1, in1, "BevelButton3", {59, 251, 121, 51}, "l3");
    BevelButton1 = makePictureButton(GroupBox1, in1, "BevelButton1", {59, 67, 121, 51}, "l1");
    Label4 = makeLabel(GroupBox1, in1, "Label4", {62, 227, 322, 20},
                       QStringLiteral("All previous levels may be incuded from here onwards"), arial13);
    RadioButton8 = makeRadio(GroupBox1, in1, "RadioButton8", {35, 475, 21, 21});
    BevelButton8 = makePictureButton(GroupBox1, in1, "BevelButton8", {59, 448, 230, 59}, "l8");
    BevelButton7 = makePictureButton(GroupBox1, in1, "BevelButton7", {59, 402, 230, 51}, "l7");
    BevelButton2 = makePictureButton(GroupBox1, in1, "BevelButton2", {59, 143, 270, 46}, "l2");
    RadioButton21 = makeRadio(GroupBox1, in1, "RadioButton21", {203, 95, 21, 21});
    BevelButton9 = makePictureButton(GroupBox1, in1, "BevelButton9", {227, 65, 167, 51}, "l1t");
    Label15 = makeLabel(GroupBox1, in1, "Label15", {192, 75, 31, 20}, QStringLiteral("OR:"), arial14Bold);

    // Beats in bar.
    const QRect box2(433, 10, 375, 92);
    GroupBox2 = makeGroupBox(this, "GroupBox2", box2, QStringLiteral("BEATS IN BAR"), title);
    const QPoint in2 = box2.topLeft();
    RadioButton10 = makeRadio(GroupBox2, in2, "RadioButton10", {541, 53, 23, 20});
    RadioButton9 = makeRadio(GroupBox2, in2, "RadioButton9", {458, 52, 23, 20});
    RadioButton11 = makeRadio(GroupBox2, in2, "RadioButton11", {626, 54, 23, 20});
    RadioButton11->setChecked(true);
    RadioButton12 = makeRadio(GroupBox2, in2, "RadioButton12", {702, 54, 23, 20});
    Canvas1 = makeCanvas(GroupBox2, in2, "Canvas1", {486, 32, 38, 63}, "t24");
    Canvas2 = makeCanvas(GroupBox2, in2, "Canvas2", {567, 32, 38, 63}, "t34");
    Canvas3 = makeCanvas(GroupBox2, in2, "Canvas3", {647, 32, 38, 63}, "t44");
    Canvas4 = makeCanvas(GroupBox2, in2, "Canvas4", {724, 32, 38, 63}, "t54");

    // Number of bars.
    const QRect box3(434, 105, 375, 77);
    GroupBox3 = makeGroupBox(this, "GroupBox3", box3, QStringLiteral("NUMBER OF BARS IN TEST"), title);
    const QPoint in3 = box3.topLeft();
    RadioButton13 = makeRadio(GroupBox3, in3, "RadioButton13", {454, 149, 23, 20});
    RadioButton13->setChecked(true);
    RadioButton14 = makeRadio(GroupBox3, in3, "RadioButton14", {539, 149, 28, 20});
    RadioButton15 = makeRadio(GroupBox3, in3, "RadioButton15", {624, 149, 23, 20});
    RadioButton16 = makeRadio(GroupBox3, in3, "RadioButton16", {703, 149, 23, 20});
    Label5 = makeLabel(GroupBox3, in3, "Label5", {477, 136, 28, 39}, QStringLiteral("4"), cooper30);
    Label6 = makeLabel(GroupBox3, in3, "Label6", {566, 136, 28, 39}, QStringLiteral("8"), cooper30);
    Label7 = makeLabel(GroupBox3, in3, "Label7", {644, 136, 39, 39}, QStringLiteral("12"), cooper30);
    Label8 = makeLabel(GroupBox3, in3, "Label8", {724, 136, 39, 39}, QStringLiteral("16"), cooper30);

    // Mode, repeat and next-bar time.
    const QRect box4(433, 185, 376, 174);
    GroupBox4 = makeGroupBox(this, "GroupBox4", box4, QStringLiteral("MODE"), title);
    const QPoint in4 = box4.topLeft();
    RadioButton18 = makeRadio(GroupBox4, in4, "RadioButton18", {483, 229, 25, 25});
    Label9 = makeLabel(GroupBox4, in4, "Label9", {509, 203, 239, 26}, QStringLiteral("Listen then copy, a bar at a time"),
                       system13);
    Label10 = makeLabel(GroupBox4, in4, "Label10", {509, 232, 213, 35},
                        QStringLiteral("Play right through to the end after a one bar count in"), system13);
    Label10->setWordWrap(true);
    Label11 = makeLabel(GroupBox4, in4, "Label11", {483, 295, 210, 20}, QStringLiteral("Show next bar time:"),
                        arial14Bold);
    Label12 = makeLabel(GroupBox4, in4, "Label12", {448, 322, 42, 20}, QStringLiteral("Earlier"), arial13);
    Label13 = makeLabel(GroupBox4, in4, "Label13", {728, 323, 42, 20}, QStringLiteral("Later"), arial13);
    Slider1 = place(new QSlider(Qt::Horizontal, GroupBox4), "Slider1", {500, 325, 220, 24}, in4,
                    GroupBox4->font());
    Slider1->setRange(0, 90);
    Slider1->setValue(20);
    Slider1->setSingleStep(10);
    Slider1->setPageStep(10);
    Slider1->setTracking(false);  // the value is reported when the thumb is released
    Slider1->setTickPosition(QSlider::NoTicks);
    Label14 = makeLabel(GroupBox4, in4, "Label14", {676, 309, 33, 20}, QString(), layoutFont("System", 0));
    RadioButton17 = makeRadio(GroupBox4, in4, "RadioButton17", {483, 204, 25, 25});
    RadioButton17->setChecked(true);
    CheckBox2 = makeCheckBox(GroupBox4, in4, "CheckBox2", {483, 266, 301, 20},
                             QStringLiteral("  Repeat each test until happy"));

    // Input method.
    const QRect box5(433, 424, 375, 116);
    GroupBox5 = makeGroupBox(this, "GroupBox5", box5, QStringLiteral("INPUT METHOD"), title);
    const QPoint in5 = box5.topLeft();
    RadioButton19 = makeRadio(GroupBox5, in5, "RadioButton19", {482, 446, 143, 20}, QStringLiteral("Computer keyboard"));
    RadioButton19->setChecked(true);
    RadioButton19->setAttribute(Qt::WA_TranslucentBackground);
    Listbox1 = new platform::ListBox("Listbox1_CellClick", 2, GroupBox5);
    place(Listbox1, "Listbox1", {470, 496, 300, 39}, in5, layoutFont("System", 0));
    CheckBox1 = makeCheckBox(GroupBox5, in5, "CheckBox1", {544, 471, 178, 20},
                             QStringLiteral("Midi input plays a sound"));
    RadioButton20 = makeRadio(GroupBox5, in5, "RadioButton20", {482, 472, 57, 20}, QStringLiteral("Midi"));

    // Accuracy.
    PopupMenu1 = place(new QComboBox(this), "PopupMenu1", {565, 381, 245, 22}, QPoint(0, 0),
                       layoutFont("System", 0));
    Label16 = makeLabel(this, QPoint(0, 0), "Label16", {438, 382, 107, 20}, QStringLiteral("Accuracy"),
                        layoutFont("Arial Bold", 14, true));
}

void optionwin::BindHandlers() {
    RadioButton1->Action = [this] { RadioButton1_Action(); };
    RadioButton2->Action = [this] { RadioButton2_Action(); };
    RadioButton3->Action = [this] { RadioButton3_Action(); };
    RadioButton4->Action = [this] { RadioButton4_Action(); };
    RadioButton5->Action = [this] { RadioButton5_Action(); };
    RadioButton6->Action = [this] { RadioButton6_Action(); };
    RadioButton7->Action = [this] { RadioButton7_Action(); };
    RadioButton8->Action = [this] { RadioButton8_Action(); };
    RadioButton21->Action = [this] { RadioButton21_Action(); };
    BevelButton1->Action = [this] { BevelButton1_Action(); };
    BevelButton2->Action = [this] { BevelButton2_Action(); };
    BevelButton3->Action = [this] { BevelButton3_Action(); };
    BevelButton4->Action = [this] { BevelButton4_Action(); };
    BevelButton5->Action = [this] { BevelButton5_Action(); };
    BevelButton6->Action = [this] { BevelButton6_Action(); };
    BevelButton7->Action = [this] { BevelButton7_Action(); };
    BevelButton8->Action = [this] { BevelButton8_Action(); };
    BevelButton9->Action = [this] { BevelButton9_Action(); };

    RadioButton9->Action = [this] { RadioButton9_Action(); };
    RadioButton10->Action = [this] { RadioButton10_Action(); };
    RadioButton11->Action = [this] { RadioButton11_Action(); };
    RadioButton12->Action = [this] { RadioButton12_Action(); };
    RadioButton13->Action = [this] { RadioButton13_Action(); };
    RadioButton14->Action = [this] { RadioButton14_Action(); };
    RadioButton15->Action = [this] { RadioButton15_Action(); };
    RadioButton16->Action = [this] { RadioButton16_Action(); };
    RadioButton17->Action = [this] { RadioButton17_Action(); };
    RadioButton18->Action = [this] { RadioButton18_Action(); };
    CheckBox2->Action = [this] { CheckBox2_Action(); };
    connect(Slider1, &QSlider::valueChanged, this,
            [this] { platform::dispatch("Slider1_ValueChanged", [this] { Slider1_ValueChanged(); }); });
    connect(PopupMenu1, &QComboBox::currentIndexChanged, this,
            [this] { platform::dispatch("PopupMenu1_Change", [this] { PopupMenu1_Change(); }); });

    RadioButton19->Action = [this] { RadioButton19_Action(); };
    RadioButton20->Action = [this] { RadioButton20_Action(); };
    Listbox1->CellClick = [this](int row, int column) { return Listbox1_CellClick(row, column); };
    CheckBox1->Action = [this] { CheckBox1_Action(); };
}
