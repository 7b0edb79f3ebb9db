#include "tools/assetgen/audio/composer.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace assetgen::audio {

namespace {

// Channels: the tune, its echo or the chimes, the held chords, the bass, two of percussion.
constexpr int kLead = 0, kChime = 1, kPad = 2, kBass = 3, kPercA = 4, kPercB = 5;
constexpr int kChannels = 6;
constexpr int kRowsPerBeat = 4;
// How loud each part sits in the mix, 0..64 at full strength.
constexpr double kLevel[kChannels] = {58, 34, 38, 52, 50, 32};

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int Mod(int a, int b) { return ((a % b) + b) % b; }

const std::vector<int>& ScaleOf(Mode mode) {
  static const std::vector<int> major = {0, 2, 4, 5, 7, 9, 11};
  static const std::vector<int> minor = {0, 2, 3, 5, 7, 8, 10};
  static const std::vector<int> dorian = {0, 2, 3, 5, 7, 9, 10};
  static const std::vector<int> lydian = {0, 2, 4, 6, 7, 9, 11};
  static const std::vector<int> mixolydian = {0, 2, 4, 5, 7, 9, 10};
  switch (mode) {
    case Mode::Major: return major;
    case Mode::Minor: return minor;
    case Mode::Dorian: return dorian;
    case Mode::Lydian: return lydian;
    case Mode::Mixolydian: return mixolydian;
  }
  return major;
}

enum class Part { Intro, A, A2, B, B2, C, Outro };
struct Section {
  Part part;
  int occurrence;  // how many of this part came before
  std::vector<int> chords;
};

struct Span {
  int pos, len;  // rows within a bar
};
using Rhythm = std::vector<Span>;

// Calm rhythms for one bar: long notes, a few quicker ones.
const std::vector<Rhythm>& BarRhythms(int beats) {
  static const std::vector<Rhythm> four = {
      {{0, 4}, {4, 4}, {8, 8}},          {{0, 6}, {6, 2}, {8, 8}},
      {{0, 4}, {4, 2}, {6, 2}, {8, 8}},  {{0, 8}, {8, 4}, {12, 4}},
      {{0, 6}, {6, 2}, {8, 4}, {12, 4}}, {{0, 4}, {4, 4}, {8, 4}, {12, 4}},
  };
  static const std::vector<Rhythm> three = {
      {{0, 8}, {8, 4}}, {{0, 4}, {4, 4}, {8, 4}}, {{0, 6}, {6, 2}, {8, 4}}, {{0, 4}, {4, 8}},
  };
  return beats == 3 ? three : four;
}
const std::vector<Rhythm>& BusyRhythms(int beats) {
  static const std::vector<Rhythm> four = {
      {{0, 2}, {2, 2}, {4, 4}, {8, 4}, {12, 4}}, {{0, 4}, {4, 2}, {6, 2}, {8, 4}, {12, 2}, {14, 2}},
      {{0, 6}, {6, 2}, {8, 2}, {10, 2}, {12, 4}},
  };
  static const std::vector<Rhythm> three = {
      {{0, 4}, {4, 2}, {6, 2}, {8, 4}}, {{0, 2}, {2, 2}, {4, 4}, {8, 4}}, {{0, 6}, {6, 2}, {8, 2}, {10, 2}},
  };
  return beats == 3 ? three : four;
}
const std::vector<Rhythm>& CadenceRhythms(int beats) {
  static const std::vector<Rhythm> four = {{{0, 16}}, {{0, 12}, {12, 4}}, {{0, 4}, {4, 12}}, {{0, 8}, {8, 8}}};
  static const std::vector<Rhythm> three = {{{0, 12}}, {{0, 4}, {4, 8}}};
  return beats == 3 ? three : four;
}

struct Motif {
  Rhythm rhythm, answer, cadence;
  std::vector<int> steps, answerSteps;
  int startDegree;
};

struct Note {
  int row, len, degree;
  double vel;
};

class Composer {
 public:
  explicit Composer(const TrackPlan& plan) : plan_(plan), scale_(ScaleOf(plan.mode)), rng_(plan.seed) {
    rowsPerBar_ = plan.beatsPerBar * kRowsPerBeat;
    rowsPerPhrase_ = rowsPerBar_ * 4;
    // Held and long-ringing voices carry more sound per note than struck ones.
    if (Sustains(plan.lead)) gain_[kLead] = 0.55;
    if (plan.bass == BassVoice::Round) gain_[kBass] = 0.6;
    if (plan.bass == BassVoice::Felt) gain_[kBass] = 0.8;
  }

