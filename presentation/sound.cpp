#include "presentation/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>

#include "platform/files.h"
#include "platform/paths.h"

namespace presentation {

namespace {
constexpr std::array<std::string_view, kSoundEffectCount> kEffectNames = {
    "click", "btnclick", "break", "victory", "match", "crush", "trapdoor", "btnhover"};
// Enough that a burst of hovers over a crush and a win never has to drop one.
constexpr int kMixChannels = 16;
// Our effects are a few hundred kilobytes; anything far larger is not one of them.
constexpr std::size_t kMaxEffectBytes = 8u << 20;
}  // namespace

int SoundEffectCode(std::string_view name) {
  for (std::size_t i = 0; i < kEffectNames.size(); ++i) {
    if (kEffectNames[i] == name) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::string_view SoundEffectName(int code) {
  if (code < 1 || code > kSoundEffectCount) return {};
  return kEffectNames[static_cast<std::size_t>(code - 1)];
}

std::string SoundEffectPath(const std::string& appPath, int code) {
  const std::string_view name = SoundEffectName(code);
  if (name.empty()) return {};
  return appPath + "data/sound/" + std::string(name) + ".wav";
}

void MixerEffectSink::ChunkFree::operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }

MixerEffectSink::MixerEffectSink() {
  if (session_.IsOpen() && Mix_AllocateChannels(-1) < kMixChannels) Mix_AllocateChannels(kMixChannels);
}

MixerEffectSink::~MixerEffectSink() {
  // Freeing a chunk halts the channels still playing it.
  chunks_.clear();
}

Mix_Chunk* MixerEffectSink::Chunk(const std::string& path) {
  auto found = chunks_.find(path);
  if (found != chunks_.end()) return found->second.get();
  Mix_Chunk* chunk = nullptr;
  std::string bytes;
  // A damaged or oversized file costs at most kMaxEffectBytes and then plays nothing.
  if (session_.IsOpen() && platform::ReadFile(platform::ResolvePath(path), bytes, kMaxEffectBytes) &&
      !bytes.empty()) {
    chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
  }
  // An unreadable file is remembered as silent, so it is not read again at every move.
  chunks_.emplace(path, std::unique_ptr<Mix_Chunk, ChunkFree>(chunk));
  return chunk;
}

void MixerEffectSink::Preload(const std::string& path) { Chunk(path); }

void MixerEffectSink::Play(const std::string& path) {
  Mix_Chunk* chunk = Chunk(path);
  if (chunk == nullptr) return;
  // Channel -1: the first free one. With all of them busy the request is dropped, which only
  // happens in a burst far beyond anything the game asks for.
  Mix_PlayChannel(-1, chunk, 0);
}

std::size_t MixerEffectSink::PlayableCount() const {
  std::size_t n = 0;
  for (const auto& [path, chunk] : chunks_) n += chunk != nullptr ? 1 : 0;
  return n;
}

int MixerEffectSink::SoundingCount() const {
  if (!session_.IsOpen()) return 0;
  return Mix_Playing(-1);
}

SoundEffects::SoundEffects(std::string appPath, const bool& soundEnabled)
    : appPath_(std::move(appPath)),
      soundEnabled_(&soundEnabled),
      ownSink_(std::make_unique<MixerEffectSink>()),
      sink_(ownSink_.get()) {
  // Read every file at start-up, so the first move does not wait for the disk.
  for (int code = 1; code <= kSoundEffectCount; ++code) sink_->Preload(SoundEffectPath(appPath_, code));
}

SoundEffects::SoundEffects(std::string appPath, const bool& soundEnabled, EffectSink& sink)
    : appPath_(std::move(appPath)), soundEnabled_(&soundEnabled), sink_(&sink) {}

void SoundEffects::PlaySoundEffect(std::string_view name) { PlaySoundEffect(SoundEffectCode(name)); }

void SoundEffects::PlaySoundEffect(int code) {
  if (!*soundEnabled_) return;
  const std::string path = SoundEffectPath(appPath_, code);
  if (path.empty()) return;
  sink_->Play(path);
}

}  // namespace presentation
