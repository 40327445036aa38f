#include "platform/sound.h"

#include "platform/sdlsoundoutput.h"

namespace platform {
namespace {
SoundOutput* installed = nullptr;
}

void setSoundOutput(SoundOutput* output) { installed = output; }

SoundOutput& soundOutput() { return installed ? *installed : SdlSoundOutput::instance(); }

std::shared_ptr<Sound> Sound::open(const QString& path) {
    SoundOutput& output = soundOutput();
    return std::shared_ptr<Sound>(new Sound(path, &output, output.open(path)));
}

Sound::Sound(QString path, SoundOutput* output, std::shared_ptr<SoundData> data)
    : path_(std::move(path)), output_(output), data_(std::move(data)) {}

void Sound::Play() {
    if (data_) output_->play(*data_, path_);
}

}  // namespace platform
