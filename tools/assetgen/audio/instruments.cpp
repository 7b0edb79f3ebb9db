#include "tools/assetgen/audio/instruments.h"

#include <cmath>

namespace assetgen::audio {

namespace {

constexpr double kRate = kSampleRateC3;
constexpr double kNyquistGuard = kRate * 0.45;

struct Partial {
  double ratio, amp, decay;
};

// Struck or plucked tones: partials with their own decays, a short attack, room around them.
Buffer Struck(double freq, const std::vector<Partial>& partials, double seconds, double attackMs,
              double detune = 0) {
  Buffer b(Frames(seconds, kRate), 0.0f);
  for (const Partial& p : partials) {
    const double f = freq * p.ratio;
    if (f > kNyquistGuard) continue;
    for (int copy = 0; copy < (detune > 0 ? 2 : 1); ++copy) {
      const double fc = f * (copy == 0 ? 1.0 : 1.0 + detune);
      const double amp = p.amp * (detune > 0 ? 0.5 : 1.0);
      for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::exp(-t / p.decay) * std::min(1.0, t * 1000 / attackMs);
        if (env < 1e-4 && t > 0.01) break;
        b[i] += static_cast<float>(amp * env * std::sin(kTau * fc * t));
      }
    }
  }
  return b;
}

Sample Finish(const std::string& name, Buffer b, int volume = 64) {
  // No offset: a sample that ends away from zero clicks when the next note cuts it.
  OnePoleHigh dc(20, kRate);
  for (float& x : b) x = dc(x);
  TrimTail(b, -44, 64);
  b.resize(std::min<std::size_t>(b.size(), 131000));
  FadeEdges(b, kRate, 0, std::min(30.0, static_cast<double>(b.size()) * 1000.0 / kRate / 4));
  Sample s;
  s.name = name;
  s.data = ToSampleData(b);
  s.volume = volume;
  return s;
}

// A looped sound: the first `attack` seconds fade in, then `loop` seconds repeat for ever.
// The caller makes the signal periodic over the loop (whole cycles of every partial).
Sample FinishLooped(const std::string& name, Buffer b, std::size_t attackFrames, std::size_t loopFrames) {
  attackFrames &= ~std::size_t{1};
  loopFrames &= ~std::size_t{1};
  b.resize(attackFrames + loopFrames);
  for (std::size_t i = 0; i < attackFrames; ++i) {
    const double x = static_cast<double>(i) / static_cast<double>(attackFrames);
    b[i] *= static_cast<float>(x * x * (3 - 2 * x));
  }
  Sample s;
  s.name = name;
  s.data = ToSampleData(b);
  s.loopStart = static_cast<int>(attackFrames);
  s.loopLength = static_cast<int>(loopFrames);
  return s;
}

// The nearest frequency that fits a whole number of cycles into the loop.
double LoopFit(double freq, std::size_t loopFrames) {
  const double cycles = std::max(1.0, std::round(freq * static_cast<double>(loopFrames) / kRate));
  return cycles * kRate / static_cast<double>(loopFrames);
}

}  // namespace

std::vector<std::int8_t> ToSampleData(const Buffer& b) {
  const float peak = Peak(b);
  std::vector<std::int8_t> out(b.size() + (b.size() & 1), 0);
  if (peak <= 0) return out;
  for (std::size_t i = 0; i < b.size(); ++i) {
    out[i] = static_cast<std::int8_t>(std::lround(std::clamp(b[i] / peak, -1.0f, 1.0f) * 126.0));
  }
  // The first word of a sample is the player's idle loop in some players: keep it silent.
  if (out.size() >= 2) out[0] = out[1] = 0;
  return out;
}

bool Sustains(LeadVoice voice) { return voice == LeadVoice::Flute; }

