#pragma once
// The plug-in host: at start-up it loads the program's MIDI plug-in library
// from the program's folder and binds the MIDI classes to it.

#include <QString>

namespace platform {

// Loads Notelink ("libNotelink.so" in `programFolder`), runs its entry
// function and binds every member of PortMidiVLX, PortMidiDeviceInfoVLX,
// PortMidiStreamVLX and PortMidiEventVLX by its declaration. Answers true
// when all are bound. Otherwise it says why on standard error and answers
// false, and the MIDI classes behave as they do with no MIDI device at all.
// Called once at start-up; calling it again rebinds, and objects made
// under the earlier binding must be gone by then.
bool loadPlugins(const QString& programFolder);

// Whether the MIDI classes are bound to a library.
bool midiClassesBound();

}  // namespace platform
