#pragma once
// The music's composer: ten calm winter pieces, each from its own plan (key, mode, tempo,
// metre, chord progressions, instruments), with melodies built from motifs over the chords and
// arranged in sections (intro, A, B, A', bridge, A'', outro). The same plan always gives the
// same module.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/audio/instruments.h"
#include "tools/assetgen/audio/tracker.h"

namespace assetgen::audio {

enum class Mode { Major, Minor, Dorian, Lydian, Mixolydian };
enum class Groove { None, Brush, SoftKick, Sleigh, Wood, Waltz };

struct TrackPlan {
  std::string title;
  int tonic = 0;  // pitch class, 0 = C
  Mode mode = Mode::Major;
  int bpm = 80;
  int beatsPerBar = 4;  // 3 or 4, each beat four rows
  // Scale degrees (0 = tonic) of the chords, one per bar, four bars each.
  std::vector<int> progressionA, progressionB, progressionC;
  bool sevenths = false;
  LeadVoice lead = LeadVoice::GlassBell;
  double leadBrightness = 1.0;
  ChimeVoice chime = ChimeVoice::Glass;
  BassVoice bass = BassVoice::Pluck;
  Groove groove = Groove::Brush;
  bool deepBell = false;
  double padBrightness = 0.8;
  std::uint64_t seed = 1;
};

inline constexpr int kMusicTrackCount = 10;
// The plans of tracks 1..10.
const std::vector<TrackPlan>& TrackPlans();

Module ComposeTrack(const TrackPlan& plan);
// Track 1..10.
Module ComposeTrack(int track);

}  // namespace assetgen::audio
