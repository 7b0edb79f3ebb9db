#include "tools/assetgen/audio/effects.h"

#include <cmath>

namespace assetgen::audio {

namespace {

constexpr double kRate = kEffectRate;

// A decaying sine: one resonant mode of a struck body.
void AddMode(Buffer& b, double start, double freq, double amp, double decay, double attackMs = 0.5,
             double glide = 0) {
  const std::size_t offset = Frames(start, kRate);
  const std::size_t n = Frames(decay * 7, kRate);
  if (b.size() < offset + n) b.resize(offset + n, 0.0f);
  double phase = 0;
  const double attack = attackMs / 1000;
  for (std::size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    // glide: the pitch sinks by this fraction over the decay (a body settling)
    const double f = freq * (1 - glide * (1 - std::exp(-t / decay)));
    phase += kTau * f / kRate;
    const double env = std::exp(-t / decay) * (t < attack ? t / attack : 1.0);
    b[offset + i] += static_cast<float>(amp * env * std::sin(phase));
  }
}

// A burst of shaped noise.
void AddNoise(Buffer& b, Rng& rng, double start, double seconds, double amp, double decay,
              double lowCut, double highCut) {
  const std::size_t offset = Frames(start, kRate);
  const std::size_t n = std::max<std::size_t>(1, Frames(seconds, kRate));
  if (b.size() < offset + n) b.resize(offset + n, 0.0f);
  OnePoleHigh high(lowCut, kRate);
  OnePoleLow low(highCut, kRate);
  OnePoleLow low2(highCut, kRate);
  for (std::size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const float x = low2(low(high(static_cast<float>(rng.Noise()))));
    const double attack = std::min(1.0, t / 0.0004);
    b[offset + i] += static_cast<float>(amp * attack * std::exp(-t / decay) * x);
  }
}

// One bell-like note: a few partials, the high ones dying first.
void AddBell(Buffer& b, double start, double freq, double amp, double decay) {
  const double partials[][3] = {{1.0, 1.0, 1.0}, {2.0, 0.35, 0.55}, {3.01, 0.16, 0.35},
                                {4.17, 0.10, 0.22}, {5.43, 0.06, 0.14}};
  for (const auto& p : partials) {
    if (freq * p[0] > kRate * 0.45) continue;
    AddMode(b, start, freq * p[0], amp * p[1], decay * p[2], 2.0);
  }
}

// A soft brass-and-bell tone for the fanfare: harmonics rolling off, a gentle attack.
void AddHorn(Buffer& b, double start, double freq, double amp, double length, double decay) {
  const std::size_t offset = Frames(start, kRate);
  const std::size_t n = Frames(length, kRate);
  if (b.size() < offset + n) b.resize(offset + n, 0.0f);
  for (std::size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double env = std::min(1.0, t / 0.018) * std::exp(-t / decay) *
                       std::min(1.0, (length - t) / 0.03);
    // brightness opens with the attack and closes as the note fades
    const double bright = 0.35 + 0.65 * std::exp(-t / 0.25);
    double s = 0;
    for (int k = 1; k <= 7; ++k) {
      if (freq * k > kRate * 0.45) break;
      s += std::pow(bright, k - 1) / k * std::sin(kTau * freq * k * t);
    }
    b[offset + i] += static_cast<float>(amp * env * s);
  }
}

Buffer Click(Rng& rng) {
  Buffer b;
  AddNoise(b, rng, 0, 0.004, 0.5, 0.0012, 1800, 9000);
  AddMode(b, 0, 1150, 0.9, 0.016);
  AddMode(b, 0, 2650, 0.55, 0.009);
  AddMode(b, 0, 4100, 0.3, 0.006);
  AddMode(b, 0, 620, 0.35, 0.022);
  return b;
}

Buffer ButtonClick(Rng& rng) {
  Buffer b;
  AddNoise(b, rng, 0, 0.003, 0.25, 0.0008, 2500, 10000);
  AddMode(b, 0, 2350, 0.8, 0.007, 0.6);
  AddMode(b, 0, 3650, 0.4, 0.005, 0.6);
  AddMode(b, 0, 1180, 0.3, 0.011, 0.6);
  return b;
}

Buffer ButtonHover(Rng&) {
  Buffer b;
  AddMode(b, 0, 1760, 0.8, 0.006, 2.0);
  AddMode(b, 0, 2640, 0.35, 0.004, 2.0);
  return b;
}

Buffer Break(Rng& rng) {
  Buffer b;
  // the crack itself: a sharp, bright burst
  AddNoise(b, rng, 0, 0.03, 1.0, 0.006, 1500, 12000);
  AddMode(b, 0, 330, 0.25, 0.02);
  // fractures running through the ice
  double t = 0.002;
  for (int i = 0; i < 26; ++i) {
    t += rng.Range(0.001, 0.009) * (1 + i * 0.12);
    AddNoise(b, rng, t, 0.003, 0.7 * std::exp(-t / 0.08) * rng.Range(0.4, 1.0), 0.0008, 2500, 12000);
  }
  // the ice rings for a moment
  for (int i = 0; i < 5; ++i) {
    AddMode(b, 0, rng.Range(2600, 6800), 0.12, rng.Range(0.04, 0.11), 0.3);
  }
  // small pieces settling
  double d = 0.14;
  for (int i = 0; i < 6; ++i) {
    d += rng.Range(0.03, 0.08);
    AddMode(b, d, rng.Range(3000, 7000), 0.18 * std::exp(-(d - 0.14) / 0.25), rng.Range(0.012, 0.03), 0.3);
  }
  return AddRoom(b, kRate, 0.22, 0.5);
}

Buffer Crush(Rng& rng) {
  Buffer b;
  // the weight landing: a low thump sinking in pitch
  AddMode(b, 0, 105, 1.0, 0.16, 3.0, 0.55);
  AddMode(b, 0, 62, 0.6, 0.2, 4.0, 0.3);
  // grinding grains, densest at first
  for (int i = 0; i < 46; ++i) {
    const double t = 0.4 * std::pow(rng.Uniform(), 1.6);
    const double len = rng.Range(0.005, 0.016);
    AddNoise(b, rng, t, len, 0.55 * std::exp(-t / 0.18) * rng.Range(0.4, 1.0), len / 2.5, 120, 2200);
  }
  // a low rumble under it
  {
    OnePoleLow low(700, kRate);
    const std::size_t n = Frames(0.5, kRate);
    if (b.size() < n) b.resize(n, 0.0f);
    for (std::size_t i = 0; i < n; ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double am = 0.6 + 0.4 * std::sin(kTau * 34 * t);
      b[i] += static_cast<float>(0.35 * am * std::exp(-t / 0.14) * std::min(1.0, t / 0.003) *
                                 low(static_cast<float>(rng.Noise())));
    }
  }
  // the grinder's teeth
  AddMode(b, 0.01, 520, 0.22, 0.07);
  AddMode(b, 0.01, 1370, 0.12, 0.05);
  return AddRoom(b, kRate, 0.18, 0.45, 0.45);
}

Buffer Trapdoor(Rng& rng) {
  Buffer b;
  AddNoise(b, rng, 0, 0.006, 0.45, 0.0015, 600, 4000);
  // a hollow body: low modes that ring a little, the pitch settling
  AddMode(b, 0, 158, 1.0, 0.13, 1.5, 0.08);
  AddMode(b, 0, 243, 0.55, 0.1, 1.5);
  AddMode(b, 0, 407, 0.35, 0.06, 1.0);
  AddMode(b, 0, 688, 0.2, 0.035, 1.0);
  // the latch catching
  AddNoise(b, rng, 0.055, 0.004, 0.2, 0.001, 2000, 9000);
  AddMode(b, 0.055, 3100, 0.12, 0.008);
  return AddRoom(b, kRate, 0.16, 0.35, 0.5);
}

Buffer Match(Rng&) {
  Buffer b;
  AddBell(b, 0, 1046.5, 0.8, 0.32);    // C6
  AddBell(b, 0.11, 1568.0, 1.0, 0.38);  // G6
  return AddRoom(b, kRate, 0.22, 0.5);
}

Buffer Victory(Rng& rng) {
  Buffer b;
  // rising: G4 C5 E5 G5, then the C major chord with a bell on top
  const double steps[] = {392.0, 523.25, 659.25, 783.99};
  for (int i = 0; i < 4; ++i) AddHorn(b, 0.11 * i, steps[i], 0.5, 0.32, 0.25);
  const double chord[] = {523.25, 659.25, 783.99, 1046.5};
  for (double f : chord) AddHorn(b, 0.46, f, 0.36, 1.75, 0.5);
  AddBell(b, 0.46, 2093.0, 0.35, 0.5);
  // a little sparkle
  const double sparkle[] = {2093.0, 2349.3, 2637.0, 3136.0, 3520.0};
  for (int i = 0; i < 7; ++i) {
    AddBell(b, 0.55 + 0.13 * i + rng.Range(0, 0.04), sparkle[rng.Int(0, 4)], 0.12 * (1 - i / 9.0), 0.25);
  }
  Buffer out = AddRoom(b, kRate, 0.28, 0.6);
  out.resize(std::min(out.size(), Frames(2.6, kRate)));
  return out;
}

}  // namespace

const std::vector<EffectRecipe>& EffectRecipes() {
  static const std::vector<EffectRecipe> recipes = {
      {"click", 0.12, -3.0},  {"btnclick", 0.15, -6.0}, {"break", 0.9, -3.0},
      {"victory", 3.0, -3.0}, {"match", 1.5, -3.0},     {"crush", 1.0, -3.0},
      {"trapdoor", 0.7, -3.0}, {"btnhover", 0.15, -9.0},
  };
  return recipes;
}

Buffer MakeEffect(std::string_view name) {
  const EffectRecipe* recipe = nullptr;
  for (const EffectRecipe& s : EffectRecipes()) {
    if (s.name == name) recipe = &s;
  }
  if (recipe == nullptr) return {};
  // Each effect has its own seed: changing one never changes the others.
  std::uint64_t seed = 0xF0057;
  for (char c : name) seed = seed * 131 + static_cast<unsigned char>(c);
  Rng rng(seed);
  Buffer b;
  if (name == "click") b = Click(rng);
  if (name == "btnclick") b = ButtonClick(rng);
  if (name == "btnhover") b = ButtonHover(rng);
  if (name == "break") b = Break(rng);
  if (name == "crush") b = Crush(rng);
  if (name == "trapdoor") b = Trapdoor(rng);
  if (name == "match") b = Match(rng);
  if (name == "victory") b = Victory(rng);
  TrimTail(b, -60, Frames(0.01, kRate));
  b.resize(std::min(b.size(), Frames(recipe->maxSeconds - 0.005, kRate)));
  // Ringing sounds get a long release, so a bell never stops short; ticks a brief one.
  const double ms = static_cast<double>(b.size()) * 1000.0 / kRate;
  FadeEdges(b, kRate, 1.5, ms > 300 ? std::min(400.0, ms * 0.35) : std::min(40.0, ms / 4));
  NormalizePeak(b, recipe->peakDb);
  return b;
}

}  // namespace assetgen::audio
