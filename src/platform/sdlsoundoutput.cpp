#include "platform/sdlsoundoutput.h"

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
    if (open_) Mix_CloseAudio();
    // Quitting the audio part alone would leave what SDL set up for itself
    // while starting it (its session-bus connection) open until the process
    // ends; SDL_Quit closes everything, also after a start that failed.
    if (tried_) SDL_Quit();
}

bool SdlSoundOutput::ensureOpen() {
    if (tried_) return open_;
    tried_ = true;
    // SDL would otherwise take over SIGINT and SIGTERM and turn them into
    // quit events that this program never reads, so that it could no longer
    // be ended by a plain kill or a logout.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "Taptrell: no sound: %s\n", SDL_GetError());
        return false;
    }
    if (Mix_OpenAudio(frequency, AUDIO_S16SYS, 2, bufferFrames) != 0) {
        std::fprintf(stderr, "Taptrell: no sound: %s\n", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(channels);
    open_ = true;
    return true;
}

bool SdlSoundOutput::isOpen() { return ensureOpen(); }

std::shared_ptr<SoundData> SdlSoundOutput::open(const QString& path) {
    if (!ensureOpen()) return nullptr;
    Mix_Chunk* chunk = Mix_LoadWAV(path.toLocal8Bit().constData());
    if (!chunk) return nullptr;
    return std::make_shared<Chunk>(chunk);
}

void SdlSoundOutput::play(SoundData& data, const QString&) {
    // When every channel is busy the oldest play is cut short, so that a new
    // tap is never the one that goes unheard.
    Mix_Chunk* chunk = static_cast<Chunk&>(data).get();
    if (Mix_PlayChannel(-1, chunk, 0) == -1) {
        const int oldest = Mix_GroupOldest(-1);
        if (oldest >= 0) Mix_PlayChannel(oldest, chunk, 0);
    }
}

}  // namespace platform
