#include "tools/assetgen/audio/wav.h"

#include <algorithm>
#include <cmath>

namespace assetgen::audio {

namespace {
void Put16(std::string& s, std::uint32_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}
std::uint32_t Get16(std::string_view s, std::size_t at) {
  return static_cast<std::uint8_t>(s[at]) | (static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 1])) << 8);
}
std::uint32_t Get32(std::string_view s, std::size_t at) { return Get16(s, at) | (Get16(s, at + 2) << 16); }
}  // namespace

std::string EncodeWav16(const std::vector<std::int16_t>& interleaved, int rate, int channels) {
  const auto dataBytes = static_cast<std::uint32_t>(interleaved.size() * 2);
  std::string s;
  s.reserve(44 + dataBytes);
  s += "RIFF";
  Put32(s, 36 + dataBytes);
  s += "WAVEfmt ";
  Put32(s, 16);
  Put16(s, 1);
  Put16(s, static_cast<std::uint32_t>(channels));
  Put32(s, static_cast<std::uint32_t>(rate));
  Put32(s, static_cast<std::uint32_t>(rate * channels * 2));
  Put16(s, static_cast<std::uint32_t>(channels * 2));
  Put16(s, 16);
  s += "data";
  Put32(s, dataBytes);
  for (std::int16_t v : interleaved) Put16(s, static_cast<std::uint16_t>(v));
  return s;
}

std::string EncodeWav(const Buffer& mono, int rate) {
  std::vector<std::int16_t> pcm(mono.size());
  for (std::size_t i = 0; i < mono.size(); ++i) {
    const double v = std::clamp(static_cast<double>(mono[i]), -1.0, 1.0) * 32767.0;
    pcm[i] = static_cast<std::int16_t>(std::lround(v));
  }
  return EncodeWav16(pcm, rate, 1);
}

bool DecodeWav(std::string_view bytes, WavData& out) {
  out = WavData{};
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return false;
  std::size_t at = 12;
  bool haveFormat = false;
  while (at + 8 <= bytes.size()) {
    const std::string_view id = bytes.substr(at, 4);
    const std::uint32_t size = Get32(bytes, at + 4);
    const std::size_t body = at + 8;
    if (size > bytes.size() - body) return false;
    if (id == "fmt " && size >= 16) {
      if (Get16(bytes, body) != 1) return false;
      out.channels = static_cast<int>(Get16(bytes, body + 2));
      out.rate = static_cast<int>(Get32(bytes, body + 4));
      out.bits = static_cast<int>(Get16(bytes, body + 14));
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat || out.bits != 16 || out.channels < 1) return false;
      out.samples.resize(size / 2);
      for (std::size_t i = 0; i < out.samples.size(); ++i) {
        out.samples[i] = static_cast<std::int16_t>(Get16(bytes, body + 2 * i));
      }
      return true;
    }
    at = body + size + (size & 1);
  }
  return false;
}

}  // namespace assetgen::audio
