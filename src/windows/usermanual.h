#pragma once
// The user manual shown in the help window: 39 lines of plain text joined by
// carriage return and line feed, with no line ending after the last line.

#include <QString>

namespace windows {

QString usermanual();

}  // namespace windows