  Module Compose() {
    BuildInstruments();
    BuildForm();
    const double rowSeconds = 6 * 2.5 / plan_.bpm;
    tailRows_ = std::min(kRowsPerPattern, static_cast<int>(std::ceil(2.2 / rowSeconds)));
    totalRows_ = static_cast<int>(form_.size()) * rowsPerPhrase_ + tailRows_;
    for (auto& ch : song_) ch.assign(static_cast<std::size_t>(totalRows_), Cell{});

    motifA_ = MakeMotif(false);
    motifB_ = MakeMotif(true);
    for (std::size_t i = 0; i < form_.size(); ++i) Arrange(form_[i], static_cast<int>(i) * rowsPerPhrase_);
    Tail();
    return Assemble();
  }

 private:
  // ---- pitches ---------------------------------------------------------------------------
  int Semis(int degree) const { return 12 * FloorDiv(degree, 7) + scale_[static_cast<std::size_t>(Mod(degree, 7))]; }
  int PitchClass(int degree) const { return Mod(plan_.tonic + Semis(degree), 12); }
  static int Fold(int note) {
    while (note > kNoteCount - 1) note -= 12;
    while (note < 0) note += 12;
    return note;
  }
  // The tune's tonic: C5..F5 or F#4..B4 (the lead sample sounds C6 at note C-3).
  int LeadTonic() const { return plan_.tonic < 6 ? 12 + plan_.tonic : plan_.tonic; }
  int LeadNote(int degree) const { return Fold(LeadTonic() + Semis(degree)); }
  int ChimeNote(int degree) const {
    const int base = plan_.chime == ChimeVoice::Harp ? LeadTonic() - 12 : LeadTonic() + 12;
    return Fold(base + Semis(degree));
  }
  int BassNote(int degree) const { return 12 + PitchClass(degree); }
  int PadNote(int degree) const {
    const int pc = PitchClass(degree);
    return pc >= 5 ? pc : 12 + pc;
  }
  std::vector<int> ChordTones(int root) const {
    std::vector<int> t = {0, 2, 4};
    if (plan_.sevenths) t.push_back(6);
    for (int& x : t) x = Mod(root + x, 7);
    return t;
  }
  bool IsChordTone(int degree, int root) const {
    const auto tones = ChordTones(root);
    return std::find(tones.begin(), tones.end(), Mod(degree, 7)) != tones.end();
  }
  // The chord tone nearest to target, preferring the direction of travel.
  int SnapToChord(int target, int root, int direction) const {
    for (int d = 0; d <= 3; ++d) {
      const int first = target + (direction >= 0 ? d : -d);
      const int second = target - (direction >= 0 ? d : -d);
      if (IsChordTone(first, root)) return first;
      if (IsChordTone(second, root)) return second;
    }
    return target;
  }
  std::vector<int> PadIntervals(int root) const {
    std::vector<int> iv = {0};
    iv.push_back(Semis(root + 2) - Semis(root));
    iv.push_back(7);  // the plans avoid chords without a perfect fifth
    if (plan_.sevenths) iv.push_back(Semis(root + 6) - Semis(root));
    return iv;
  }

  // ---- instruments -----------------------------------------------------------------------
  int AddSample(Sample s) {
    module_.samples.push_back(std::move(s));
    return static_cast<int>(module_.samples.size());
  }
  void BuildInstruments() {
    const std::uint64_t seed = plan_.seed * 7919;
    lead_ = AddSample(LeadSample(plan_.lead, plan_.leadBrightness, seed + 1));
    chime_ = AddSample(ChimeSample(plan_.chime, seed + 2));
    bass_ = AddSample(BassSample(plan_.bass, 0.4 + 0.4 * rng_.Uniform(), seed + 3));
    for (const auto* prog : {&plan_.progressionA, &plan_.progressionB, &plan_.progressionC}) {
      for (int root : *prog) PadSampleFor(root);
    }
    PadSampleFor(0);
    PadSampleFor(3);
    PadSampleFor(4);
    switch (plan_.groove) {
      case Groove::None: break;
      case Groove::Brush:
        brush_ = AddSample(BrushSample(seed + 5));
        shaker_ = AddSample(ShakerSample(0.4, seed + 6));
        break;
      case Groove::SoftKick:
      case Groove::Waltz:
        kick_ = AddSample(KickSample(0.9 + 0.2 * rng_.Uniform(), seed + 4));
        brush_ = AddSample(BrushSample(seed + 5));
        shaker_ = AddSample(ShakerSample(0.6, seed + 6));
        break;
      case Groove::Sleigh:
        kick_ = AddSample(KickSample(1.0, seed + 4));
        brush_ = AddSample(BrushSample(seed + 5));
        sleigh_ = AddSample(SleighSample(seed + 7));
        break;
      case Groove::Wood:
        kick_ = AddSample(KickSample(1.1, seed + 4));
        wood_ = AddSample(WoodSample(seed + 8));
        shaker_ = AddSample(ShakerSample(0.8, seed + 6));
        break;
    }
    if (plan_.deepBell) deepBell_ = AddSample(DeepBellSample(seed + 9));
  }
  int PadSampleFor(int root) {
    const auto iv = PadIntervals(root);
    auto found = pads_.find(iv);
    if (found != pads_.end()) return found->second;
    const int id = AddSample(PadSample(iv, plan_.padBrightness, 0.6 + 0.4 * rng_.Uniform(), plan_.seed * 31 + iv[1] * 7 + iv.size()));
    pads_[iv] = id;
    return id;
  }

