#pragma once
// The options window: the rhythm-group level, beats in bar, number of bars,
// mode, repeat option, next-bar timing, accuracy, input method, MIDI device
// and whether MIDI input sounds. Every control writes its setting into a
// Module1 global or a Window1 property the moment the player changes it;
// there is no OK and no Cancel, and closing the window only closes it.

#include "platform/canvas.h"
#include "platform/listbox.h"
#include "platform/picturebutton.h"
#include "windows/choicecontrols.h"
#include "windows/singlewindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <cstdint>

class optionwin : public windows::SingleWindow<optionwin> {
public:
    // ---- Controls, in order of creation ----
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    windows::RadioButton* RadioButton7 = nullptr;
    windows::RadioButton* RadioButton6 = nullptr;
    windows::RadioButton* RadioButton5 = nullptr;
    windows::RadioButton* RadioButton4 = nullptr;
    windows::RadioButton* RadioButton3 = nullptr;
    windows::RadioButton* RadioButton2 = nullptr;
    windows::RadioButton* RadioButton1 = nullptr;
    platform::PictureButton* BevelButton6 = nullptr;
    platform::PictureButton* BevelButton5 = nullptr;
    platform::PictureButton* BevelButton4 = nullptr;
    platform::PictureButton* BevelButton3 = nullptr;
    platform::PictureButton* BevelButton1 = nullptr;
    QLabel* Label4 = nullptr;
    windows::RadioButton* RadioButton8 = nullptr;
    platform::PictureButton* BevelButton8 = nullptr;
    platform::PictureButton* BevelButton7 = nullptr;
    platform::PictureButton* BevelButton2 = nullptr;
    windows::RadioButton* RadioButton21 = nullptr;
    platform::PictureButton* BevelButton9 = nullptr;
    QLabel* Label15 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    windows::RadioButton* RadioButton10 = nullptr;
    windows::RadioButton* RadioButton9 = nullptr;
    windows::RadioButton* RadioButton11 = nullptr;
    windows::RadioButton* RadioButton12 = nullptr;
    platform::Canvas* Canvas1 = nullptr;
    platform::Canvas* Canvas2 = nullptr;
    platform::Canvas* Canvas3 = nullptr;
    platform::Canvas* Canvas4 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    windows::RadioButton* RadioButton13 = nullptr;
    windows::RadioButton* RadioButton14 = nullptr;
    windows::RadioButton* RadioButton15 = nullptr;
    windows::RadioButton* RadioButton16 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    windows::RadioButton* RadioButton18 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QSlider* Slider1 = nullptr;  // next-bar time, shown reversed: 100 - earlychange
    QLabel* Label14 = nullptr;
    windows::RadioButton* RadioButton17 = nullptr;
    windows::CheckBox* CheckBox2 = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    windows::RadioButton* RadioButton19 = nullptr;
    platform::ListBox* Listbox1 = nullptr;  // MIDI input devices: name, device id
    windows::CheckBox* CheckBox1 = nullptr;
    windows::RadioButton* RadioButton20 = nullptr;
    QComboBox* PopupMenu1 = nullptr;  // accuracy
    QLabel* Label16 = nullptr;

    // ---- Opening: shows the current settings ----
    void Event_Open();

    // ---- Rhythm-group level (optionwin_levels.cpp) ----
    void RadioButton1_Action();
    void RadioButton2_Action();
    void RadioButton3_Action();
    void RadioButton4_Action();
    void RadioButton5_Action();
    void RadioButton6_Action();
    void RadioButton7_Action();
    void RadioButton8_Action();
    void RadioButton21_Action();
    void BevelButton1_Action();
    void BevelButton2_Action();
    void BevelButton3_Action();
    void BevelButton4_Action();
    void BevelButton5_Action();
    void BevelButton6_Action();
    void BevelButton7_Action();
    void BevelButton8_Action();
    void BevelButton9_Action();

    // ---- Test shape, mode, repeat, next-bar time, accuracy (optionwin_testshape.cpp) ----
    void RadioButton9_Action();
    void RadioButton10_Action();
    void RadioButton11_Action();
    void RadioButton12_Action();
    void RadioButton13_Action();
    void RadioButton14_Action();
    void RadioButton15_Action();
    void RadioButton16_Action();
    void RadioButton17_Action();
    void RadioButton18_Action();
    void CheckBox2_Open();
    void CheckBox2_Action();
    void Slider1_Open();
    void Slider1_ValueChanged();
    void PopupMenu1_Open();
    void PopupMenu1_Change();

    // ---- Input method and MIDI device (optionwin_input.cpp) ----
    void RadioButton19_Action();
    void RadioButton20_Action();
    bool Listbox1_CellClick(int row, int column);
    void CheckBox1_Open();
    void CheckBox1_Action();

private:
    friend class windows::SingleWindow<optionwin>;
    optionwin();
    void Layout();
    void _CreateControls0();
    void BindHandlers();
    void opened() override;

    // The level of one row of the level table: its radio is set, and both
    // ends of its range are written.
    void chooselevel(windows::RadioButton* radio, int64_t low, int64_t high);
    // Ends a pending repeat: the stored test is dropped and START shows go.
    static void cancelpendingrepeat();
    // Where the next-bar slider shows earlychange: 100 - earlychange, kept on the slider.
    static int nextbarsliderposition();
};
