#pragma once
// Reads a RIFF WAVE file of 16-bit PCM samples, the only kind the program
// ships, and says plainly why any other file is refused.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace wav {

struct Pcm16 {
  int channels = 0;
  int sample_rate = 0;
  std::vector<std::int16_t> samples;  // interleaved, channels per frame

  std::size_t frames() const { return samples.size() / static_cast<std::size_t>(channels); }
  double seconds() const { return static_cast<double>(frames()) / sample_rate; }
};

struct Decoded {
  std::optional<Pcm16> sound;  // empty when the file was refused
  std::string error;           // why it was refused
};

Decoded decode_pcm16(std::span<const std::uint8_t> bytes);
Decoded read_pcm16_file(const std::string& path);

}  // namespace wav
