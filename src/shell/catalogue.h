#pragma once
// The picture and sound catalogue: every shipped picture and metronome click
// by name, one shared object per name for the whole run.
//
// A picture's handle is made at its first request and never replaced, so a
// button's mode can be read by comparing the handle it shows with a later
// request; its image is loaded at the first request that can read the file
// and tried again until one can. A sound is tried once, at its first request;
// when its file cannot be opened it stays silent for the run.

#include "platform/picture.h"
#include "platform/sound.h"

#include <QIcon>
#include <string_view>

namespace catalogue {

// Raise std::invalid_argument for a name the program does not ship.
platform::PicturePtr picture(std::string_view name);
platform::SoundPtr sound(std::string_view name);

// The program's icon, one picture per shipped size; a size whose file is
// missing is left out.
QIcon applicationIcon();

// Forgets every cached object (tests start each case from an empty catalogue).
void clear();

}  // namespace catalogue