  // ---- form --------------------------------------------------------------------------------
  void BuildForm() {
    using P = Part;
    const std::vector<std::vector<P>> forms = {
        {P::Intro, P::A, P::A2, P::B, P::B2, P::A, P::A2, P::Outro},
        {P::Intro, P::A, P::A2, P::B, P::B2, P::A, P::A2, P::C, P::A2, P::Outro},
        {P::Intro, P::A, P::A2, P::B, P::B2, P::A, P::A2, P::C, P::A, P::A2, P::Outro},
        {P::Intro, P::A, P::A2, P::B, P::B2, P::A, P::A2, P::C, P::A, P::A2, P::B, P::B2, P::A2, P::Outro},
        {P::Intro, P::A, P::A2, P::B, P::B2, P::A, P::A2, P::C, P::A, P::A2, P::B, P::B2, P::A, P::A2, P::Outro},
    };
    const double phraseSeconds = 4.0 * plan_.beatsPerBar * 60.0 / plan_.bpm;
    const std::vector<P>* best = &forms[0];
    for (const auto& f : forms) {
      const double len = static_cast<double>(f.size()) * phraseSeconds;
      const double bestLen = static_cast<double>(best->size()) * phraseSeconds;
      if (len <= 168 && std::fabs(len - 140) < std::fabs(bestLen - 140)) best = &f;
    }
    std::map<P, int> seen;
    for (P p : *best) {
      Section s{p, seen[p]++, {}};
      const auto& a = plan_.progressionA;
      const auto& b = plan_.progressionB;
      switch (p) {
        case P::Intro: s.chords = a; break;
        case P::A: s.chords = a; break;
        case P::A2: s.chords = {a[0], a[1], a[2], 0}; break;
        case P::B: s.chords = b; break;
        case P::B2: s.chords = {b[0], b[1], b[2], 4}; break;
        case P::C: s.chords = plan_.progressionC; break;
        case P::Outro: s.chords = {a[2] == 3 ? 5 : a[2], 3, 0, 0}; break;
      }
      form_.push_back(s);
    }
  }

  // ---- the song as one long row list per channel, cut into patterns at the end ------------
  void Place(int ch, int row, int sample, int note, double vol) {
    if (row < 0 || row >= totalRows_) return;
    Cell& c = song_[static_cast<std::size_t>(ch)][static_cast<std::size_t>(row)];
    c.sample = sample;
    c.note = Fold(note);
    c.effect = kFxVolume;
    c.param = std::clamp(static_cast<int>(std::lround(kLevel[ch] * gain_[ch] * vol)), 1, 64);
  }
  bool Free(int ch, int row) const {
    if (row < 0 || row >= totalRows_) return false;
    const Cell& c = song_[static_cast<std::size_t>(ch)][static_cast<std::size_t>(row)];
    return c.note < 0 && c.effect == 0;
  }
  void PlaceEffect(int ch, int row, int effect, int param) {
    if (!Free(ch, row)) return;
    Cell& c = song_[static_cast<std::size_t>(ch)][static_cast<std::size_t>(row)];
    c.effect = effect;
    c.param = param;
  }
  // Volume slides spread over [from, to) so a channel at `volume` reaches `target`.
  void Slide(int ch, int from, int to, int volume, int target) {
    const int perRow = 5;  // speed 6: a slide of 1 moves on five ticks of a row
    const int steps = std::abs(target - volume) / perRow + 1;
    const int span = std::max(1, to - from);
    for (int i = 0; i < steps; ++i) {
      const int row = from + i * span / steps;
      PlaceEffect(ch, row, kFxVolumeSlide, target > volume ? 0x10 : 0x01);
    }
  }

  // ---- melody ------------------------------------------------------------------------------
  Motif MakeMotif(bool second) {
    Motif m;
    const int beats = plan_.beatsPerBar;
    m.rhythm = rng_.Pick(BarRhythms(beats));
    m.answer = rng_.Pick(BusyRhythms(beats));
    m.cadence = rng_.Pick(CadenceRhythms(beats));
    // the call rises or arches, the answer falls back
    const std::vector<std::vector<int>> calls = {{0, 1, 1, 1}, {0, 2, -1, 1}, {0, 1, 2, -1}, {0, -1, 2, 1}, {0, 2, 1, -1}};
    const std::vector<std::vector<int>> answers = {{-1, -1, 1, -1, -1}, {1, -1, -1, -1, 1}, {-2, 1, -1, -1, -1}, {0, -1, -1, 1, -2}};
    m.steps = rng_.Pick(calls);
    m.answerSteps = rng_.Pick(answers);
    m.startDegree = second ? rng_.Pick(std::vector<int>{4, 5, 7}) : rng_.Pick(std::vector<int>{0, 2, 4});
    return m;
  }

