#include "presentation/sound_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace presentation {

namespace {
constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
// About 12 ms at 44.1 kHz: a UI tick follows the click closely.
constexpr int kChunkSize = 512;
}  // namespace

AudioSession::AudioSession() {
  // Audio only: the window and its video subsystem belong to someone else.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  subsystemUp_ = true;
  int frequency = 0;
  Uint16 format = 0;
  int channels = 0;
  // The mixer counts its opens only when the format matches the one already open; asking for
  // anything else would close it under the other hold.
  int rc;
  if (Mix_QuerySpec(&frequency, &format, &channels) != 0) {
    rc = Mix_OpenAudio(frequency, format, channels, kChunkSize);
  } else {
    rc = Mix_OpenAudio(kFrequency, AUDIO_S16SYS, kChannels, kChunkSize);
  }
  mixerOpen_ = rc == 0;
}

AudioSession::~AudioSession() {
  if (mixerOpen_) Mix_CloseAudio();
  if (subsystemUp_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace presentation
