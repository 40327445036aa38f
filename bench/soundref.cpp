// The bare reference for the sound benchmark: nothing but SDL2_mixer, opened
// as the program opens it, playing a schedule of sounds from a loop that
// sleeps until each one's steady-clock moment. The benchmark hands it the
// plays of one of the program's tests, the clicks on their exact beats, so
// that it plays as long as the test and keeps sound due as much of the time;
// what its sounds lose on the way to the sound server is the sound path's own
// share.
//
//   soundref BUFFER_FRAMES SCHEDULE [sdl]
//
// SCHEDULE holds one play a line: its moment in ms after the first, and the
// file. The sound server is asked for the latency the program asks for,
// unless "sdl" is given: then for what SDL asks by itself.
// Prints its CPU time and running time in seconds, from the first play on,
// then the steady-clock moment (ns) at which each play call returned.

#include "platform/soundserverlatency.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Play {
    double ms;
    std::string file;
};

std::vector<Play> readSchedule(const char* path) {
    std::vector<Play> plays;
    std::ifstream in(path);
    for (Play p; in >> p.ms >> p.file;) plays.push_back(p);
    return plays;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4 || (argc == 4 && std::strcmp(argv[3], "sdl") != 0)) {
        std::fprintf(stderr, "usage: soundref BUFFER_FRAMES SCHEDULE [sdl]\n");
        return 2;
    }
    const int frames = std::atoi(argv[1]);
    const std::vector<Play> schedule = readSchedule(argv[2]);
    if (schedule.empty()) {
        std::fprintf(stderr, "soundref: nothing to play in %s\n", argv[2]);
        return 2;
    }
    if (argc == 4) unsetenv("PULSE_LATENCY_MSEC");
    else platform::askSoundServerLatency(frames, 44100);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(44100, AUDIO_S16SYS, 2, frames) != 0) {
        std::fprintf(stderr, "soundref: no sound: %s\n", SDL_GetError());
        return 1;
    }
    Mix_AllocateChannels(32);
    std::map<std::string, Mix_Chunk*> chunks;
    for (const Play& p : schedule) {
        if (chunks.count(p.file)) continue;
        chunks[p.file] = Mix_LoadWAV(p.file.c_str());
        if (!chunks[p.file]) {
            std::fprintf(stderr, "soundref: %s: %s\n", p.file.c_str(), Mix_GetError());
            return 1;
        }
    }
    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> played;
    played.reserve(schedule.size());
    // The stream settles before the first play.
    const Clock::time_point first = Clock::now() + std::chrono::milliseconds(500);
    std::this_thread::sleep_until(first);
    const std::clock_t cpuStart = std::clock();
    for (const Play& p : schedule) {
        std::this_thread::sleep_until(
            first + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(p.ms)));
        // As the program does: a new play cuts the oldest short when every
        // channel is busy.
        if (Mix_PlayChannel(-1, chunks[p.file], 0) == -1) Mix_PlayChannel(Mix_GroupOldest(-1), chunks[p.file], 0);
        played.push_back(Clock::now());
    }
    const double wall = std::chrono::duration<double>(Clock::now() - first).count();
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    // The last sound dies away before the device closes.
    while (Mix_Playing(-1) > 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::printf("%.4f %.4f\n", cpu, wall);
    for (const Clock::time_point& t : played)
        std::printf("%lld\n", static_cast<long long>(
                                  std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count()));
    for (auto& [file, chunk] : chunks) Mix_FreeChunk(chunk);
    Mix_CloseAudio();
    SDL_Quit();
    return 0;
}
