#pragma once
// The game's eight sound effects, synthesised: short, soft-edged, never clipping.
#include <string>
#include <string_view>
#include <vector>

#include "tools/assetgen/audio/dsp.h"

namespace assetgen::audio {

inline constexpr int kEffectRate = 44100;

struct EffectRecipe {
  std::string name;
  double maxSeconds;  // the sound is never longer
  double peakDb;      // its loudest sample, dBFS
};
// click, btnclick, break, victory, match, crush, trapdoor, btnhover.
const std::vector<EffectRecipe>& EffectRecipes();

// The finished effect at kEffectRate, mono: peak at its level, faded at both ends. Empty for
// an unknown name.
Buffer MakeEffect(std::string_view name);

}  // namespace assetgen::audio
