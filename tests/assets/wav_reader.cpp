#include "wav_reader.h"

#include <fstream>
#include <iterator>

namespace wav {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t le16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

bool tag_is(std::span<const std::uint8_t> b, std::size_t at, const char (&tag)[5]) {
  for (std::size_t i = 0; i < 4; ++i) {
    if (b[at + i] != static_cast<std::uint8_t>(tag[i])) return false;
  }
  return true;
}

Decoded refuse(std::string why) { return {std::nullopt, std::move(why)}; }

}  // namespace

Decoded decode_pcm16(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 12 || !tag_is(bytes, 0, "RIFF") || !tag_is(bytes, 8, "WAVE")) {
    return refuse("not a RIFF WAVE file");
  }
  bool have_format = false;
  Pcm16 sound;
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::size_t size = le32(bytes, at + 4);
    const std::size_t body = at + 8;
    if (size > bytes.size() - body) return refuse("a chunk runs past the end of the file");
    if (tag_is(bytes, at, "fmt ")) {
      if (size < 16) return refuse("the format chunk is too short");
      std::uint16_t format = le16(bytes, body);
      if (format == kFormatExtensible && size >= 26) format = le16(bytes, body + 24);
      const int channels = le16(bytes, body + 2);
      const int bits = le16(bytes, body + 14);
      if (format != kFormatPcm) return refuse("not PCM (format " + std::to_string(format) + ")");
      if (bits != 16) return refuse("not 16-bit (" + std::to_string(bits) + " bits)");
      if (channels < 1) return refuse("no channels");
      if (le16(bytes, body + 12) != 2 * channels) return refuse("frame size does not match 16-bit samples");
      sound.channels = channels;
      sound.sample_rate = static_cast<int>(le32(bytes, body + 4));
      if (sound.sample_rate <= 0) return refuse("no sample rate");
      have_format = true;
    } else if (tag_is(bytes, at, "data")) {
      if (!have_format) return refuse("the data chunk comes before the format chunk");
      if (size % (2 * static_cast<std::size_t>(sound.channels)) != 0) return refuse("the data holds a partial frame");
      sound.samples.resize(size / 2);
      for (std::size_t i = 0; i < sound.samples.size(); ++i) {
        sound.samples[i] = static_cast<std::int16_t>(le16(bytes, body + 2 * i));
      }
      return {std::move(sound), {}};
    }
    at = body + size + (size & 1);  // chunks are padded to an even length
  }
  return refuse(have_format ? "no data chunk" : "no format chunk");
}

Decoded read_pcm16_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return refuse("cannot open " + path);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Decoded decoded = decode_pcm16(bytes);
  if (!decoded.sound) decoded.error = path + ": " + decoded.error;
  return decoded;
}

}  // namespace wav
