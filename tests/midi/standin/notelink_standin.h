#pragma once
// Notelink built over the PortMidi stand-in, for the program's tests.
//
//   portmidi_standin::reset();
//   portmidi_standin::addInput("Keys");
//   ASSERT_TRUE(portmidi_standin::loadFreshNotelink());
//   ... the program's MIDI classes now run over the stand-in ...
//
// Link the test program against taptrell_midi_standin.

#include <string>
#include <utility>
#include <vector>

namespace portmidi_standin {

// Loads a new copy of the stand-in Notelink and binds the program's MIDI
// classes to it (platform::loadPlugins). Each copy starts as the library
// does in a new process: PortMidi not yet initialised, no service looked up.
// Objects of the MIDI classes made before must be gone.
bool loadFreshNotelink();

// The stand-in Notelink's file.
std::string notelinkLibraryFile();

// A new empty folder, and one holding copies of files: each pair names a
// file to copy and its name in the folder.
std::string newFolder();
std::string folderWith(const std::vector<std::pair<std::string, std::string>>& files);
void removeFolder(const std::string& folder);

}  // namespace portmidi_standin
