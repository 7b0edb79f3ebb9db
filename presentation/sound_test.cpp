#include "presentation/sound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/test_dir.h"

namespace presentation {
namespace {

const std::vector<std::string> kNames = {"click", "btnclick", "break",    "victory",
                                         "match", "crush",    "trapdoor", "btnhover"};

class RecordingSink : public EffectSink {
 public:
  void Preload(const std::string& path) override { preloaded.push_back(path); }
  void Play(const std::string& path) override { played.push_back(path); }
  std::vector<std::string> preloaded;
  std::vector<std::string> played;
};

TEST(SoundEffectTable, CodesNamesAndPathsFollowTheTable) {
  for (int code = 1; code <= kSoundEffectCount; ++code) {
    const std::string& name = kNames[static_cast<std::size_t>(code - 1)];
    EXPECT_EQ(SoundEffectCode(name), code);
    EXPECT_EQ(SoundEffectName(code), name);
    EXPECT_EQ(SoundEffectPath("/game/", code), "/game/data/sound/" + name + ".wav");
  }
  for (const char* other : {"", "Click", "clicks", "music", "click "}) {
    EXPECT_EQ(SoundEffectCode(other), 0) << other;
  }
  for (int code : {-1, 0, 9, 100}) {
    EXPECT_TRUE(SoundEffectName(code).empty()) << code;
    EXPECT_TRUE(SoundEffectPath("/game/", code).empty()) << code;
  }
}

TEST(SoundEffects, EveryEffectPlaysItsFileWhileSoundIsOn) {
  bool soundEnabled = true;
  RecordingSink sink;
  SoundEffects sound("/game/", soundEnabled, sink);
  for (const std::string& name : kNames) sound.PlaySoundEffect(name);
  for (int code = 1; code <= kSoundEffectCount; ++code) sound.PlaySoundEffect(code);
  ASSERT_EQ(sink.played.size(), 2 * kNames.size());
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    EXPECT_EQ(sink.played[i], "/game/data/sound/" + kNames[i] + ".wav");
    EXPECT_EQ(sink.played[i + kNames.size()], sink.played[i]);
  }
}

TEST(SoundEffects, SoundOffSilencesEveryEffectAndUnknownOnesNeverPlay) {
  bool soundEnabled = false;
  RecordingSink sink;
  SoundEffects sound("/game/", soundEnabled, sink);
  for (const std::string& name : kNames) sound.PlaySoundEffect(name);
  for (int code = 0; code <= kSoundEffectCount + 1; ++code) sound.PlaySoundEffect(code);
  EXPECT_TRUE(sink.played.empty());

  // The option is read at every request, as the options screen flips it.
  soundEnabled = true;
  sound.PlaySoundEffect("btnhover");
  sound.PlaySoundEffect("nonsense");
  sound.PlaySoundEffect(0);
  sound.PlaySoundEffect(9);
  soundEnabled = false;
  sound.PlaySoundEffect("btnclick");
  ASSERT_EQ(sink.played.size(), 1u);
  EXPECT_EQ(sink.played[0], "/game/data/sound/btnhover.wav");
}

// A 16-bit mono sine, long enough to still sound when the test looks.
std::string SineWav(int milliseconds) {
  const int rate = 22050;
  const int frames = rate * milliseconds / 1000;
  std::string data;
  for (int i = 0; i < frames; ++i) {
    const auto s = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
    data.push_back(static_cast<char>(s & 0xFF));
    data.push_back(static_cast<char>((s >> 8) & 0xFF));
  }
  auto u32 = [](std::uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
  };
  auto u16 = [](std::uint16_t v) {
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  };
  return "RIFF" + u32(static_cast<std::uint32_t>(36 + data.size())) + "WAVEfmt " + u32(16) + u16(1) +
         u16(1) + u32(rate) + u32(rate * 2) + u16(2) + u16(16) + "data" +
         u32(static_cast<std::uint32_t>(data.size())) + data;
}

class MixerSinkTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("SDL_AUDIODRIVER", "dummy", 0); }
  platform::testing::TestDir dir;
};

TEST_F(MixerSinkTest, OverlappingEffectsSoundTogetherAndEachFileIsReadOnce) {
  dir.Put("data/sound/crush.wav", SineWav(1500));
  dir.Put("data/sound/click.wav", SineWav(1500));
  bool soundEnabled = true;
  MixerEffectSink sink;
  ASSERT_TRUE(sink.HasOutput());
  SoundEffects sound(dir.path(), soundEnabled, sink);
  sound.PlaySoundEffect("crush");
  sound.PlaySoundEffect("crush");
  sound.PlaySoundEffect("click");
  EXPECT_EQ(sink.SoundingCount(), 3);
  EXPECT_EQ(sink.LoadedCount(), 2u);
}

TEST_F(MixerSinkTest, MissingOrUnreadableFilesPlayNothing) {
  dir.Put("data/sound/break.wav", "this is not a wave file");
  dir.Put("data/sound/match.wav", "");
  dir.Put("data/sound/victory.wav", SineWav(100) + std::string(9u << 20, '\0'));  // far too large
  bool soundEnabled = true;
  MixerEffectSink sink;
  SoundEffects sound(dir.path(), soundEnabled, sink);
  for (int round = 0; round < 3; ++round) {
    for (const std::string& name : kNames) sound.PlaySoundEffect(name);
  }
  EXPECT_EQ(sink.SoundingCount(), 0);
  // A file that failed is remembered, not read again at every request.
  EXPECT_EQ(sink.LoadedCount(), kNames.size());
  EXPECT_EQ(sink.PlayableCount(), 0u);
}

TEST_F(MixerSinkTest, FilesAreFoundWhateverTheirLetterCase) {
  dir.Put("Data/Sound/VICTORY.wav", SineWav(1000));
  bool soundEnabled = true;
  MixerEffectSink sink;
  SoundEffects sound(dir.path(), soundEnabled, sink);
  sound.PlaySoundEffect("victory");
  EXPECT_EQ(sink.SoundingCount(), 1);
}

TEST(MixerSinkWithoutDevice, EverythingStaysSilentAndQuiet) {
  const char* old = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = old != nullptr ? old : "";
  ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  platform::testing::TestDir dir;
  dir.Put("data/sound/click.wav", SineWav(500));
  {
    bool soundEnabled = true;
    MixerEffectSink sink;
    EXPECT_FALSE(sink.HasOutput());
    SoundEffects sound(dir.path(), soundEnabled, sink);
    sound.PlaySoundEffect("click");
    EXPECT_EQ(sink.SoundingCount(), 0);
  }
  if (old != nullptr) {
    ::setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  } else {
    ::unsetenv("SDL_AUDIODRIVER");
  }
}

// The generated effects of the program folder, played the way the game plays them.
TEST_F(MixerSinkTest, GeneratedEffectsAllLoadAndPlay) {
  const char* dist = std::getenv("FROSTLIDE_DIST");
  if (dist == nullptr) GTEST_SKIP() << "FROSTLIDE_DIST not set";
  bool soundEnabled = true;
  MixerEffectSink sink;
  SoundEffects sound(std::string(dist) + "/", soundEnabled, sink);
  for (const std::string& name : kNames) sound.PlaySoundEffect(name);
  EXPECT_EQ(sink.LoadedCount(), kNames.size());
  EXPECT_EQ(sink.PlayableCount(), kNames.size());
  // The fanfare, started last, lasts well beyond the moment this check takes.
  EXPECT_GE(sink.SoundingCount(), 1);
}

}  // namespace
}  // namespace presentation
