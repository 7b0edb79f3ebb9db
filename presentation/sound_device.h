#pragma once
// One hold on the audio output: SDL's audio subsystem and the mixer, opened when the hold is
// made and released when it ends. Holds nest, so the sound effects and the music each keep
// their own. On a machine without an audio device the hold is simply not open, and whatever
// plays through it stays silent: no message, no retry, no delay.
namespace presentation {

class AudioSession {
 public:
  AudioSession();
  ~AudioSession();
  AudioSession(const AudioSession&) = delete;
  AudioSession& operator=(const AudioSession&) = delete;

  bool IsOpen() const { return mixerOpen_; }

 private:
  bool subsystemUp_ = false;
  bool mixerOpen_ = false;
};

}  // namespace presentation
