#pragma once
// Sound effects: short wave files played fire-and-forget. A request starts the sound and
// returns at once; effects that overlap mix on separate channels instead of cutting each
// other off. The Sound option gates every request.
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "engine/ports.h"
#include "presentation/sound_device.h"

struct Mix_Chunk;

namespace presentation {

// The effects by code, as callers number them: 1 click, 2 btnclick, 3 break, 4 victory,
// 5 match, 6 crush, 7 trapdoor, 8 btnhover.
inline constexpr int kSoundEffectCount = 8;
// 1..8 for a name of the table, 0 for anything else.
int SoundEffectCode(std::string_view name);
// The name of code 1..8, empty for any other code.
std::string_view SoundEffectName(int code);
// appPath + "data/sound/<name>.wav" (appPath ends in '/'), empty for a code outside the table.
std::string SoundEffectPath(const std::string& appPath, int code);

// Where an effect goes once it has passed the Sound option: the mixer, or a test's recorder.
class EffectSink {
 public:
  virtual ~EffectSink() = default;
  // Makes the file ready to play (read and decoded once); a file that cannot be read is noted
  // as silent.
  virtual void Preload(const std::string& path) = 0;
  // Starts the file and returns at once.
  virtual void Play(const std::string& path) = 0;
};

// Plays through SDL_mixer, each effect on a free channel of its own. Each file is loaded on
// first use (or by Preload) and kept; a missing or unreadable file plays nothing, silently.
class MixerEffectSink final : public EffectSink {
 public:
  MixerEffectSink();
  ~MixerEffectSink() override;
  MixerEffectSink(const MixerEffectSink&) = delete;
  MixerEffectSink& operator=(const MixerEffectSink&) = delete;

  void Preload(const std::string& path) override;
  void Play(const std::string& path) override;

  // False on a machine without an audio device; everything then plays nothing.
  bool HasOutput() const { return session_.IsOpen(); }
  // Effects sounding at this moment (tests: overlapping effects must both sound).
  int SoundingCount() const;
  // Files read so far, including those that could not be read (tests: each is read once).
  std::size_t LoadedCount() const { return chunks_.size(); }
  // Files read so far that can play.
  std::size_t PlayableCount() const;

 private:
  Mix_Chunk* Chunk(const std::string& path);

  struct ChunkFree {
    void operator()(Mix_Chunk* chunk) const;
  };
  AudioSession session_;  // first member: the chunks go before the mixer closes
  std::map<std::string, std::unique_ptr<Mix_Chunk, ChunkFree>> chunks_;
};

class SoundEffects final : public engine::SoundPlayer {
 public:
  // appPath is the program folder ending in '/'; soundEnabled is the shell's in-memory Sound
  // option, read at every request. Plays through the mixer; all eight files are read now.
  SoundEffects(std::string appPath, const bool& soundEnabled);
  // Plays through sink (tests, or another output), which must outlive this object.
  SoundEffects(std::string appPath, const bool& soundEnabled, EffectSink& sink);
  // The option is read live, so it must be the shell's own flag, never a temporary.
  SoundEffects(std::string, const bool&&) = delete;
  SoundEffects(std::string, const bool&&, EffectSink&) = delete;

  void PlaySoundEffect(std::string_view name) override;
  // Code 1..8 of the table; any other code plays nothing.
  void PlaySoundEffect(int code);

 private:
  std::string appPath_;
  const bool* soundEnabled_;
  std::unique_ptr<MixerEffectSink> ownSink_;
  EffectSink* sink_;
};

}  // namespace presentation