  enum class Cadence { Full, Half, Open };

  // Four bars of tune over the chords: the motif, the motif again fitted to the next chord,
  // a busier answer, a long cadence note. Variation changes the second half only, so the
  // tune stays recognisable.
  std::vector<Note> Phrase(const Motif& m, const std::vector<int>& chords, Cadence cadence, int variation) {
    Rng vr(plan_.seed * 977 + static_cast<std::uint64_t>(variation) * 131 + static_cast<std::uint64_t>(m.startDegree));
    std::vector<Note> out;
    int prev = m.startDegree;
    const int lo = -3, hi = 9;
    for (int bar = 0; bar < 4; ++bar) {
      const int root = chords[static_cast<std::size_t>(bar)];
      Rhythm rhythm = bar < 2 ? m.rhythm : bar == 2 ? m.answer : m.cadence;
      const std::vector<int>& steps = bar < 2 ? m.steps : m.answerSteps;
      if (variation > 0 && bar >= 2 && vr.Chance(0.5)) {
        rhythm = bar == 2 ? vr.Pick(BusyRhythms(plan_.beatsPerBar)) : vr.Pick(CadenceRhythms(plan_.beatsPerBar));
      }
      for (std::size_t i = 0; i < rhythm.size(); ++i) {
        const Span& s = rhythm[i];
        const bool strong = s.pos == 0 || (plan_.beatsPerBar == 4 && s.pos == 8);
        int step = steps[i % steps.size()];
        if (bar == 0 && i == 0) step = 0;
        if (variation > 0 && bar >= 2 && vr.Chance(0.3)) step = -step;
        int target = (bar == 0 && i == 0) ? m.startDegree : prev + step;
        if (target > hi || target < lo) target = prev - step;
        const bool last = bar == 3 && i + 1 == rhythm.size();
        int degree = target;
        if (last) {
          // the phrase comes to rest: on the tonic, or open on the fifth or second
          const std::vector<int> goals = cadence == Cadence::Full ? std::vector<int>{0}
                                         : cadence == Cadence::Half ? std::vector<int>{4, 1}
                                                                    : std::vector<int>{2, 4, 0};
          int best = target, bestDist = 99;
          for (int d = target - 6; d <= target + 6; ++d) {
            if (d < lo || d > hi) continue;
            if (std::find(goals.begin(), goals.end(), Mod(d, 7)) == goals.end()) continue;
            if (!IsChordTone(d, root)) continue;
            if (std::abs(d - prev) < bestDist) {
              bestDist = std::abs(d - prev);
              best = d;
            }
          }
          degree = bestDist < 99 ? best : SnapToChord(target, root, step);
        } else if (strong || s.len >= 6 || (s.len >= 4 && std::abs(target - prev) != 1)) {
          // Bells ring on: a note that lasts, or one reached by a leap, belongs to the chord;
          // only short steps may pass between chord tones.
          degree = SnapToChord(target, root, step);
        }
        degree = std::clamp(degree, lo, hi);
        // a phrase swells towards its middle and settles at its end
        const double arch = 0.82 + 0.12 * std::sin(3.14159 * (bar * rowsPerBar_ + s.pos) / rowsPerPhrase_);
        const double vel = arch * (strong ? 1.0 : 0.9) * vr.Range(0.95, 1.03);
        out.push_back({bar * rowsPerBar_ + s.pos, s.len, degree, vel});
        prev = degree;
      }
    }
    return out;
  }

  void PlaceTune(const std::vector<Note>& notes, int base, double dyn) {
    for (const Note& n : notes) {
      Place(kLead, base + n.row, lead_, LeadNote(n.degree), n.vel * dyn);
      if (Sustains(plan_.lead)) {
        // a held voice breathes out at the end of its note
        const int end = base + n.row + n.len;
        if (n.len >= 3) PlaceEffect(kLead, end - 1, kFxVolumeSlide, 0x03);
        PlaceEffect(kLead, end, kFxVolume, 0);
      }
    }
  }
  void PlaceEcho(const std::vector<Note>& notes, int base, double dyn) {
    for (const Note& n : notes) {
      const int delay = plan_.beatsPerBar == 3 ? 4 : 3;
      Place(kChime, base + n.row + delay, chime_, ChimeNote(n.degree) - 12 * (plan_.chime == ChimeVoice::Harp ? 0 : 1),
            0.45 * n.vel * dyn);
    }
  }

