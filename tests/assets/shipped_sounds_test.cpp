// Every sound the program plays must decode as a short 16-bit PCM WAV that
// sounds at once: a tap is heard the moment it is made, so a sample may not
// open with silence. The clicks lie in the resource folder, the samples in
// one folder per instrument beside the program.

#include "shell/catalogue_names.h"
#include "wav_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr double kMaxSeconds = 1.5;
constexpr double kOnsetSeconds = 0.001;
constexpr int kOnsetLevel = 32768 / 100;  // 1% of full scale: clearly sounding
constexpr double kMaxPeakSpreadDb = 1.0;  // samples are levelled to one peak

const std::string kProgramDir = TAPTRELL_PROGRAM_DIR;

std::string click_path(std::string_view name) { return kProgramDir + "/resources/" + std::string(name) + ".wav"; }

std::string sample_path(std::string_view instrument, std::string_view file) {
  return kProgramDir + "/" + std::string(instrument) + "/" + std::string(file);
}

int peak(const wav::Pcm16& sound) {
  int highest = 0;
  for (std::int16_t s : sound.samples) highest = std::max(highest, std::abs(static_cast<int>(s)));
  return highest;
}

// Checks one shipped sound and returns it decoded (empty when it failed).
std::optional<wav::Pcm16> check_playable(const std::string& path) {
  wav::Decoded decoded = wav::read_pcm16_file(path);
  EXPECT_TRUE(decoded.sound) << decoded.error;
  if (!decoded.sound) return std::nullopt;
  const wav::Pcm16& sound = *decoded.sound;
  EXPECT_GT(sound.frames(), 0u) << path;
  EXPECT_LE(sound.seconds(), kMaxSeconds) << path;
  const auto onset_frames = static_cast<std::size_t>(std::ceil(sound.sample_rate * kOnsetSeconds));
  const std::size_t onset_values = std::min(sound.samples.size(), onset_frames * sound.channels);
  const bool sounds_at_once = std::any_of(sound.samples.begin(), sound.samples.begin() + static_cast<long>(onset_values),
                                          [](std::int16_t s) { return std::abs(static_cast<int>(s)) >= kOnsetLevel; });
  EXPECT_TRUE(sounds_at_once) << path << " is still silent after " << kOnsetSeconds * 1000 << " ms";
  return decoded.sound;
}

TEST(MetronomeClicks, ArePlayableAndTellHighFromLow) {
  std::vector<wav::Pcm16> clicks;
  for (std::string_view name : catalogue_names::sounds) {
    if (auto sound = check_playable(click_path(name))) clicks.push_back(std::move(*sound));
  }
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_TRUE(clicks[0].samples != clicks[1].samples) << "the high and the low click are the same sound";
}

class InstrumentFolder : public testing::TestWithParam<std::string_view> {};

// The seven samples of one instrument: each playable, no two the same (a
// copied file would play one pitch for two), and levelled alike.
TEST_P(InstrumentFolder, HoldsSevenPlayableDistinctLevelSamples) {
  const std::string_view instrument = GetParam();
  ASSERT_TRUE(std::filesystem::is_directory(sample_path(instrument, ""))) << "no folder for " << instrument;
  std::vector<wav::Pcm16> samples;
  for (std::string_view file : catalogue_names::samples) {
    if (auto sound = check_playable(sample_path(instrument, file))) samples.push_back(std::move(*sound));
  }
  ASSERT_EQ(samples.size(), catalogue_names::samples.size());
  for (std::size_t a = 0; a < samples.size(); ++a) {
    for (std::size_t b = a + 1; b < samples.size(); ++b) {
      EXPECT_TRUE(samples[a].samples != samples[b].samples)
          << catalogue_names::samples[a] << " and " << catalogue_names::samples[b] << " of " << instrument << " are the same";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Menu, InstrumentFolder, testing::ValuesIn(catalogue_names::instruments),
                         [](const auto& tested) {
                           std::string name(tested.param);
                           std::replace(name.begin(), name.end(), ' ', '_');
                           return name;
                         });

// Peaks levelled across all instruments, so that changing the instrument does
// not make the taps jump in loudness.
TEST(InstrumentLevels, PeaksAgreeAcrossInstruments) {
  int lowest = 32767;
  int highest = 0;
  for (std::string_view instrument : catalogue_names::instruments) {
    for (std::string_view file : catalogue_names::samples) {
      const wav::Decoded decoded = wav::read_pcm16_file(sample_path(instrument, file));
      ASSERT_TRUE(decoded.sound) << decoded.error;
      lowest = std::min(lowest, peak(*decoded.sound));
      highest = std::max(highest, peak(*decoded.sound));
    }
  }
  ASSERT_GT(lowest, 0);
  EXPECT_LE(20 * std::log10(static_cast<double>(highest) / lowest), kMaxPeakSpreadDb)
      << "peaks range from " << lowest << " to " << highest;
}

}  // namespace
