#pragma once
// The fonts the windows name, mapped once to free fonts of similar build, so
// that the rest of the code keeps the names the layouts give.

#include <QFont>
#include <QString>

namespace platform {

// The unit of a text size. A size given with no unit is in pixels.
enum class FontUnit { Pixel, Point };

// `name` as the layouts give it ("Cooper Black", "Arial Bold Italic",
// "System"), in any letter case; `size` is the text size in `unit`.
QFont namedFont(const QString& name, int size, bool bold = false, bool italic = false,
                FontUnit unit = FontUnit::Pixel);

}  // namespace platform