Sample LeadSample(LeadVoice voice, double brightness, std::uint64_t seed) {
  Rng rng(seed);
  const double f = kLeadPitch;
  const double br = std::clamp(brightness, 0.2, 1.5);
  switch (voice) {
    case LeadVoice::GlassBell: {
      Buffer b = Struck(f, {{1.0, 1.0, 1.4}, {2.0, 0.32 * br, 0.7}, {3.0, 0.12 * br, 0.45},
                            {4.16, 0.09 * br, 0.28}, {5.43, 0.05 * br, 0.18}},
                        2.4, 3.0, 0.0007);
      return Finish("glass bell", AddRoom(b, kRate, 0.22, 1.0));
    }
    case LeadVoice::MusicBox: {
      Buffer b = Struck(f, {{1.0, 1.0, 0.9}, {2.0, 0.1, 0.5}, {5.95, 0.22 * br, 0.07}, {3.0, 0.05, 0.3}},
                        2.0, 1.0);
      // the tine's pluck
      for (std::size_t i = 0; i < Frames(0.004, kRate); ++i) b[i] += static_cast<float>(0.15 * rng.Noise());
      return Finish("music box", AddRoom(b, kRate, 0.25, 0.9));
    }
    case LeadVoice::Celesta: {
      Buffer b = Struck(f, {{1.0, 1.0, 0.9}, {2.0, 0.45 * br, 0.45}, {3.0, 0.18 * br, 0.3},
                            {4.0, 0.08 * br, 0.2}},
                        2.0, 2.0, 0.0009);
      return Finish("celesta", AddRoom(b, kRate, 0.2, 0.9));
    }
    case LeadVoice::Vibraphone: {
      Buffer b = Struck(f, {{1.0, 1.0, 1.6}, {4.0, 0.3 * br, 0.45}, {2.0, 0.06, 0.6}}, 2.6, 4.0);
      // the motor's slow tremolo
      for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        b[i] *= static_cast<float>(1 - 0.22 * (0.5 - 0.5 * std::cos(kTau * 4.6 * t)));
      }
      return Finish("vibraphone", AddRoom(b, kRate, 0.2, 1.0));
    }
    case LeadVoice::Kalimba: {
      Buffer b = Struck(f, {{1.0, 1.0, 0.55}, {3.2, 0.18 * br, 0.09}, {6.3, 0.08 * br, 0.04}}, 1.4, 1.5);
      for (std::size_t i = 0; i < Frames(0.003, kRate); ++i) b[i] += static_cast<float>(0.2 * rng.Noise());
      return Finish("kalimba", AddRoom(b, kRate, 0.28, 0.8));
    }
    case LeadVoice::Flute: {
      // a breathy, soft wooden flute; looped after its attack
      const std::size_t loop = Frames(1.0, kRate);
      const std::size_t attack = Frames(0.09, kRate);
      const double f1 = LoopFit(f, loop);
      const double vib = LoopFit(4.0, loop);  // gentle vibrato, also periodic in the loop
      Buffer b(attack + loop, 0.0f);
      OnePoleLow breath(2500, kRate);
      double phase = 0;
      for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        // phase advance from an exactly periodic vibrato keeps the loop seamless
        phase = kTau * f1 * t + 0.0018 * f1 / vib * (1 - std::cos(kTau * vib * t));
        const double tone = std::sin(phase) + 0.12 * br * std::sin(2 * phase) + 0.04 * std::sin(3 * phase);
        const double chiff = i < attack ? 0.35 * (1 - static_cast<double>(i) / static_cast<double>(attack)) : 0.0;
        b[i] = static_cast<float>(tone + (0.03 + chiff) * breath(static_cast<float>(rng.Noise())));
      }
      // The breath noise is not periodic: cross-fade the loop's end into what precedes its
      // start, so the jump back lands on the same sound.
      const std::size_t blend = Frames(0.02, kRate);
      for (std::size_t i = 0; i < blend; ++i) {
        const double w = static_cast<double>(i + 1) / static_cast<double>(blend);
        const std::size_t end = attack + loop - blend + i;
        b[end] = static_cast<float>(b[end] * (1 - w) + b[attack - blend + i] * w);
      }
      return FinishLooped("flute", b, attack, loop);
    }
  }
  return {};
}

