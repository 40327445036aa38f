#pragma once
// A scratch copy of the program's folder: the binary and its plug-in copied
// (the program finds its folder from its own resolved path), the shipped
// pictures, sounds and instrument folders linked. The settings file a test
// writes lands in the copy, never in the build.

#include <QString>

// Fills `to` from the built program folder `from`; returns the copied binary.
QString copyProgramFolder(const QString& from, const QString& to);