  // ---- accompaniment -------------------------------------------------------------------
  void Chords(const Section& s, int base, double dyn, int& lastRoot) {
    for (int bar = 0; bar < 4; ++bar) {
      const int root = s.chords[static_cast<std::size_t>(bar)];
      const int row = base + bar * rowsPerBar_;
      const bool outroHold = s.part == Part::Outro && bar == 3;
      if (root != lastRoot || bar == 0) {
        if (!outroHold) Place(kPad, row, PadSampleFor(root), PadNote(root), 0.85 * dyn);
        // the chord before breathes out, so the change does not cut it off at full strength
        if (row >= 2 && lastRoot != -99) {
          PlaceEffect(kPad, row - 2, kFxVolumeSlide, 0x02);
          PlaceEffect(kPad, row - 1, kFxVolumeSlide, 0x02);
        }
      }
      lastRoot = root;
    }
    const int volume = static_cast<int>(std::lround(kLevel[kPad] * gain_[kPad] * 0.85 * dyn));
    if (s.part == Part::Intro) {
      // the first chord swells in from nothing
      song_[kPad][static_cast<std::size_t>(base)].param = 6;
      Slide(kPad, base + 1, base + rowsPerBar_ * 2, 6, volume);
    }
    if (s.part == Part::Outro) {
      // the last chord fades away over the last two bars
      Slide(kPad, base + rowsPerBar_ * 2 + 1, base + rowsPerBar_ * 4 - 2, volume, 0);
    }
  }

  void Bass(const Section& s, int base, int energy, double dyn) {
    for (int bar = 0; bar < 4; ++bar) {
      const int root = s.chords[static_cast<std::size_t>(bar)];
      const int next = bar < 3 ? s.chords[static_cast<std::size_t>(bar + 1)] : root;
      const int row = base + bar * rowsPerBar_;
      const int note = BassNote(root);
      if (s.part == Part::Outro && bar == 3) continue;
      Place(kBass, row, bass_, note, dyn);
      if (energy == 0) continue;
      if (plan_.beatsPerBar == 3) {
        Place(kBass, row + 8, bass_, note + 7, 0.7 * dyn);
        if (energy >= 2) Place(kBass, row + 4, bass_, note + 12, 0.6 * dyn);
        continue;
      }
      Place(kBass, row + 8, bass_, note + 7, 0.75 * dyn);
      if (energy >= 2) {
        Place(kBass, row + 6, bass_, note, 0.55 * dyn);
        // a step leading into the next chord
        const int lead = BassNote(next) + (Mod(next - root, 7) <= 3 ? -1 : 1) * (rng_.Chance(0.5) ? 1 : 2);
        Place(kBass, row + 14, bass_, std::clamp(lead, 0, kNoteCount - 1), 0.6 * dyn);
      }
    }
  }

  enum class Arp { Quarters, Eighths, Sparkle, Waltz };
  void Arpeggio(const Section& s, int base, Arp style, double dyn, int fromBar = 0, int toBar = 4) {
    for (int bar = fromBar; bar < toBar; ++bar) {
      const int root = s.chords[static_cast<std::size_t>(bar)];
      const int row = base + bar * rowsPerBar_;
      std::vector<int> tones = {root, root + 2, root + 4, root + 7, root + 9};
      if (plan_.sevenths) tones[3] = root + 6;
      std::vector<int> order;
      int step = 4;
      switch (style) {
        case Arp::Quarters: order = {0, 2, 1, 3}; step = 4; break;
        case Arp::Eighths: order = {0, 1, 2, 3, 4, 3, 2, 1}; step = 2; break;
        case Arp::Sparkle: order = {3, 4, 2, 4, 3, 1, 4, 2}; step = 2; break;
        case Arp::Waltz: order = {1, 2, 1, 2, 3, 2}; step = 2; break;
      }
      const int count = rowsPerBar_ / step;
      for (int i = 0; i < count; ++i) {
        if (style == Arp::Sparkle && !rng_.Chance(0.45)) continue;
        if (style == Arp::Waltz && i < 2) continue;  // the bass has the downbeat
        const int degree = tones[static_cast<std::size_t>(order[static_cast<std::size_t>(i) % order.size()])];
        const double accent = i % 2 == 0 ? 1.0 : 0.8;
        Place(kChime, row + i * step, chime_, ChimeNote(degree - 7), accent * dyn * rng_.Range(0.85, 1.0));
      }
    }
  }