Sample ChimeSample(ChimeVoice voice, std::uint64_t seed) {
  Rng rng(seed);
  const double f = kChimePitch;
  switch (voice) {
    case ChimeVoice::Glass: {
      // two-operator bell: an inharmonic modulator whose depth dies quickly
      Buffer b(Frames(1.6, kRate), 0.0f);
      for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double index = 1.6 * std::exp(-t / 0.12);
        const double s = std::sin(kTau * f * t + index * std::sin(kTau * f * 3.5 * t));
        b[i] = static_cast<float>(s * std::exp(-t / 0.55) * std::min(1.0, t / 0.002));
      }
      return Finish("glass chime", AddRoom(b, kRate, 0.3, 1.1));
    }
    case ChimeVoice::Celesta: {
      Buffer b = Struck(f, {{1.0, 1.0, 0.6}, {2.0, 0.5, 0.3}, {4.0, 0.15, 0.12}}, 1.4, 1.5, 0.001);
      return Finish("celesta chime", AddRoom(b, kRate, 0.3, 1.0));
    }
    case ChimeVoice::MusicBox: {
      Buffer b = Struck(f, {{1.0, 1.0, 0.7}, {5.95, 0.25, 0.05}, {2.0, 0.08, 0.3}}, 1.4, 1.0);
      return Finish("box chime", AddRoom(b, kRate, 0.3, 1.0));
    }
    case ChimeVoice::Harp: {
      // plucked string: a delay line with a soft averaging filter
      const int period = static_cast<int>(std::lround(kRate / (f / 2)));
      std::vector<float> line(static_cast<std::size_t>(period));
      OnePoleLow shape(3000, kRate);
      for (float& x : line) x = shape(static_cast<float>(rng.Noise()));
      Buffer b(Frames(1.6, kRate), 0.0f);
      std::size_t pos = 0;
      float prev = 0;
      for (std::size_t i = 0; i < b.size(); ++i) {
        const float cur = line[pos];
        const float next = 0.4985f * (cur + prev);
        prev = cur;
        line[pos] = next;
        pos = (pos + 1) % line.size();
        b[i] = cur;
      }
      // one octave up: the harp's delay is tuned to half the chime pitch, so skip every other
      // frame to land on it without losing the pluck
      Buffer up(b.size() / 2);
      for (std::size_t i = 0; i < up.size(); ++i) up[i] = b[2 * i];
      up.resize(Frames(1.2, kRate));
      return Finish("harp", AddRoom(up, kRate, 0.3, 1.0));
    }
  }
  return {};
}

Sample PadSample(const std::vector<int>& intervals, double brightness, double motion, std::uint64_t seed) {
  Rng rng(seed);
  const std::size_t loop = Frames(2.0, kRate) & ~std::size_t{1};
  const std::size_t attack = Frames(0.35, kRate) & ~std::size_t{1};
  Buffer b(attack + loop, 0.0f);
  // Open voicing: the root and fifth low, the other tones an octave up.
  std::vector<double> tones;
  for (int iv : intervals) {
    const double ratio = std::pow(2.0, iv / 12.0);
    tones.push_back(iv == 0 || iv == 7 ? ratio : ratio * 2);
  }
  tones.push_back(2.0);
  const double tremolo = LoopFit(0.5, loop);
  for (std::size_t t = 0; t < tones.size(); ++t) {
    const double base = kPadPitch * tones[t];
    const double level = t == 0 ? 0.9 : 0.6;
    for (int copy = 0; copy < 2; ++copy) {
      // two slightly detuned voices per tone: a slow, soft chorus
      const double f = LoopFit(base * (copy == 0 ? 1.0 : 1.0 + 0.0022 * (1 + motion)), loop);
      const double phase0 = rng.Range(0, kTau);
      for (int k = 1; k <= 6; ++k) {
        const double fk = f * k;
        if (fk > kNyquistGuard) break;
        const double amp = level * std::pow(0.42 * brightness, k - 1) / k;
        for (std::size_t i = 0; i < b.size(); ++i) {
          const double x = static_cast<double>(i) / kRate;
          b[i] += static_cast<float>(amp * std::sin(kTau * fk * x + phase0 * k));
        }
      }
    }
  }
  for (std::size_t i = 0; i < b.size(); ++i) {
    const double x = static_cast<double>(i) / kRate;
    b[i] *= static_cast<float>(1 - 0.12 * motion * (0.5 - 0.5 * std::cos(kTau * tremolo * x)));
  }
  std::string name = "pad";
  for (int iv : intervals) name += " " + std::to_string(iv);
  return FinishLooped(name, b, attack, loop);
}

Sample BassSample(BassVoice voice, double brightness, std::uint64_t seed) {
  Rng rng(seed);
  const double f = kBassPitch;
  switch (voice) {
    case BassVoice::Pluck: {
      const int period = static_cast<int>(std::lround(kRate / f));
      std::vector<float> line(static_cast<std::size_t>(period));
      OnePoleLow shape(600 + 1400 * brightness, kRate);
      for (float& x : line) x = shape(static_cast<float>(rng.Noise()));
      Buffer b(Frames(1.6, kRate), 0.0f);
      std::size_t pos = 0;
      float prev = 0;
      for (std::size_t i = 0; i < b.size(); ++i) {
        const float cur = line[pos];
        line[pos] = 0.4992f * (cur + prev);
        prev = cur;
        pos = (pos + 1) % line.size();
        const double t = static_cast<double>(i) / kRate;
        // a sine under the string for a round low end
        b[i] = static_cast<float>(cur + 0.5 * std::sin(kTau * (kRate / period) * t) * std::exp(-t / 0.6));
      }
      return Finish("plucked bass", b);
    }
    case BassVoice::Felt: {
      Buffer b = Struck(f, {{1.0, 1.0, 0.8}, {2.0, 0.35 * brightness, 0.35}, {3.0, 0.12 * brightness, 0.2}},
                        1.8, 6.0);
      return Finish("felt bass", b);
    }
    case BassVoice::Round: {
      Buffer b = Struck(f, {{1.0, 1.0, 1.1}, {2.0, 0.25, 0.5}, {3.0, 0.08 * brightness, 0.25}},
                        2.0, 12.0);
      return Finish("round bass", b);
    }
  }
  return {};
}

