// The reader decides whether a shipped sample passes, so it must refuse what
// the program could not play and must not misread what it can.

#include "wav_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct WavShape {
  std::uint16_t format = 1;
  std::uint16_t channels = 1;
  std::uint32_t rate = 22050;
  std::uint16_t bits = 16;
  std::vector<std::int16_t> samples{1000, -2000, 3000};
  bool list_chunk_first = false;  // an odd-sized chunk the reader must step over
  std::size_t cut_bytes = 0;      // bytes dropped from the end
};

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 8 & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

void put_tag(std::vector<std::uint8_t>& out, std::string_view tag) {
  for (char c : tag) out.push_back(static_cast<std::uint8_t>(c));
}

std::vector<std::uint8_t> make_wav(const WavShape& shape) {
  std::vector<std::uint8_t> body;
  put_tag(body, "WAVE");
  if (shape.list_chunk_first) {
    put_tag(body, "LIST");
    put32(body, 3);
    put_tag(body, std::string_view("abc\0", 4));  // three bytes and the pad byte
  }
  const std::uint32_t block = shape.channels * shape.bits / 8u;
  put_tag(body, "fmt ");
  put32(body, 16);
  put16(body, shape.format);
  put16(body, shape.channels);
  put32(body, shape.rate);
  put32(body, shape.rate * block);
  put16(body, block);
  put16(body, shape.bits);
  put_tag(body, "data");
  put32(body, static_cast<std::uint32_t>(shape.samples.size() * 2));
  for (std::int16_t s : shape.samples) put16(body, static_cast<std::uint16_t>(s));
  std::vector<std::uint8_t> file;
  put_tag(file, "RIFF");
  put32(file, static_cast<std::uint32_t>(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  file.resize(file.size() - shape.cut_bytes);
  return file;
}

TEST(WavReader, DecodesMono16BitPcmPastOtherChunks) {
  WavShape shape;
  shape.list_chunk_first = true;
  const wav::Decoded decoded = wav::decode_pcm16(make_wav(shape));
  ASSERT_TRUE(decoded.sound) << decoded.error;
  EXPECT_EQ(decoded.sound->channels, 1);
  EXPECT_EQ(decoded.sound->sample_rate, 22050);
  EXPECT_EQ(decoded.sound->samples, shape.samples);
}

TEST(WavReader, CountsStereoFramesAndSeconds) {
  WavShape shape;
  shape.channels = 2;
  shape.rate = 4;
  shape.samples = {1, 2, 3, 4, 5, 6, 7, 8};
  const wav::Decoded decoded = wav::decode_pcm16(make_wav(shape));
  ASSERT_TRUE(decoded.sound) << decoded.error;
  EXPECT_EQ(decoded.sound->frames(), 4u);
  EXPECT_DOUBLE_EQ(decoded.sound->seconds(), 1.0);
}

struct Refusal {
  const char* what;
  WavShape shape;
};

class WavReaderRefuses : public testing::TestWithParam<Refusal> {};

TEST_P(WavReaderRefuses, FileTheProgramCouldNotPlay) {
  const wav::Decoded decoded = wav::decode_pcm16(make_wav(GetParam().shape));
  EXPECT_FALSE(decoded.sound);
  EXPECT_FALSE(decoded.error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WavReaderRefuses,
    testing::Values(Refusal{"float", WavShape{.format = 3, .bits = 32}},
                    Refusal{"eight_bit", WavShape{.bits = 8}},
                    Refusal{"truncated_data", WavShape{.cut_bytes = 3}},
                    Refusal{"no_data_chunk", WavShape{.samples = {}, .cut_bytes = 8}}),
    [](const testing::TestParamInfo<Refusal>& tested) { return std::string(tested.param.what); });

TEST(WavReader, RefusesWhatIsNoWaveFile) {
  const std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13};
  EXPECT_FALSE(wav::decode_pcm16(png).sound);
}

}  // namespace
