#pragma once
// The instruments of the music, synthesised as tracker samples. Every sample sounds at its
// stated pitch when played at note C-3 (kSampleRateC3); the composer picks notes from that.
#include <string>
#include <vector>

#include "tools/assetgen/audio/dsp.h"
#include "tools/assetgen/audio/tracker.h"

namespace assetgen::audio {

enum class LeadVoice { GlassBell, MusicBox, Celesta, Vibraphone, Flute, Kalimba };
enum class ChimeVoice { Glass, Celesta, MusicBox, Harp };
enum class BassVoice { Pluck, Felt, Round };

// Pitches at C-3. Lead and chimes: C6; pads: chord root C5; bass: C3; deep bell: C5.
inline constexpr double kLeadPitch = 1046.5;
inline constexpr double kChimePitch = 1046.5;
inline constexpr double kPadPitch = 523.25;
inline constexpr double kBassPitch = 130.81;
inline constexpr double kDeepBellPitch = 523.25;

// True for voices that hold their note (looped) and must be stopped by the music.
bool Sustains(LeadVoice voice);

Sample LeadSample(LeadVoice voice, double brightness, std::uint64_t seed);
Sample ChimeSample(ChimeVoice voice, std::uint64_t seed);
// A held chord (looped): intervals in semitones above the root, e.g. {0, 4, 7}.
Sample PadSample(const std::vector<int>& intervals, double brightness, double motion, std::uint64_t seed);
Sample BassSample(BassVoice voice, double brightness, std::uint64_t seed);
Sample KickSample(double tune, std::uint64_t seed);
Sample BrushSample(std::uint64_t seed);
Sample ShakerSample(double brightness, std::uint64_t seed);
Sample WoodSample(std::uint64_t seed);
Sample SleighSample(std::uint64_t seed);
Sample DeepBellSample(std::uint64_t seed);

// A float sound to 8-bit sample data, scaled to use the full range.
std::vector<std::int8_t> ToSampleData(const Buffer& b);

}  // namespace assetgen::audio
