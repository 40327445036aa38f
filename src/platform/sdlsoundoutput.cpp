#include "platform/sdlsoundoutput.h"

#include "platform/soundserverlatency.h"

#include <QCoreApplication>
#include <QTimer>
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

namespace platform {
namespace {

class Chunk final : public SoundData {
public:
    explicit Chunk(Mix_Chunk* chunk) : chunk_(chunk) {}
    ~Chunk() override { Mix_FreeChunk(chunk_); }
    Mix_Chunk* get() const { return chunk_; }

private:
    Mix_Chunk* chunk_;
};

}  // namespace

SdlSoundOutput& SdlSoundOutput::instance() {
    static SdlSoundOutput output;
    return output;
}

SdlSoundOutput::~SdlSoundOutput() {
    if (closer_.running()) Mix_CloseAudio();
    // Quitting the audio part alone would leave what SDL set up for itself
    // while starting it (its session-bus connection) open until the process
    // ends; SDL_Quit closes everything, also after a start that failed, and
    // does nothing where SDL was never started.
    SDL_Quit();
}

bool SdlSoundOutput::start() {
    // The sound server keeps about two of this opening's buffers queued. Set
    // before SDL starts its threads: the first setting adds a variable.
    askSoundServerLatency(frames_, frequency_);
    if (!initialised_) {
        // SDL would otherwise take over SIGINT and SIGTERM and turn them into
        // quit events that this program never reads, so that it could no
        // longer be ended by a plain kill or a logout.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::fprintf(stderr, "Taptrell: no sound: %s\n", SDL_GetError());
            return false;
        }
        initialised_ = true;
    }
    // The sounds are converted to the format of the first opening when they
    // are loaded; every later opening asks for exactly that format, so that
    // they still play right.
    const int opened = opened_ ? Mix_OpenAudioDevice(frequency_, format_, outputs_, frames_, nullptr, 0)
                               : Mix_OpenAudio(frequency, AUDIO_S16SYS, 2, frames_);
    if (opened != 0) {
        std::fprintf(stderr, "Taptrell: no sound: %s\n", Mix_GetError());
        return false;
    }
    if (!opened_) {
        Mix_QuerySpec(&frequency_, &format_, &outputs_);
        opened_ = true;
    }
    Mix_AllocateChannels(channels);
    return true;
}

void SdlSoundOutput::stop() { Mix_CloseAudio(); }

bool SdlSoundOutput::sounding() { return Mix_Playing(-1) > 0; }

void SdlSoundOutput::watchIdle() {
    if (!closer_.needsChecks()) return;
    if (!idlecheck_) {
        // Without an event loop nobody looks: the device then stays open.
        QCoreApplication* loop = QCoreApplication::instance();
        if (!loop) return;
        idlecheck_ = new QTimer(loop);
        idlecheck_->setInterval(idleCheckMs);
        QObject::connect(idlecheck_, &QTimer::timeout, [this] {
            closer_.check();
            if (!closer_.needsChecks()) idlecheck_->stop();
        });
    }
    if (!idlecheck_->isActive()) idlecheck_->start();
}

bool SdlSoundOutput::isOpen() {
    const bool open = closer_.wake();
    watchIdle();
    return open;
}

void SdlSoundOutput::keepRunning(bool on) {
    closer_.keepRunning(on);
    watchIdle();
}

std::shared_ptr<SoundData> SdlSoundOutput::open(const QString& path) {
    // Loading converts the file to the open device's format.
    if (!isOpen()) return nullptr;
    Mix_Chunk* chunk = Mix_LoadWAV(path.toLocal8Bit().constData());
    if (!chunk) return nullptr;
    return std::make_shared<Chunk>(chunk);
}

void SdlSoundOutput::play(SoundData& data, const QString&) {
    if (!isOpen()) return;
    // When every channel is busy the oldest play is cut short, so that a new
    // tap is never the one that goes unheard.
    Mix_Chunk* chunk = static_cast<Chunk&>(data).get();
    if (Mix_PlayChannel(-1, chunk, 0) == -1) {
        const int oldest = Mix_GroupOldest(-1);
        if (oldest >= 0) Mix_PlayChannel(oldest, chunk, 0);
    }
}

}  // namespace platform
