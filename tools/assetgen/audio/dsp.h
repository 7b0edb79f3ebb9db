#pragma once
// Small signal helpers shared by the effect and instrument synthesis. Everything works on
// mono float buffers in -1..1 and is deterministic: the same seed gives the same sound.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace assetgen::audio {

using Buffer = std::vector<float>;
inline constexpr double kTau = 2 * std::numbers::pi;

// A tiny deterministic generator (splitmix64), so every build makes the same files.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 <= x < 1
  double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  // -1 .. 1
  double Noise() { return 2 * Uniform() - 1; }
  int Int(int lo, int hiInclusive) {
    return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hiInclusive - lo + 1));
  }
  bool Chance(double p) { return Uniform() < p; }
  template <class T>
  const T& Pick(const std::vector<T>& v) {
    return v[static_cast<std::size_t>(Int(0, static_cast<int>(v.size()) - 1))];
  }

 private:
  std::uint64_t state_;
};

inline std::size_t Frames(double seconds, double rate) {
  return static_cast<std::size_t>(std::max(0.0, seconds * rate));
}

// Adds src into dst starting at frame offset, scaled.
inline void MixInto(Buffer& dst, const Buffer& src, std::size_t offset, double gain = 1.0) {
  if (dst.size() < offset + src.size()) dst.resize(offset + src.size(), 0.0f);
  for (std::size_t i = 0; i < src.size(); ++i) dst[offset + i] += static_cast<float>(src[i] * gain);
}

inline float Peak(const Buffer& b) {
  float p = 0;
  for (float s : b) p = std::max(p, std::fabs(s));
  return p;
}

// Scales so that the loudest sample sits at peakDb (dBFS).
inline void NormalizePeak(Buffer& b, double peakDb) {
  const float p = Peak(b);
  if (p <= 0) return;
  const double target = std::pow(10.0, peakDb / 20.0);
  for (float& s : b) s = static_cast<float>(s * target / p);
}

// Raised-cosine fades at both ends: no click at the start or the end.
inline void FadeEdges(Buffer& b, double rate, double inMs, double outMs) {
  const std::size_t in = std::min(b.size(), Frames(inMs / 1000, rate));
  const std::size_t out = std::min(b.size(), Frames(outMs / 1000, rate));
  for (std::size_t i = 0; i < in; ++i) {
    b[i] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / static_cast<double>(in)));
  }
  for (std::size_t i = 0; i < out; ++i) {
    b[b.size() - 1 - i] *=
        static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / static_cast<double>(out)));
  }
}

// Drops the quiet end of a decaying sound (below floorDb under its peak), keeping a short
// margin, so files and samples are no longer than they sound.
inline void TrimTail(Buffer& b, double floorDb, std::size_t margin) {
  const float limit = Peak(b) * static_cast<float>(std::pow(10.0, floorDb / 20.0));
  std::size_t last = 0;
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (std::fabs(b[i]) > limit) last = i;
  }
  b.resize(std::min(b.size(), last + margin));
}

// One-pole filters: cheap and smooth, enough to shape noise and tone.
class OnePoleLow {
 public:
  OnePoleLow(double cutoff, double rate) { Set(cutoff, rate); }
  void Set(double cutoff, double rate) { a_ = 1 - std::exp(-kTau * cutoff / rate); }
  float operator()(float x) {
    y_ += static_cast<float>(a_ * (x - y_));
    return y_;
  }

 private:
  double a_ = 1;
  float y_ = 0;
};

class OnePoleHigh {
 public:
  OnePoleHigh(double cutoff, double rate) : low_(cutoff, rate) {}
  float operator()(float x) { return x - low_(x); }

 private:
  OnePoleLow low_;
};

// A resonant band-pass (biquad, constant peak gain).
class BandPass {
 public:
  BandPass(double centre, double q, double rate) {
    const double w = kTau * centre / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    b0_ = alpha / a0;
    b2_ = -alpha / a0;
    a1_ = -2 * std::cos(w) / a0;
    a2_ = (1 - alpha) / a0;
  }
  float operator()(float x) {
    const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return static_cast<float>(y);
  }

 private:
  double b0_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A small room: parallel damped combs into series all-passes (the classic arrangement),
// delays scaled to the sample rate. Returns dry + wet, lengthened by the tail.
inline Buffer AddRoom(const Buffer& dry, double rate, double wet, double seconds, double damping = 0.3) {
  const double scale = rate / 44100.0;
  const int combLengths[] = {1116, 1188, 1277, 1356, 1422, 1491};
  const int allpassLengths[] = {556, 441, 341};
  const double feedback = std::clamp(std::pow(10.0, -3.0 * 0.035 / seconds), 0.0, 0.97);
  Buffer out(dry.size() + Frames(seconds, rate), 0.0f);
  Buffer wetSum(out.size(), 0.0f);
  for (int len : combLengths) {
    const auto n = static_cast<std::size_t>(len * scale);
    std::vector<float> line(n, 0.0f);
    std::size_t pos = 0;
    float store = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
      const float in = i < dry.size() ? dry[i] : 0.0f;
      const float y = line[pos];
      store = static_cast<float>(y * (1 - damping) + store * damping);
      line[pos] = static_cast<float>(in + store * feedback);
      pos = (pos + 1) % n;
      wetSum[i] += y;
    }
  }
  for (int len : allpassLengths) {
    const auto n = static_cast<std::size_t>(len * scale);
    std::vector<float> line(n, 0.0f);
    std::size_t pos = 0;
    for (float& s : wetSum) {
      const float buffered = line[pos];
      const float y = -s + buffered;
      line[pos] = static_cast<float>(s + buffered * 0.5);
      pos = (pos + 1) % n;
      s = y;
    }
  }
  for (std::size_t i = 0; i < out.size(); ++i) {
    const float d = i < dry.size() ? dry[i] : 0.0f;
    out[i] = static_cast<float>(d + wet * wetSum[i] / 6.0);
  }
  return out;
}

}  // namespace assetgen::audio
