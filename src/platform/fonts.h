#pragma once
// The fonts the windows name, mapped once to free fonts of similar build, so
// that the rest of the code keeps the names the layouts give.

#include <QFont>
#include <QString>

namespace platform {

// `name` as the layouts give it ("Cooper Black", "Arial Bold Italic",
// "System"); `pixels` is the text size.
QFont namedFont(const QString& name, int pixels, bool bold = false, bool italic = false);

}  // namespace platform