  void Percussion(int base, int energy, double dyn, bool fillAtEnd) {
    if (energy == 0 || plan_.groove == Groove::None) return;
    const int beats = plan_.beatsPerBar;
    for (int bar = 0; bar < 4; ++bar) {
      const int row = base + bar * rowsPerBar_;
      for (int beat = 0; beat < beats; ++beat) {
        const int r = row + beat * kRowsPerBeat;
        const bool down = beat == 0;
        const bool back = beats == 4 ? (beat == 1 || beat == 3) : beat == 2;
        switch (plan_.groove) {
          case Groove::None: break;
          case Groove::Brush:
            if (energy >= 2 && back) Place(kPercA, r, brush_, 24, 0.6 * dyn);
            Place(kPercB, r + 2, shaker_, 24, 0.7 * dyn * rng_.Range(0.8, 1.0));
            if (energy >= 2) Place(kPercB, r, shaker_, 24, 0.4 * dyn);
            break;
          case Groove::SoftKick:
            if (down || (beats == 4 && beat == 2 && energy >= 2)) Place(kPercA, r, kick_, 24, 0.8 * dyn);
            if (energy >= 2 && back) Place(kPercA, r, brush_, 24, 0.55 * dyn);
            Place(kPercB, r + 2, shaker_, 24, 0.75 * dyn * rng_.Range(0.8, 1.0));
            if (energy >= 2) Place(kPercB, r, shaker_, 24, 0.45 * dyn);
            break;
          case Groove::Sleigh:
            if (down && energy >= 2) Place(kPercA, r, kick_, 24, 0.75 * dyn);
            if (back) Place(kPercA, r, brush_, 24, 0.5 * dyn);
            if (energy >= 2 || back) Place(kPercB, r, sleigh_, 24, (back ? 0.85 : 0.5) * dyn);
            if (energy >= 2) Place(kPercB, r + 2, sleigh_, 24, 0.4 * dyn * rng_.Range(0.8, 1.0));
            break;
          case Groove::Wood:
            if (down && energy >= 2) Place(kPercA, r, kick_, 24, 0.75 * dyn);
            Place(kPercB, r + 2, shaker_, 24, 0.6 * dyn);
            if (energy >= 2) Place(kPercB, r, shaker_, 24, 0.4 * dyn);
            break;
          case Groove::Waltz:
            if (down && energy >= 2) Place(kPercA, r, kick_, 24, 0.7 * dyn);
            if (!down) Place(kPercB, r, shaker_, 24, (beat == 1 ? 0.75 : 0.6) * dyn);
            if (energy >= 2 && beat == 2) Place(kPercA, r, brush_, 24, 0.45 * dyn);
            break;
        }
      }
      if (plan_.groove == Groove::Wood) {
        // three-three-two on the wood block
        for (int pos : {0, 6, 12}) {
          if (pos < rowsPerBar_ && Free(kPercA, row + pos)) Place(kPercA, row + pos, wood_, 24, 0.55 * dyn);
        }
      }
    }
    if (fillAtEnd && shaker_ != 0) {
      // a soft roll into the next section
      const int last = base + rowsPerPhrase_ - kRowsPerBeat;
      for (int i = 0; i < kRowsPerBeat; ++i) Place(kPercB, last + i, shaker_, 24, (0.35 + 0.12 * i) * dyn);
    }
  }

  void Arrange(const Section& s, int base) {
    switch (s.part) {
      case Part::Intro: {
        const double dyn = 0.7;
        Chords(s, base, dyn, padRoot_);
        Bass(s, base, 0, 0.8 * dyn);
        Arpeggio(s, base, Arp::Quarters, 0.8 * dyn, 1);
        if (deepBell_ != 0) Place(kPercB, base, deepBell_, 12 + plan_.tonic, 0.9);
        break;
      }
      case Part::A:
      case Part::A2: {
        const int occ = s.occurrence;
        const double dyn = occ == 0 ? 0.85 : 1.0;
        // The answering phrase keeps the first half and finds a new second half.
        const auto tune = Phrase(motifA_, s.chords, s.part == Part::A ? Cadence::Open : Cadence::Full,
                                 2 * occ + (s.part == Part::A2 ? 1 : 0));
        PlaceTune(tune, base, dyn);
        Chords(s, base, dyn, padRoot_);
        Bass(s, base, occ == 0 ? 1 : 2, dyn);
        if (occ == 1) {
          PlaceEcho(tune, base, dyn);
        } else if (occ >= 2) {
          Arpeggio(s, base, plan_.beatsPerBar == 3 ? Arp::Waltz : Arp::Sparkle, 0.8 * dyn);
        } else if (s.part == Part::A2) {
          Arpeggio(s, base, Arp::Quarters, 0.6 * dyn, 2);
        }
        Percussion(base, occ == 0 ? 1 : 2, dyn, s.part == Part::A2 && occ < 2);
        break;
      }
      case Part::B:
      case Part::B2: {
        const double dyn = 0.95;
        const auto tune = Phrase(motifB_, s.chords, s.part == Part::B ? Cadence::Open : Cadence::Half,
                                 2 * s.occurrence + (s.part == Part::B2 ? 1 : 0));
        PlaceTune(tune, base, dyn);
        Chords(s, base, dyn, padRoot_);
        Bass(s, base, 2, dyn);
        Arpeggio(s, base, plan_.beatsPerBar == 3 ? Arp::Waltz : Arp::Eighths, 0.75 * dyn);
        Percussion(base, 2, dyn, s.part == Part::B2);
        break;
      }
      case Part::C: {
        // the quiet middle: the chimes carry it, the tune only touches long notes
        const double dyn = 0.75;
        Chords(s, base, dyn, padRoot_);
        Bass(s, base, 0, dyn);
        Arpeggio(s, base, Arp::Eighths, 0.9 * dyn);
        for (int bar = 0; bar < 4; bar += 2) {
          const int root = s.chords[static_cast<std::size_t>(bar)];
          Place(kLead, base + bar * rowsPerBar_, lead_, LeadNote(SnapToChord(root + 7, root, 1)), 0.75 * dyn);
          if (Sustains(plan_.lead)) PlaceEffect(kLead, base + (bar + 2) * rowsPerBar_ - 1, kFxVolume, 0);
        }
        Percussion(base, 1, 0.8 * dyn, true);
        break;
      }
      case Part::Outro: {
        const double dyn = 0.8;
        Chords(s, base, dyn, padRoot_);
        Bass(s, base, 0, dyn);
        Arpeggio(s, base, Arp::Quarters, 0.7 * dyn, 0, 3);
        // the tune's last word: its opening, then the tonic held
        const auto tune = Phrase(motifA_, s.chords, Cadence::Full, 0);
        std::vector<Note> opening;
        for (const Note& n : tune) {
          if (n.row < rowsPerBar_) opening.push_back(n);
        }
        PlaceTune(opening, base, 0.8 * dyn);
        Place(kLead, base + rowsPerBar_ * 2, lead_, LeadNote(0), 0.85 * dyn);
        if (Sustains(plan_.lead)) {
          Slide(kLead, base + rowsPerBar_ * 2 + 2, base + rowsPerBar_ * 4 - 2,
                static_cast<int>(kLevel[kLead] * gain_[kLead] * 0.85 * dyn), 0);
        }
        if (deepBell_ != 0) Place(kPercB, base + rowsPerBar_ * 2, deepBell_, 12 + plan_.tonic, 0.8);
        break;
      }
    }
  }

