#include "engine/playsample.h"

#include "platform/exceptions.h"
#include "shell/module1.h"

#include <string>

void playsample(int64_t pitch) {
    if (pitch < 0 || pitch >= int64_t(Module1.sounds.size()))
        throw platform::OutOfBoundsException("sounds(" + std::to_string(pitch) + ")");
    const platform::SoundPtr& sample = Module1.sounds[size_t(pitch)];
    if (!sample) throw platform::NilObjectException("sounds(" + std::to_string(pitch) + ")");
    sample->Play();
}
