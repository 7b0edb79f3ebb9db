// Writes the game's sound effects (data/sound/*.wav) and music (data/music/track1..10.pak)
// into the program folder given as the only argument.
#include <cstdio>
#include <string>

#include "platform/files.h"
#include "tools/assetgen/audio/composer.h"
#include "tools/assetgen/audio/effects.h"
#include "tools/assetgen/audio/tracker.h"
#include "tools/assetgen/audio/wav.h"

using namespace assetgen::audio;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: assetgen_audio <program folder>\n");
    return 2;
  }
  std::string dist = argv[1];
  if (dist.empty() || dist.back() != '/') dist += '/';
  const std::string soundDir = dist + "data/sound/";
  const std::string musicDir = dist + "data/music/";
  if (!platform::MakeDirs(soundDir) || !platform::MakeDirs(musicDir)) {
    std::fprintf(stderr, "assetgen_audio: cannot create %s or %s\n", soundDir.c_str(), musicDir.c_str());
    return 1;
  }
  int failures = 0;
  for (const EffectRecipe& recipe : EffectRecipes()) {
    const std::string path = soundDir + recipe.name + ".wav";
    if (!platform::WriteFileAtomic(path, EncodeWav(MakeEffect(recipe.name), kEffectRate))) {
      std::fprintf(stderr, "assetgen_audio: cannot write %s\n", path.c_str());
      ++failures;
    }
  }
  for (int track = 1; track <= kMusicTrackCount; ++track) {
    const Module module = ComposeTrack(track);
    const PlayLength length = MeasureModule(module);
    // A track that loops or runs outside its time is a composer fault, not a file to ship.
    if (!length.ends || length.seconds < 90 || length.seconds > 180) {
      std::fprintf(stderr, "assetgen_audio: track %d plays %.1f s (%s)\n", track, length.seconds,
                   length.ends ? "ends" : "loops");
      ++failures;
      continue;
    }
    const std::string path = musicDir + "track" + std::to_string(track) + ".pak";
    if (!platform::WriteFileAtomic(path, WriteModule(module))) {
      std::fprintf(stderr, "assetgen_audio: cannot write %s\n", path.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