  // After the last chord: everything fades out, then the song stops (no loop).
  void Tail() {
    const int start = static_cast<int>(form_.size()) * rowsPerPhrase_;
    for (int row = start; row < totalRows_ - 1; ++row) {
      for (int ch = 0; ch < kChannels; ++ch) PlaceEffect(ch, row, kFxVolumeSlide, 0x02);
    }
    for (int ch = 0; ch < kChannels - 1; ++ch) PlaceEffect(ch, totalRows_ - 1, kFxVolume, 0);
  }

  Module Assemble() {
    module_.title = plan_.title;
    module_.channels = kChannels;
    // The set-up pattern: speed, tempo and the stereo places of the parts, then on at once.
    Pattern setup(kChannels);
    // The player's pan for these modules runs 0 (left) .. 0x40 (centre) .. 0x80 (right).
    const int pans[kChannels] = {0x36, 0x52, 0x48, 0x3C, 0x44, 0x30};
    setup.at(0, 0) = {0, -1, kFxSpeed, 6};
    setup.at(0, 1) = {0, -1, kFxSpeed, plan_.bpm};
    for (int ch = 2; ch < kChannels; ++ch) setup.at(0, ch) = {0, -1, kFxPanning, pans[ch]};
    setup.at(1, 0) = {0, -1, kFxPanning, pans[0]};
    setup.at(1, 1) = {0, -1, kFxPanning, pans[1]};
    setup.at(1, 2) = {0, -1, kFxBreak, 0};
    module_.patterns.push_back(setup);
    module_.orders.push_back(0);

    for (int start = 0; start < totalRows_; start += rowsPerPhrase_) {
      const int rows = std::min(rowsPerPhrase_, totalRows_ - start);
      Pattern p(kChannels);
      for (int ch = 0; ch < kChannels; ++ch) {
        for (int r = 0; r < rows; ++r) p.at(r, ch) = song_[static_cast<std::size_t>(ch)][static_cast<std::size_t>(start + r)];
      }
      if (rows < kRowsPerPattern) {
        // a short pattern ends early: on to the next order (or, after the last, the end)
        int ch = kChannels - 1;
        while (ch > 0 && p.at(rows - 1, ch).effect != 0) --ch;
        p.at(rows - 1, ch).effect = kFxBreak;
        p.at(rows - 1, ch).param = 0;
      }
      module_.orders.push_back(static_cast<int>(module_.patterns.size()));
      module_.patterns.push_back(std::move(p));
    }
    return std::move(module_);
  }

  const TrackPlan& plan_;
  const std::vector<int>& scale_;
  Rng rng_;
  int rowsPerBar_ = 16, rowsPerPhrase_ = 64, totalRows_ = 0, tailRows_ = 0;
  std::vector<Section> form_;
  std::vector<Cell> song_[kChannels];
  Module module_;
  Motif motifA_, motifB_;
  int padRoot_ = -99;
  int lead_ = 0, chime_ = 0, bass_ = 0, kick_ = 0, brush_ = 0, shaker_ = 0, wood_ = 0, sleigh_ = 0, deepBell_ = 0;
  std::map<std::vector<int>, int> pads_;
  double gain_[kChannels] = {1, 1, 1, 1, 1, 1};
};

}  // namespace

