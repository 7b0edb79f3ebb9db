// Listening to the music outside the game, through the game's own player (SDL_mixer):
//   render_track <module> <out.wav> [rate]   renders a track*.pak (or any module the player
//                                            reads) to a 16-bit stereo wave file, faster than
//                                            real time, and prints its length and levels
//   render_track --play <module>             plays it on the sound card, once through
#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "tools/assetgen/audio/render.h"
#include "tools/assetgen/audio/wav.h"

using namespace assetgen::audio;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: render_track <module> <out.wav> [rate, default 44100]\n"
               "       render_track --play <module>\n");
  return 2;
}

int Play(const std::string& path) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048) != 0) {
    std::fprintf(stderr, "render_track: no audio output (%s)\n", SDL_GetError());
    return 1;
  }
  Mix_Music* music = Mix_LoadMUS(path.c_str());
  if (music == nullptr) {
    std::fprintf(stderr, "render_track: %s does not play (%s)\n", path.c_str(), Mix_GetError());
    Mix_CloseAudio();
    return 1;
  }
  std::printf("playing %s (Ctrl-C stops)\n", path.c_str());
  Mix_PlayMusic(music, 0);
  while (Mix_PlayingMusic() != 0) SDL_Delay(100);
  Mix_FreeMusic(music);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--play") return Play(argv[2]);
  if (argc < 3 || argc > 4) return Usage();
  const int rate = argc == 4 ? std::atoi(argv[3]) : 44100;
  if (rate < 8000 || rate > 96000) {
    std::fprintf(stderr, "render_track: rate %d is not 8000..96000\n", rate);
    return 2;
  }
  std::string bytes;
  if (!platform::ReadFile(argv[1], bytes)) {
    std::fprintf(stderr, "render_track: cannot read %s\n", argv[1]);
    return 1;
  }
  Rendered out;
  std::string error;
  if (!RenderModule(bytes, rate, 600, out, &error)) {
    std::fprintf(stderr, "render_track: %s does not play (%s)\n", argv[1], error.c_str());
    return 1;
  }
  if (!platform::WriteFileAtomic(argv[2], EncodeWav16(out.pcm, out.rate, out.channels))) {
    std::fprintf(stderr, "render_track: cannot write %s\n", argv[2]);
    return 1;
  }
  const Levels l = Measure(out.pcm);
  std::printf("%s: %.1f s%s, peak %.1f dBFS, rms %.1f dBFS, %d clipped samples\n", argv[2], out.Seconds(),
              out.ended ? "" : " (did not end: cut at 600 s)", 20 * std::log10(std::max(l.peak, 1e-9)),
              20 * std::log10(std::max(l.rms, 1e-9)), l.clipped);
  return 0;
}
