#include "platform/recordingsoundoutput.h"
#include "platform/sdlsoundoutput.h"
#include "platform/soundserverlatency.h"
#include "platform/sound.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <SDL_mixer.h>
#include <cstdlib>
#include <string>
#include <gtest/gtest.h>


namespace {

// A 10 ms mono 16-bit click at 44.1 kHz.
void writeWav(const QString& path) {
    const int16_t frames = 441;
    QByteArray data;
    auto put32 = [&](uint32_t v) { data.append(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [&](uint16_t v) { data.append(reinterpret_cast<const char*>(&v), 2); };
    data.append("RIFF");
    put32(36 + frames * 2);
    data.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(44100);
    put32(44100 * 2);
    put16(2);
    put16(16);
    data.append("data");
    put32(frames * 2);
    for (int i = 0; i < frames; ++i) put16(uint16_t(i % 20 < 10 ? 8000 : -8000));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

}  // namespace

TEST(Sounds, AFileThatCannotBeOpenedGivesASilentSound) {
    platform::RecordingSoundOutput output;
    QTemporaryDir dir;
    const QString good = QDir(dir.path()).filePath("hi.wav");
    writeWav(good);
    auto present = platform::Sound::open(good);
    auto missing = platform::Sound::open(QDir(dir.path()).filePath("low.wav"));
    ASSERT_NE(missing, nullptr);
    EXPECT_TRUE(present->isLoaded());
    EXPECT_FALSE(missing->isLoaded());
    present->Play();
    missing->Play();
    present->Play();
    ASSERT_EQ(output.plays.size(), 2u);
    EXPECT_EQ(output.plays[0].name, "hi.wav");
}

TEST(Sounds, MixerOutputUsesASmallBufferAndOverlappingPlays) {
    static_assert(platform::SdlSoundOutput::bufferFrames <= 512);
    static_assert(platform::SdlSoundOutput::channels >= 16);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("c.wav");
    writeWav(path);
    auto& mixer = platform::SdlSoundOutput::instance();
    ASSERT_TRUE(mixer.isOpen()) << "SDL's dummy driver opens without a sound card";
    auto sound = platform::Sound::open(path);
    EXPECT_TRUE(sound->isLoaded());
    for (int i = 0; i < 40; ++i) sound->Play();  // more plays than channels: none may fail
    EXPECT_FALSE(platform::Sound::open(path + ".gone")->isLoaded());
}

namespace {

// Whether SDL_mixer has an audio device open, asked of SDL_mixer itself.
bool mixerOpen() {
    int frequency = 0, outputs = 0;
    Uint16 format = 0;
    return Mix_QuerySpec(&frequency, &format, &outputs) != 0;
}

// Runs events until the mixer's device has closed; false if it never did.
bool closesWithin(int ms) {
    QDeadlineTimer deadline(ms);
    while (platform::SdlSoundOutput::instance().deviceOpen() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return !platform::SdlSoundOutput::instance().deviceOpen();
}

}  // namespace

TEST(Sounds, MixerDeviceRunsWhileKeptOrSoundingAndClosesAtRest) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("c.wav");
    writeWav(path);
    auto& mixer = platform::SdlSoundOutput::instance();
    auto sound = platform::Sound::open(path);
    ASSERT_TRUE(sound->isLoaded());

    mixer.keepRunning(true);
    EXPECT_FALSE(closesWithin(4 * platform::SdlSoundOutput::idleCheckMs)) << "kept running, it stays open";
    sound->Play();
    mixer.keepRunning(false);
    EXPECT_TRUE(Mix_Playing(-1) > 0) << "the click just played still sounds";
    ASSERT_TRUE(closesWithin(5000)) << "released and silent, the device closes";
    EXPECT_FALSE(mixerOpen());

    sound->Play();  // a sound at rest opens it again, and plays
    EXPECT_TRUE(mixerOpen());
    EXPECT_GT(Mix_Playing(-1), 0);
    ASSERT_TRUE(closesWithin(5000));
    mixer.keepRunning(true);
    EXPECT_TRUE(mixerOpen()) << "keeping it running opens it before any sound";
    mixer.keepRunning(false);
    EXPECT_TRUE(closesWithin(5000));
}

TEST(Sounds, TheSoundServerIsAskedToKeepTwoBuffersUnlessTheUserSaidOtherwise) {
    struct Case {
        const char* usersvalue;
        int frames;
        const char* asked;
    };
    const Case cases[] = {
        {nullptr, 256, "11"},   // 2 x 5.8 ms, rounded down
        {"", 256, "11"},        // an empty value means nothing to the client library
        {nullptr, 512, "23"},
        {nullptr, 1024, "46"},
        {"30", 256, "30"},      // the user's own
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::soundServerLatency(c.usersvalue, c.frames, 44100), c.asked)
            << (c.usersvalue ? c.usersvalue : "unset") << ", " << c.frames << " frames";
    for (int frames : {64, 256, 512, 1024, 2048}) {
        const double buffer = 1000.0 * frames / 44100;
        EXPECT_GT(platform::soundServerLatencyMs(frames, 44100), buffer) << frames;
        EXPECT_LE(platform::soundServerLatencyMs(frames, 44100), 2 * buffer) << frames;
    }
}

TEST(Sounds, TheMixerPutsItsTargetInTheEnvironmentBeforeItsStreamOpens) {
    // A value already there is the user's, or this process's own from an
    // earlier opening: either way it stands.
    const char* before = std::getenv("PULSE_LATENCY_MSEC");
    const std::string expected = before && *before ? before : "11";
    ASSERT_TRUE(platform::SdlSoundOutput::instance().isOpen());
    const char* asked = std::getenv("PULSE_LATENCY_MSEC");
    ASSERT_NE(asked, nullptr);
    EXPECT_EQ(asked, expected);
}
