#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>

#include "platform/files.h"
#include "tools/assetgen/audio/composer.h"
#include "tools/assetgen/audio/effects.h"
#include "tools/assetgen/audio/render.h"
#include "tools/assetgen/audio/tracker.h"
#include "tools/assetgen/audio/wav.h"

namespace assetgen::audio {
namespace {

double Db(double amplitude) { return 20 * std::log10(std::max(amplitude, 1e-12)); }

double Rms(const Buffer& b) {
  double sum = 0;
  for (float s : b) sum += static_cast<double>(s) * s;
  return b.empty() ? 0 : std::sqrt(sum / static_cast<double>(b.size()));
}

// ---- effects ------------------------------------------------------------------------------

TEST(Effects, EachIsShortSoftEdgedAudibleAndNeverClips) {
  ASSERT_EQ(EffectRecipes().size(), 8u);
  for (const EffectRecipe& recipe : EffectRecipes()) {
    SCOPED_TRACE(recipe.name);
    const Buffer b = MakeEffect(recipe.name);
    ASSERT_FALSE(b.empty());
    const double seconds = static_cast<double>(b.size()) / kEffectRate;
    EXPECT_LE(seconds, recipe.maxSeconds);
    EXPECT_GE(seconds, 0.02);
    EXPECT_NEAR(Db(Peak(b)), recipe.peakDb, 0.05);
    EXPECT_LT(Peak(b), 1.0f);
    EXPECT_GT(Db(Rms(b)), recipe.peakDb - 40) << "too faint";
    // faded at both ends: no click when it starts or stops
    EXPECT_LT(std::fabs(b.front()), 0.01f);
    EXPECT_LT(std::fabs(b.back()), 0.01f);
  }
  EXPECT_TRUE(MakeEffect("nonsense").empty());
}

TEST(Effects, TheirLimitsAreThoseOfTheArtBrief) {
  for (const EffectRecipe& recipe : EffectRecipes()) {
    if (recipe.name == "btnclick" || recipe.name == "btnhover") {
      EXPECT_LT(recipe.maxSeconds, 0.15 + 1e-9);
    }
    if (recipe.name == "victory") {
      EXPECT_LT(recipe.maxSeconds, 3.0 + 1e-9);
    }
    EXPECT_LE(recipe.peakDb, -3.0) << recipe.name;
  }
}

TEST(Wav, EncodesSixteenBitPcmThatReadsBack) {
  const Buffer b = {0.0f, 0.5f, -0.5f, 1.5f, -2.0f, 0.25f};
  WavData w;
  ASSERT_TRUE(DecodeWav(EncodeWav(b, 44100), w));
  EXPECT_EQ(w.rate, 44100);
  EXPECT_EQ(w.channels, 1);
  EXPECT_EQ(w.bits, 16);
  ASSERT_EQ(w.samples.size(), b.size());
  EXPECT_EQ(w.samples[1], 16384);
  EXPECT_EQ(w.samples[2], -16384);
  EXPECT_EQ(w.samples[3], 32767);  // clamped, not wrapped
  EXPECT_EQ(w.samples[4], -32767);
  std::string eightBit = EncodeWav(b, 44100);
  eightBit[34] = 8;  // bits per sample
  const std::string junk[] = {"", "RIFF", std::string("RIFF\x04\0\0\0WAVE", 12), "RIFX0000WAVEfmt ",
                              EncodeWav(b, 44100).substr(0, 30), eightBit};
  for (const std::string& j : junk) EXPECT_FALSE(DecodeWav(j, w)) << j.size();
}

// ---- the module writer --------------------------------------------------------------------

Module OnePatternModule(int channels) {
  Module m;
  m.title = "test";
  m.channels = channels;
  Sample s;
  s.name = "square";
  for (int i = 0; i < 64; ++i) s.data.push_back(static_cast<std::int8_t>(i % 16 < 8 ? 50 : -50));
  s.volume = 40;
  s.loopStart = 16;
  s.loopLength = 32;
  m.samples.push_back(s);
  m.patterns.emplace_back(channels);
  m.patterns[0].at(0, 0) = {1, 12, kFxVolume, 0x20};  // C-2
  m.patterns[0].at(5, channels - 1) = {1, 35, kFxNone, 0};
  m.orders = {0};
  return m;
}

TEST(ModuleWriter, LaysOutTheProTrackerFormat) {
  for (int channels : {4, 6, 8}) {
    SCOPED_TRACE(channels);
    const std::string f = WriteModule(OnePatternModule(channels));
    const std::size_t patternBytes = static_cast<std::size_t>(64 * channels * 4);
    ASSERT_EQ(f.size(), 1084 + patternBytes + 64);
    EXPECT_EQ(f.substr(0, 4), "test");
    EXPECT_EQ(f.substr(20, 6), "square");
    EXPECT_EQ(static_cast<unsigned char>(f[42]) * 256 + static_cast<unsigned char>(f[43]), 32);  // words
    EXPECT_EQ(f[45], 40);                                                                         // volume
    EXPECT_EQ(static_cast<unsigned char>(f[46]) * 256 + static_cast<unsigned char>(f[47]), 8);   // loop start
    EXPECT_EQ(static_cast<unsigned char>(f[48]) * 256 + static_cast<unsigned char>(f[49]), 16);  // loop words
    EXPECT_EQ(f[20 + 30 + 29], 1);  // an unused sample: no loop
    EXPECT_EQ(f[950], 1);           // one order
    EXPECT_EQ(f.substr(1080, 4), channels == 4 ? "M.K." : channels == 6 ? "6CHN" : "8CHN");
    // row 0, channel 0: sample 1, period 428, effect C20
    EXPECT_EQ(static_cast<unsigned char>(f[1084]), 0x01);
    EXPECT_EQ(static_cast<unsigned char>(f[1085]), 0xAC);
    EXPECT_EQ(static_cast<unsigned char>(f[1086]), 0x1C);
    EXPECT_EQ(static_cast<unsigned char>(f[1087]), 0x20);
    // row 5, last channel: period 113 (B-3)
    const std::size_t at = 1084 + static_cast<std::size_t>((5 * channels + channels - 1) * 4);
    EXPECT_EQ(static_cast<unsigned char>(f[at + 1]), 113);
    EXPECT_EQ(f[1084 + patternBytes + 2], 50);  // sample data follows the patterns
    EXPECT_EQ(f[1084 + patternBytes + 8], -50);
  }
}

TEST(ModuleLength, FollowsSpeedTempoBreaksAndJumps) {
  struct Case {
    const char* what;
    std::vector<std::tuple<int, int, int, int>> effects;  // row, channel, effect, param
    std::vector<int> orders;
    double seconds;
    bool ends;
  };
  const Case cases[] = {
      {"defaults: speed 6, tempo 125", {}, {0}, 64 * 0.12, true},
      {"two orders", {}, {0, 0}, 2 * 64 * 0.12, true},
      {"speed 3", {{0, 0, kFxSpeed, 3}}, {0}, 64 * 0.06, true},
      {"tempo 100", {{0, 1, kFxSpeed, 100}}, {0}, 64 * 0.15, true},
      {"break at row 15", {{15, 0, kFxBreak, 0}}, {0, 0}, 2 * 16 * 0.12, true},
      {"break into row 10", {{63, 0, kFxBreak, 0x10}}, {0, 0}, (64 + 54) * 0.12, true},
      {"F00 stops", {{9, 2, kFxSpeed, 0}}, {0, 0}, 9 * 0.12, true},
      {"a jump back loops", {{63, 0, kFxJump, 0}}, {0, 0}, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Module m = OnePatternModule(4);
    for (const auto& [row, ch, fx, param] : c.effects) m.patterns[0].at(row, ch) = {0, -1, fx, param};
    m.orders = c.orders;
    const PlayLength len = MeasureModule(m);
    EXPECT_EQ(len.ends, c.ends);
    if (c.ends) {
      EXPECT_NEAR(len.seconds, c.seconds, 1e-9);
    }
  }
}

// ---- the composed tracks ------------------------------------------------------------------

TEST(Tracks, EachHasItsOwnTitleKeyTempoAndInstruments) {
  ASSERT_EQ(TrackPlans().size(), 10u);
  std::set<std::string> titles;
  std::set<std::pair<int, int>> keys;
  std::set<int> tempos;
  std::set<std::tuple<int, int, int, int>> sounds;
  for (const TrackPlan& p : TrackPlans()) {
    titles.insert(p.title);
    keys.insert({p.tonic, static_cast<int>(p.mode)});
    tempos.insert(p.bpm);
    sounds.insert({static_cast<int>(p.lead), static_cast<int>(p.chime), static_cast<int>(p.bass),
                   static_cast<int>(p.groove)});
  }
  EXPECT_EQ(titles.size(), 10u);
  EXPECT_EQ(keys.size(), 10u);
  EXPECT_EQ(tempos.size(), 10u);
  EXPECT_EQ(sounds.size(), 10u);
}

class TrackTest : public ::testing::TestWithParam<int> {};

TEST_P(TrackTest, IsAWellFormedModuleThatEndsWithinItsTime) {
  const Module m = ComposeTrack(GetParam());
  const PlayLength len = MeasureModule(m);
  EXPECT_TRUE(len.ends);
  EXPECT_GE(len.seconds, 90.0);
  EXPECT_LE(len.seconds, 180.0);
  EXPECT_LE(m.samples.size(), 31u);
  EXPECT_LE(m.orders.size(), 128u);
  for (const Sample& s : m.samples) {
    SCOPED_TRACE(s.name);
    EXPECT_LE(s.data.size(), 131070u);
    EXPECT_EQ(s.data.size() % 2, 0u);
    EXPECT_LE(s.loopStart + s.loopLength, static_cast<int>(s.data.size()));
  }
  for (const Pattern& p : m.patterns) {
    for (const Cell& c : p.cells) {
      EXPECT_GE(c.note, -1);
      EXPECT_LT(c.note, kNoteCount);
      EXPECT_LE(c.sample, static_cast<int>(m.samples.size()));
      if (c.effect == kFxVolume) {
        EXPECT_LE(c.param, 64);
      }
    }
  }
  // it closes on silence: the last row of the last pattern mutes what still sounds
  const Pattern& last = m.patterns[static_cast<std::size_t>(m.orders.back())];
  int lastRow = kRowsPerPattern - 1;
  for (int r = 0; r < kRowsPerPattern; ++r) {
    for (int ch = 0; ch < last.channels; ++ch) {
      if (last.at(r, ch).effect == kFxBreak) lastRow = std::min(lastRow, r);
    }
  }
  int muted = 0;
  for (int ch = 0; ch < last.channels; ++ch) {
    const Cell& c = last.at(lastRow, ch);
    EXPECT_LT(c.note, 0);
    muted += c.effect == kFxVolume && c.param == 0;
  }
  EXPECT_GE(muted, last.channels - 1);
}

// The real player, faster than real time: it loads, plays to its end once, is not silent
// anywhere in the middle and does not clip.
TEST_P(TrackTest, PlaysThroughTheGamesPlayerToItsEnd) {
  const Module m = ComposeTrack(GetParam());
  const double expected = MeasureModule(m).seconds;
  Rendered r;
  std::string error;
  ASSERT_TRUE(RenderModule(WriteModule(m), 22050, 200, r, &error)) << error;
  EXPECT_TRUE(r.ended);
  EXPECT_NEAR(r.Seconds(), expected, 0.75);
  const Levels whole = Measure(r.pcm);
  EXPECT_EQ(whole.clipped, 0);
  EXPECT_LT(Db(whole.peak), -1.0);
  EXPECT_GT(Db(whole.rms), -32.0);
  // No gap: every second from the first to the last few holds music.
  const std::size_t second = static_cast<std::size_t>(r.rate) * 2;
  for (std::size_t at = second; at + 5 * second < r.pcm.size(); at += second) {
    const std::vector<std::int16_t> window(r.pcm.begin() + static_cast<std::ptrdiff_t>(at),
                                           r.pcm.begin() + static_cast<std::ptrdiff_t>(at + second));
    EXPECT_GT(Db(Measure(window).rms), -50.0) << "silent at " << at / second << " s";
  }
}

// What the build put into the program folder is what the generator makes now.
TEST_P(TrackTest, TheProgramFolderHoldsThisTrack) {
  const char* dist = std::getenv("FROSTLIDE_DIST");
  if (dist == nullptr) GTEST_SKIP() << "FROSTLIDE_DIST not set";
  std::string onDisk;
  ASSERT_TRUE(platform::ReadFile(std::string(dist) + "/data/music/track" + std::to_string(GetParam()) + ".pak", onDisk));
  EXPECT_TRUE(onDisk == WriteModule(ComposeTrack(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(AllTen, TrackTest, ::testing::Range(1, 11));

TEST(GeneratedEffects, TheProgramFolderHoldsEveryEffectAsSixteenBitWave) {
  const char* dist = std::getenv("FROSTLIDE_DIST");
  if (dist == nullptr) GTEST_SKIP() << "FROSTLIDE_DIST not set";
  for (const EffectRecipe& recipe : EffectRecipes()) {
    SCOPED_TRACE(recipe.name);
    std::string bytes;
    ASSERT_TRUE(platform::ReadFile(std::string(dist) + "/data/sound/" + recipe.name + ".wav", bytes));
    WavData w;
    ASSERT_TRUE(DecodeWav(bytes, w));
    EXPECT_EQ(w.rate, kEffectRate);
    EXPECT_EQ(w.bits, 16);
    EXPECT_LE(w.Seconds(), recipe.maxSeconds);
    const Levels l = Measure(w.samples);
    EXPECT_EQ(l.clipped, 0);
    EXPECT_GT(l.peak, 0.1);
  }
}

}  // namespace
}  // namespace assetgen::audio
