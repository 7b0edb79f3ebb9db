#pragma once
// Plays a module through SDL_mixer (the game's own player) into memory, much faster than real
// time: SDL's file-writing audio output with no pacing, the mix taken from the mixer's
// post-mix hook. Used to listen to the tracks outside the game and by the tests.
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen::audio {

struct Rendered {
  int rate = 0;
  int channels = 2;
  std::vector<std::int16_t> pcm;  // interleaved stereo
  bool ended = false;             // the player reported the music finished
  double Seconds() const { return rate > 0 ? static_cast<double>(pcm.size()) / channels / rate : 0; }
};

// Renders module bytes at rate until the player reports the end, or maxSeconds of sound have
// been made (ended then stays false). Takes over SDL's audio subsystem for the call: nothing
// else in the process may hold it. False (with a reason) when the module does not load.
bool RenderModule(const std::string& bytes, int rate, double maxSeconds, Rendered& out,
                  std::string* error = nullptr);

struct Levels {
  double peak = 0;  // 0..1 of full scale
  double rms = 0;   // over the whole sound
  int clipped = 0;  // samples at full scale
};
Levels Measure(const std::vector<std::int16_t>& pcm);

}  // namespace assetgen::audio