Sample KickSample(double tune, std::uint64_t seed) {
  Rng rng(seed);
  Buffer b(Frames(0.35, kRate), 0.0f);
  double phase = 0;
  OnePoleLow soft(1200, kRate);
  for (std::size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double f = tune * (50 + 90 * std::exp(-t / 0.03));
    phase += kTau * f / kRate;
    const double body = std::sin(phase) * std::exp(-t / 0.12) * std::min(1.0, t / 0.002);
    const double felt = soft(static_cast<float>(rng.Noise())) * std::exp(-t / 0.006) * 0.5;
    b[i] = static_cast<float>(body + felt);
  }
  return Finish("soft kick", b);
}

Sample BrushSample(std::uint64_t seed) {
  Rng rng(seed);
  Buffer b(Frames(0.3, kRate), 0.0f);
  BandPass band(3500, 0.7, kRate);
  for (std::size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double env = std::min(1.0, t / 0.012) * std::exp(-t / 0.07);
    b[i] = static_cast<float>(env * band(static_cast<float>(rng.Noise())));
  }
  return Finish("brush", b);
}

Sample ShakerSample(double brightness, std::uint64_t seed) {
  Rng rng(seed);
  Buffer b(Frames(0.12, kRate), 0.0f);
  OnePoleHigh high(3000 + 2500 * brightness, kRate);
  for (std::size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double env = std::min(1.0, t / 0.006) * std::exp(-t / 0.028);
    b[i] = static_cast<float>(env * high(static_cast<float>(rng.Noise())));
  }
  return Finish("shaker", b);
}

Sample WoodSample(std::uint64_t seed) {
  Rng rng(seed);
  Buffer b(Frames(0.2, kRate), 0.0f);
  const Buffer modes = Struck(1750, {{1.0, 1.0, 0.016}, {0.52, 0.5, 0.03}, {2.3, 0.3, 0.008}}, 0.2, 0.4);
  MixInto(b, modes, 0);
  for (std::size_t i = 0; i < Frames(0.002, kRate); ++i) b[i] += static_cast<float>(0.3 * rng.Noise());
  return Finish("wood", b);
}

Sample SleighSample(std::uint64_t seed) {
  Rng rng(seed);
  Buffer b(Frames(0.35, kRate), 0.0f);
  // a handful of small bells shaken once: each rings briefly at its own pitch
  for (int j = 0; j < 9; ++j) {
    const double start = std::pow(rng.Uniform(), 1.8) * 0.09;
    const double f = rng.Range(3300, 7200);
    const double decay = rng.Range(0.03, 0.07);
    const double amp = rng.Range(0.5, 1.0);
    const std::size_t at = Frames(start, kRate);
    for (std::size_t i = at; i < b.size(); ++i) {
      const double t = static_cast<double>(i - at) / kRate;
      b[i] += static_cast<float>(amp * std::exp(-t / decay) * std::sin(kTau * f * t) *
                                 (1 + 0.6 * std::sin(kTau * f * 1.41 * t)) * 0.5);
    }
  }
  return Finish("sleigh bells", AddRoom(b, kRate, 0.2, 0.5));
}

Sample DeepBellSample(std::uint64_t) {
  // a tuned church-bell spectrum: hum, prime, minor third, fifth, nominal
  Buffer b = Struck(kDeepBellPitch, {{0.5, 0.6, 2.6}, {1.0, 1.0, 1.8}, {1.19, 0.45, 1.3},
                                     {1.5, 0.3, 1.0}, {2.0, 0.4, 0.8}, {2.66, 0.15, 0.5},
                                     {3.0, 0.1, 0.4}},
                    3.4, 4.0, 0.0004);
  return Finish("deep bell", AddRoom(b, kRate, 0.25, 1.2));
}

}  // namespace assetgen::audio