const std::vector<TrackPlan>& TrackPlans() {
  static const std::vector<TrackPlan> plans = [] {
    std::vector<TrackPlan> p(kMusicTrackCount);
    auto set = [&](int i, std::string title, int tonic, Mode mode, int bpm, int beats, std::vector<int> a,
                   std::vector<int> b, std::vector<int> c, bool sevenths, LeadVoice lead, double bright,
                   ChimeVoice chime, BassVoice bass, Groove groove, bool deepBell, double pad) {
      TrackPlan& t = p[static_cast<std::size_t>(i - 1)];
      t.title = std::move(title);
      t.tonic = tonic;
      t.mode = mode;
      t.bpm = bpm;
      t.beatsPerBar = beats;
      t.progressionA = std::move(a);
      t.progressionB = std::move(b);
      t.progressionC = std::move(c);
      t.sevenths = sevenths;
      t.lead = lead;
      t.leadBrightness = bright;
      t.chime = chime;
      t.bass = bass;
      t.groove = groove;
      t.deepBell = deepBell;
      t.padBrightness = pad;
      t.seed = 1000 + static_cast<std::uint64_t>(i) * 37;
    };
    using L = LeadVoice;
    using C = ChimeVoice;
    using B = BassVoice;
    using G = Groove;
    set(1, "First Snow", 2, Mode::Major, 84, 4, {0, 4, 5, 3}, {3, 0, 1, 4}, {5, 3, 0, 4}, false,
        L::GlassBell, 1.0, C::MusicBox, B::Pluck, G::Brush, false, 0.8);
    set(2, "Frozen Lake", 9, Mode::Minor, 72, 4, {0, 5, 2, 6}, {3, 0, 5, 6}, {5, 2, 3, 6}, true,
        L::Celesta, 0.9, C::Glass, B::Felt, G::SoftKick, true, 0.7);
    set(3, "Glacier Light", 5, Mode::Lydian, 76, 3, {0, 1, 5, 1}, {2, 5, 1, 4}, {6, 2, 1, 1}, true,
        L::Vibraphone, 1.0, C::Celesta, B::Round, G::Waltz, false, 0.9);
    set(4, "Polar Night", 0, Mode::Minor, 64, 4, {0, 3, 5, 4}, {5, 2, 6, 0}, {3, 5, 6, 6}, false,
        L::Flute, 0.8, C::Glass, B::Felt, G::Brush, true, 0.6);
    set(5, "Ice Cave", 4, Mode::Dorian, 92, 4, {0, 3, 0, 6}, {2, 6, 3, 0}, {1, 4, 2, 3}, false,
        L::Kalimba, 1.1, C::Harp, B::Pluck, G::Wood, false, 0.8);
    set(6, "Aurora", 10, Mode::Major, 68, 3, {0, 2, 3, 0}, {5, 3, 0, 4}, {3, 4, 5, 5}, true,
        L::GlassBell, 0.7, C::Glass, B::Round, G::Brush, true, 0.75);
    set(7, "Hoarfrost", 7, Mode::Mixolydian, 96, 4, {0, 6, 3, 0}, {5, 4, 3, 6}, {1, 3, 6, 6}, false,
        L::MusicBox, 1.0, C::Celesta, B::Pluck, G::Sleigh, false, 0.85);
    set(8, "Snowfield Waltz", 3, Mode::Major, 88, 3, {0, 3, 4, 0}, {5, 1, 4, 0}, {3, 0, 1, 4}, false,
        L::Celesta, 1.1, C::MusicBox, B::Felt, G::Waltz, false, 0.8);
    set(9, "Crystal Morning", 9, Mode::Major, 80, 4, {0, 3, 5, 4}, {1, 3, 0, 4}, {5, 2, 3, 4}, true,
        L::Vibraphone, 1.2, C::Glass, B::Pluck, G::SoftKick, false, 0.9);
    set(10, "Long Winter Dusk", 11, Mode::Minor, 66, 4, {0, 6, 5, 6}, {3, 0, 6, 2}, {5, 3, 0, 6}, false,
        L::Flute, 0.9, C::Harp, B::Round, G::Brush, true, 0.65);
    return p;
  }();
  return plans;
}

Module ComposeTrack(const TrackPlan& plan) { return Composer(plan).Compose(); }

Module ComposeTrack(int track) {
  const auto& plans = TrackPlans();
  return ComposeTrack(plans[static_cast<std::size_t>(std::clamp(track, 1, kMusicTrackCount) - 1)]);
}

}  // namespace assetgen::audio
