#include "engine/lisplaylabel.h"

#include <QColor>
#include <QPalette>

void showlisplay(QLabel& label, QRgb colour, const QString& caption) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, QColor(colour));
    label.setPalette(palette);
    label.setText(caption);
}
