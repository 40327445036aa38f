#pragma once
// The LISTEN / PLAY label's caption and colour, which always change together.

#include <QLabel>
#include <QRgb>
#include <QString>

inline constexpr QRgb lisplayred = 0xFF0000;    // "COUNT IN" and "LISTEN"
inline constexpr QRgb lisplaygreen = 0x00E000;  // "PLAY"

void showlisplay(QLabel& label, QRgb colour, const QString& caption);
