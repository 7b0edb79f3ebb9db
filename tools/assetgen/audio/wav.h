#pragma once
// 16-bit PCM wave files: written for the effects and for rendered music, read back by tests.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/assetgen/audio/dsp.h"

namespace assetgen::audio {

// Mono float (-1..1, clamped) to a 16-bit mono wave file.
std::string EncodeWav(const Buffer& mono, int rate);
// Interleaved 16-bit frames to a wave file.
std::string EncodeWav16(const std::vector<std::int16_t>& interleaved, int rate, int channels);

struct WavData {
  int rate = 0;
  int channels = 0;
  int bits = 0;
  std::vector<std::int16_t> samples;  // interleaved
  double Seconds() const {
    return channels > 0 && rate > 0 ? static_cast<double>(samples.size()) / channels / rate : 0;
  }
};
// Reads a 16-bit PCM wave file; false for anything else.
bool DecodeWav(std::string_view bytes, WavData& out);

}  // namespace assetgen::audio
