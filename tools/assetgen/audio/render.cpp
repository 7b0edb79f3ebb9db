#include "tools/assetgen/audio/render.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <optional>

namespace assetgen::audio {

namespace {

struct Capture {
  std::atomic<bool> seenPlaying{false};
  std::atomic<bool> stop{false};
  std::atomic<bool> ended{false};
  std::atomic<std::size_t> frames{0};
  std::vector<std::int16_t>* pcm = nullptr;
};

// Runs on the audio thread with the mixer locked, after the music has been mixed into stream.
void PostMix(void* udata, Uint8* stream, int len) {
  auto* cap = static_cast<Capture*>(udata);
  if (cap->stop || cap->ended) return;
  // The mixer starts a track only between two buffers, so capture starts with the first
  // buffer that holds music; the buffer in which it finished is the last one kept.
  const bool playing = Mix_PlayingMusic() != 0;
  if (!playing && !cap->seenPlaying) return;
  cap->seenPlaying = true;
  const auto* samples = reinterpret_cast<const std::int16_t*>(stream);
  const auto count = static_cast<std::size_t>(len) / sizeof(std::int16_t);
  cap->pcm->insert(cap->pcm->end(), samples, samples + count);
  cap->frames = cap->pcm->size() / 2;
  if (!playing) cap->ended = true;
}

// Sets an environment variable for the length of a render and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value, 1);
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace

bool RenderModule(const std::string& bytes, int rate, double maxSeconds, Rendered& out, std::string* error) {
  out = Rendered{};
  out.rate = rate;
  auto fail = [&](const std::string& why) {
    if (error != nullptr) *error = why + ": " + SDL_GetError();
    return false;
  };
  ScopedEnv driver("SDL_AUDIODRIVER", "disk");
  ScopedEnv file("SDL_DISKAUDIOFILE", "/dev/null");
  ScopedEnv delay("SDL_DISKAUDIODELAY", "0");
  // The file output announces itself loudly on every open; it is exactly what we want here.
  const SDL_LogPriority oldPriority = SDL_LogGetPriority(SDL_LOG_CATEGORY_AUDIO);
  SDL_LogSetPriority(SDL_LOG_CATEGORY_AUDIO, SDL_NUM_LOG_PRIORITIES);
  struct Restore {
    SDL_LogPriority p;
    ~Restore() { SDL_LogSetPriority(SDL_LOG_CATEGORY_AUDIO, p); }
  } restore{oldPriority};

  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return fail("audio");
  if (Mix_OpenAudio(rate, AUDIO_S16SYS, 2, 4096) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return fail("mixer");
  }
  Capture cap;
  cap.pcm = &out.pcm;
  out.pcm.reserve(static_cast<std::size_t>(rate * 2 * std::min(maxSeconds, 400.0)));
  Mix_Music* music = Mix_LoadMUS_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
  bool ok = music != nullptr;
  if (!ok) {
    fail("load");
  } else {
    Mix_SetPostMix(PostMix, &cap);
    Mix_PlayMusic(music, 0);
    const auto limit = static_cast<std::size_t>(maxSeconds * rate);
    const Uint64 startedAt = SDL_GetTicks64();
    while (!cap.ended && cap.frames < limit) {
      if (!cap.seenPlaying && SDL_GetTicks64() - startedAt > 3000) break;  // never started
      SDL_Delay(2);
    }
    cap.stop = true;
    // Unhooking takes the mixer's lock, so no capture runs once it returns.
    Mix_SetPostMix(nullptr, nullptr);
    out.ended = cap.ended;
    Mix_HaltMusic();
    Mix_FreeMusic(music);
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return ok;
}

Levels Measure(const std::vector<std::int16_t>& pcm) {
  Levels l;
  double sum = 0;
  int peak = 0;
  for (std::int16_t s : pcm) {
    const int a = std::abs(static_cast<int>(s));
    peak = std::max(peak, a);
    if (a >= 32767) ++l.clipped;
    sum += static_cast<double>(s) * s;
  }
  l.peak = peak / 32768.0;
  l.rms = pcm.empty() ? 0 : std::sqrt(sum / static_cast<double>(pcm.size())) / 32768.0;
  return l;
}

}  // namespace assetgen::audio
