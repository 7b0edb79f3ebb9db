#pragma once
// Background music: ten tracker modules played in turn, one through to its end and then the
// next, with the track to start with remembered across runs in settings.ini ([Music]
// LastSong). The shell's one-second music timer, its window events and the options screen's
// Music row only call in here; the decisions are made here.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "presentation/sound_device.h"

struct _Mix_Music;

namespace presentation {

// The settings file as the music sees it: one key read (empty text when missing) and one key
// written. The shell wires these to its ReadSetting/WriteSetting.
struct SettingsAccess {
  std::function<std::string(std::string_view section, std::string_view key)> read;
  std::function<void(std::string_view section, std::string_view key, std::string_view value)> write;
};

// The tracker player the music runs on: one track at a time, played once through, never looped.
class TrackerPlayer {
 public:
  virtual ~TrackerPlayer() = default;
  // Replaces the loaded track by the module at path (stopping the old one). False when it
  // cannot be loaded; the player then holds no track.
  virtual bool Load(const std::string& path) = 0;
  // 0..100 percent of full volume.
  virtual void SetVolume(int percent) = 0;
  // Starts the loaded track, or continues it where Stop left it. Nothing without a track, and
  // nothing once the track has played to its end.
  virtual void Play() = 0;
  virtual void Stop() = 0;
  // True while the track sounds: false with no track, after Stop and once it has ended.
  virtual bool IsPlaying() = 0;
  // False on a machine without an audio device: nothing can ever play.
  virtual bool HasOutput() = 0;
};

// TrackerPlayer over SDL_mixer (which reads the modules whatever their file extension).
class MixerTrackerPlayer final : public TrackerPlayer {
 public:
  MixerTrackerPlayer();
  ~MixerTrackerPlayer() override;
  MixerTrackerPlayer(const MixerTrackerPlayer&) = delete;
  MixerTrackerPlayer& operator=(const MixerTrackerPlayer&) = delete;

  bool Load(const std::string& path) override;
  void SetVolume(int percent) override;
  void Play() override;
  void Stop() override;
  bool IsPlaying() override;
  bool HasOutput() override { return session_.IsOpen(); }

 private:
  void Free();

  AudioSession session_;  // first member: the track is freed before the mixer closes
  std::string data_;      // the module file, kept while its track is loaded
  _Mix_Music* track_ = nullptr;
  bool started_ = false;
  bool paused_ = false;
};

// The number text of [Music] LastSong as the track to play: its leading number by the rule of
// every number in settings.ini (platform/leading_number.h), rounded, clamped to 1..10 (missing,
// 0 and text give 1).
int LastSongTrack(std::string_view value);
// The track after n: 1 after 10.
int TrackAfter(int track);

inline constexpr int kTrackCount = 10;

class Music {
 public:
  using PlayerFactory = std::function<std::unique_ptr<TrackerPlayer>()>;

  // appPath is the program folder ending in '/'; musicEnabled is the shell's in-memory Music
  // option, read whenever a decision needs it. factory makes the player at CreateMusicPlayer
  // (empty: a MixerTrackerPlayer).
  Music(std::string appPath, SettingsAccess settings, const bool& musicEnabled,
        PlayerFactory factory = {});
  // The option is read live, so it must be the shell's own flag, never a temporary.
  Music(std::string, SettingsAccess, const bool&&, PlayerFactory = {}) = delete;

  // Start-up, in this order, whether music is on or off.
  void CreateMusicPlayer();
  void StartMusic();
  // Stops the current track and plays the next, advancing LastSong.
  void NextTrack();
  void StopMusic();
  void ResumeMusic();
  bool IsMusicPlaying();
  // Shutdown.
  void DestroyMusicPlayer();

  // The music timer (tmrMusic): enabled while music is on. The shell calls OnMusicTimer every
  // 1000 ms whatever its state; a disabled timer does nothing.
  bool MusicTimerEnabled() const { return timerEnabled_; }
  void SetMusicTimerEnabled(bool on) { timerEnabled_ = on; }
  // One tick: when nothing plays and the window is not minimised, the next track starts.
  void OnMusicTimer(bool minimised);
  // The main window was minimised: the music stops.
  void OnMinimise();
  // The main window is back in its normal state: the music resumes when music is on.
  void OnRestore();
  // The options screen's Music row, after the shell has stored the new value in its
  // musicEnabled flag (pass that value): on starts the remembered track unless the timer
  // already runs; off stops the music and the timer.
  void SetMusicEnabled(bool on);

  // The track now loaded, 1..10; 0 before any has been.
  int CurrentTrack() const { return currentTrack_; }
  // musicFolder + "track<i>.pak", once StartMusic has built the list; empty before.
  std::string TrackPath(int track) const;
  bool HasPlayer() const { return player_ != nullptr; }

 private:
  void LoadAndPlay(bool setVolume);
  void RememberNext();

  std::string appPath_;
  SettingsAccess settings_;
  const bool* musicEnabled_;
  PlayerFactory factory_;
  std::unique_ptr<TrackerPlayer> player_;
  std::string musicFolder_;
  int currentTrack_ = 0;
  bool timerEnabled_ = true;  // tmrMusic is enabled until the music is found off
};

}  // namespace presentation
