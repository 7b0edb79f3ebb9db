#pragma once
// Our own tracker-module writer: ProTracker-layout modules (the "M.K." four-channel kind, or
// the six- and eight-channel variants), with a walk through the order list that tells how long
// a module plays before it ends.
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen::audio {

inline constexpr int kRowsPerPattern = 64;
inline constexpr int kMaxSamples = 31;
inline constexpr int kNoteCount = 36;  // C-1 .. B-3
// The rate at which a sample sounds at its own pitch for note C-3 (the player's C-2 is 8363 Hz).
inline constexpr double kSampleRateC3 = 16726.0;

enum Effect : std::uint8_t {
  kFxNone = 0x0,
  kFxVolumeSlide = 0xA,
  kFxJump = 0xB,
  kFxVolume = 0xC,
  kFxBreak = 0xD,
  kFxExtended = 0xE,  // param 0xCx: cut after x ticks, 0xDx: delay by x ticks
  kFxSpeed = 0xF,     // below 0x20 ticks per row, from 0x20 up beats per minute
  kFxPanning = 0x8,
};

struct Cell {
  int sample = 0;  // 1..31, 0 for none
  int note = -1;   // 0..35 (C-1 .. B-3), -1 for none
  int effect = 0;
  int param = 0;
};

struct Pattern {
  explicit Pattern(int channelCount)
      : channels(channelCount), cells(static_cast<std::size_t>(channelCount) * kRowsPerPattern) {}
  Cell& at(int row, int channel) { return cells[static_cast<std::size_t>(row * channels + channel)]; }
  const Cell& at(int row, int channel) const {
    return cells[static_cast<std::size_t>(row * channels + channel)];
  }
  int channels;
  std::vector<Cell> cells;
};

struct Sample {
  std::string name;
  std::vector<std::int8_t> data;  // even length, at most 131070 bytes
  int volume = 64;                 // 0..64
  int loopStart = 0;               // bytes, even
  int loopLength = 0;              // bytes, even; 0 for none
};

struct Module {
  std::string title;
  int channels = 4;  // 4, 6 or 8
  std::vector<Sample> samples;   // sample 1 is samples[0]
  std::vector<Pattern> patterns;
  std::vector<int> orders;       // 1..128 entries
};

// The ProTracker period of a note 0..35.
int NotePeriod(int note);
// The module as a file. Fields out of range are clamped to what the format holds.
std::string WriteModule(const Module& module);

struct PlayLength {
  double seconds = 0;
  bool ends = false;  // false: the order list loops back on itself
  int rows = 0;
};
// Plays the order list the way the player does (speed, tempo, breaks, jumps) without sound.
PlayLength MeasureModule(const Module& module);

}  // namespace assetgen::audio
