// The bare reference for the sound benchmark: nothing but SDL2_mixer, opened
// as the program opens it, playing a metronome (hi on every fourth beat, low
// on the others) from a loop that sleeps until each beat's steady-clock
// moment. What its clicks lose on the way to the sound server is the sound
// path's own share.
//
//   soundref BUFFER_FRAMES BEAT_MS BEATS HI.wav LOW.wav
//
// Prints its CPU time and running time in seconds, from the first beat on.

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: soundref BUFFER_FRAMES BEAT_MS BEATS HI.wav LOW.wav\n");
        return 2;
    }
    const int frames = std::atoi(argv[1]);
    const double beatMs = std::atof(argv[2]);
    const int beats = std::atoi(argv[3]);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(44100, AUDIO_S16SYS, 2, frames) != 0) {
        std::fprintf(stderr, "soundref: no sound: %s\n", SDL_GetError());
        return 1;
    }
    Mix_AllocateChannels(32);
    Mix_Chunk* hi = Mix_LoadWAV(argv[4]);
    Mix_Chunk* low = Mix_LoadWAV(argv[5]);
    if (!hi || !low) {
        std::fprintf(stderr, "soundref: %s\n", Mix_GetError());
        return 1;
    }
    using Clock = std::chrono::steady_clock;
    // The stream settles before the first beat.
    const Clock::time_point first = Clock::now() + std::chrono::milliseconds(500);
    std::this_thread::sleep_until(first);
    const std::clock_t cpuStart = std::clock();
    for (int beat = 0; beat < beats; ++beat) {
        std::this_thread::sleep_until(first + std::chrono::duration_cast<Clock::duration>(
                                                  std::chrono::duration<double, std::milli>(beat * beatMs)));
        Mix_PlayChannel(-1, beat % 4 == 0 ? hi : low, 0);
    }
    const double wall = std::chrono::duration<double>(Clock::now() - first).count();
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    // The last click dies away before the device closes.
    while (Mix_Playing(-1) > 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::printf("%.4f %.4f\n", cpu, wall);
    Mix_FreeChunk(hi);
    Mix_FreeChunk(low);
    Mix_CloseAudio();
    SDL_Quit();
    return 0;
}
