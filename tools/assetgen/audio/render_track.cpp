// Renders a music module (a track*.pak of the program folder, or any module the game's player
// reads) to a 16-bit stereo wave file through SDL_mixer, faster than real time, and prints its
// length and levels. For listening to the music outside the game:
//   render_track build/dist/data/music/track3.pak /tmp/track3.wav && play /tmp/track3.wav
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "tools/assetgen/audio/render.h"
#include "tools/assetgen/audio/wav.h"

using namespace assetgen::audio;

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: render_track <module> <out.wav> [rate, default 44100]\n");
    return 2;
  }
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
