#include "presentation/music.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>

#include "platform/files.h"
#include "platform/leading_number.h"
#include "platform/paths.h"

namespace presentation {

// ---- MixerTrackerPlayer -------------------------------------------------------------------

namespace {
// Our tracks are a few hundred kilobytes; anything far larger is not one of them.
constexpr std::size_t kMaxTrackBytes = 16u << 20;
}  // namespace

MixerTrackerPlayer::MixerTrackerPlayer() = default;

MixerTrackerPlayer::~MixerTrackerPlayer() { Free(); }

void MixerTrackerPlayer::Free() {
  if (track_ != nullptr) {
    // Freeing the playing track halts it first.
    Mix_FreeMusic(track_);
    track_ = nullptr;
  }
  data_.clear();
  started_ = false;
  paused_ = false;
}

bool MixerTrackerPlayer::Load(const std::string& path) {
  Free();
  // A damaged or oversized file costs at most kMaxTrackBytes and then does not play.
  if (!session_.IsOpen() || !platform::ReadFile(platform::ResolvePath(path), data_, kMaxTrackBytes) ||
      data_.empty()) {
    data_.clear();
    return false;
  }
  track_ = Mix_LoadMUS_RW(SDL_RWFromConstMem(data_.data(), static_cast<int>(data_.size())), 1);
  if (track_ == nullptr) data_.clear();
  return track_ != nullptr;
}

void MixerTrackerPlayer::SetVolume(int percent) {
  if (!session_.IsOpen()) return;
  if (percent < 0) percent = 0;
  if (percent > 100) percent = 100;
  Mix_VolumeMusic(percent * MIX_MAX_VOLUME / 100);
}

void MixerTrackerPlayer::Play() {
  if (track_ == nullptr) return;
  if (paused_) {
    Mix_ResumeMusic();
    paused_ = false;
  } else if (!started_) {
    // Loops 0: once through, then the mixer reports the music as ended.
    started_ = Mix_PlayMusic(track_, 0) == 0;
  }
}

void MixerTrackerPlayer::Stop() {
  if (track_ == nullptr || !started_ || paused_) return;
  if (Mix_PlayingMusic() == 0) return;  // already at its end: nothing to hold
  Mix_PauseMusic();
  paused_ = true;
}

bool MixerTrackerPlayer::IsPlaying() {
  return track_ != nullptr && started_ && !paused_ && Mix_PlayingMusic() != 0;
}

// ---- LastSong -----------------------------------------------------------------------------

int LastSongTrack(std::string_view value) {
  // The settings file's own number rule, so the file reads the same everywhere.
  const double rounded = platform::RoundHalfEven(platform::LeadingNumber(value));
  if (!(rounded >= 1)) return 1;
  if (rounded > kTrackCount) return kTrackCount;
  return static_cast<int>(rounded);
}

int TrackAfter(int track) { return track >= kTrackCount ? 1 : track + 1; }

// ---- Music --------------------------------------------------------------------------------

Music::Music(std::string appPath, SettingsAccess settings, const bool& musicEnabled,
             PlayerFactory factory)
    : appPath_(std::move(appPath)),
      settings_(std::move(settings)),
      musicEnabled_(&musicEnabled),
      factory_(std::move(factory)) {
  if (!factory_) factory_ = [] { return std::make_unique<MixerTrackerPlayer>(); };
}

void Music::CreateMusicPlayer() {
  if (player_ == nullptr) player_ = factory_();
}

std::string Music::TrackPath(int track) const {
  if (musicFolder_.empty() || track < 1 || track > kTrackCount) return {};
  return musicFolder_ + "track" + std::to_string(track) + ".pak";
}

void Music::RememberNext() {
  if (settings_.write) settings_.write("Music", "LastSong", std::to_string(TrackAfter(currentTrack_)));
}

void Music::LoadAndPlay(bool setVolume) {
  if (player_ == nullptr) return;
  // A track that cannot be loaded leaves the player silent; the next tick moves on.
  player_->Load(TrackPath(currentTrack_));
  if (setVolume) player_->SetVolume(100);
  player_->Play();
}

void Music::StartMusic() {
  if (!*musicEnabled_) {
    timerEnabled_ = false;
    return;
  }
  musicFolder_ = appPath_ + "data/music/";
  currentTrack_ = LastSongTrack(settings_.read ? settings_.read("Music", "LastSong") : std::string());
  LoadAndPlay(true);
  RememberNext();
}

void Music::NextTrack() {
  if (musicFolder_.empty()) musicFolder_ = appPath_ + "data/music/";
  currentTrack_ = TrackAfter(currentTrack_);
  if (player_ != nullptr) player_->Stop();
  LoadAndPlay(false);
  RememberNext();
}

void Music::StopMusic() {
  if (player_ != nullptr) player_->Stop();
}

void Music::ResumeMusic() {
  if (player_ != nullptr) player_->Play();
}

bool Music::IsMusicPlaying() { return player_ != nullptr && player_->IsPlaying(); }

void Music::DestroyMusicPlayer() { player_.reset(); }

void Music::OnMusicTimer(bool minimised) {
  if (!timerEnabled_ || minimised) return;
  // Without an audio device nothing ever plays; skipping through the tracks then would only
  // rewrite settings.ini every second.
  if (player_ == nullptr || !player_->HasOutput()) return;
  if (!IsMusicPlaying()) NextTrack();
}

void Music::OnMinimise() { StopMusic(); }

void Music::OnRestore() {
  if (*musicEnabled_) ResumeMusic();
}

void Music::SetMusicEnabled(bool on) {
  if (on) {
    if (!timerEnabled_) {
      timerEnabled_ = true;
      StartMusic();
    }
  } else {
    StopMusic();
    timerEnabled_ = false;
  }
}

}  // namespace presentation
