#include "presentation/music.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "platform/test_dir.h"

namespace presentation {
namespace {

TEST(LastSong, LeadingNumberRoundedAndClampedToTheTracks) {
  const struct {
    const char* value;
    int track;
  } cases[] = {
      {"", 1},     {"0", 1},      {"abc", 1},   {"10", 10},   {"15", 10},
      {"3", 3},    {"  7", 7},    {"4x", 4},    {"-2", 1},    {"2.6", 3},
      {"2.5", 2},  {"9.5", 10},   {"+8", 8},    {"99999999999999999999999", 10},
      // Read as every other number of the file: blanks inside, exponents, far out of range.
      {"1 0", 10}, {"1e1", 10},   {"2D0", 2},   {" 3 . 5", 4}, {"1e999", 10}, {"-1e999", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(LastSongTrack(c.value), c.track) << '"' << c.value << '"';
  EXPECT_EQ(TrackAfter(1), 2);
  EXPECT_EQ(TrackAfter(9), 10);
  EXPECT_EQ(TrackAfter(10), 1);
}

// What the fake player was asked and what it reports.
struct PlayerLog {
  std::vector<std::string> calls;
  std::set<std::string> unloadable;  // file names that fail to load
  bool loaded = false;
  bool playing = false;
  bool ended = false;
  bool output = true;
  int created = 0;
  int destroyed = 0;
};

class FakeTracker : public TrackerPlayer {
 public:
  explicit FakeTracker(PlayerLog& log) : log_(log) { ++log_.created; }
  ~FakeTracker() override { ++log_.destroyed; }
  bool Load(const std::string& path) override {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    log_.calls.push_back("load " + name);
    log_.playing = false;
    log_.ended = false;
    log_.loaded = !log_.unloadable.contains(name);
    return log_.loaded;
  }
  void SetVolume(int percent) override { log_.calls.push_back("volume " + std::to_string(percent)); }
  void Play() override {
    log_.calls.push_back("play");
    if (log_.loaded && !log_.ended) log_.playing = true;
  }
  void Stop() override {
    log_.calls.push_back("stop");
    log_.playing = false;
  }
  bool IsPlaying() override { return log_.playing; }
  bool HasOutput() override { return log_.output; }

 private:
  PlayerLog& log_;
};

// The music with a fake player and settings held in memory.
class MusicTest : public ::testing::Test {
 protected:
  Music& Make() {
    SettingsAccess access{
        [this](std::string_view section, std::string_view key) {
          const auto it = settings.find(std::string(section) + "/" + std::string(key));
          return it == settings.end() ? std::string() : it->second;
        },
        [this](std::string_view section, std::string_view key, std::string_view value) {
          settings[std::string(section) + "/" + std::string(key)] = std::string(value);
          ++writes;
        }};
    music.emplace("/game/", access, musicEnabled, [this] { return std::make_unique<FakeTracker>(log); });
    return *music;
  }
  // Start-up as the shell runs it.
  Music& Started() {
    Music& m = Make();
    m.CreateMusicPlayer();
    m.StartMusic();
    return m;
  }
  std::string LastSong() const {
    const auto it = settings.find("Music/LastSong");
    return it == settings.end() ? "(missing)" : it->second;
  }
  // The track played to its end.
  void EndTrack() {
    log.playing = false;
    log.ended = true;
  }
  std::vector<std::string> TakeCalls() { return std::exchange(log.calls, {}); }

  bool musicEnabled = true;
  std::map<std::string, std::string> settings;
  int writes = 0;
  PlayerLog log;
  std::optional<Music> music;
};

TEST_F(MusicTest, StartPlaysTheRememberedTrackAndRemembersTheNext) {
  const struct {
    std::optional<std::string> lastSong;
    int track;
    std::string next;
  } cases[] = {
      {std::nullopt, 1, "2"}, {"0", 1, "2"},   {"snow", 1, "2"}, {"10", 10, "1"},
      {"15", 10, "1"},        {"5", 5, "6"},   {" 3 ", 3, "4"},
  };
  for (const auto& c : cases) {
    settings.clear();
    log = PlayerLog{};
    if (c.lastSong) settings["Music/LastSong"] = *c.lastSong;
    Music& m = Started();
    const std::string file = "track" + std::to_string(c.track) + ".pak";
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"load " + file, "volume 100", "play"}))
        << c.lastSong.value_or("(missing)");
    EXPECT_EQ(m.CurrentTrack(), c.track);
    EXPECT_EQ(m.TrackPath(c.track), "/game/data/music/" + file);
    EXPECT_EQ(LastSong(), c.next);
    EXPECT_TRUE(m.IsMusicPlaying());
    EXPECT_TRUE(m.MusicTimerEnabled());
  }
}

TEST_F(MusicTest, MusicOffAtStartCreatesThePlayerButLoadsNothing) {
  musicEnabled = false;
  settings["Music/LastSong"] = "7";
  Music& m = Started();
  EXPECT_TRUE(m.HasPlayer());
  EXPECT_EQ(log.created, 1);
  EXPECT_TRUE(log.calls.empty());
  EXPECT_FALSE(m.MusicTimerEnabled());
  EXPECT_FALSE(m.IsMusicPlaying());
  EXPECT_EQ(m.CurrentTrack(), 0);
  EXPECT_EQ(LastSong(), "7");
  EXPECT_EQ(writes, 0);
  // The disabled timer starts nothing.
  for (int i = 0; i < 3; ++i) m.OnMusicTimer(false);
  EXPECT_TRUE(log.calls.empty());
  EXPECT_EQ(LastSong(), "7");
}

TEST_F(MusicTest, TracksFollowInTurnAndWrapAfterTheTenth) {
  settings["Music/LastSong"] = "9";
  Music& m = Started();
  TakeCalls();
  const struct {
    int track;
    const char* next;
  } expected[] = {{10, "1"}, {1, "2"}, {2, "3"}};
  for (const auto& e : expected) {
    m.NextTrack();
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{
                               "stop", "load track" + std::to_string(e.track) + ".pak", "play"}));
    EXPECT_EQ(m.CurrentTrack(), e.track);
    EXPECT_EQ(LastSong(), e.next);
  }
}

TEST_F(MusicTest, TimerStartsTheNextTrackOnlyWhenNothingPlaysAndTheWindowIsNotMinimised) {
  settings["Music/LastSong"] = "4";
  Music& m = Started();
  TakeCalls();
  m.OnMusicTimer(false);  // still playing
  EXPECT_TRUE(log.calls.empty());
  EndTrack();
  m.OnMusicTimer(true);  // ended, but minimised
  EXPECT_TRUE(log.calls.empty());
  m.OnMusicTimer(false);
  EXPECT_EQ(m.CurrentTrack(), 5);
  EXPECT_TRUE(m.IsMusicPlaying());
  EXPECT_EQ(LastSong(), "6");
}

TEST_F(MusicTest, TrackEndingWhileMinimisedWaitsForTheRestore) {
  settings["Music/LastSong"] = "2";
  Music& m = Started();
  m.OnMinimise();
  EXPECT_FALSE(m.IsMusicPlaying());
  EndTrack();
  for (int i = 0; i < 5; ++i) m.OnMusicTimer(true);
  EXPECT_EQ(m.CurrentTrack(), 2);
  m.OnRestore();
  m.OnMusicTimer(false);
  EXPECT_EQ(m.CurrentTrack(), 3);
  EXPECT_TRUE(m.IsMusicPlaying());
}

TEST_F(MusicTest, MinimiseStopsAndRestoreResumesOnlyWithMusicOn) {
  Music& m = Started();
  TakeCalls();
  m.OnMinimise();
  EXPECT_FALSE(m.IsMusicPlaying());
  m.OnRestore();
  EXPECT_TRUE(m.IsMusicPlaying());
  EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"stop", "play"}));

  musicEnabled = false;
  m.SetMusicEnabled(false);
  m.OnMinimise();
  m.OnRestore();
  EXPECT_FALSE(m.IsMusicPlaying());
  for (const std::string& call : TakeCalls()) EXPECT_NE(call, "play");
}

TEST_F(MusicTest, TrackThatCannotBeLoadedIsSkippedAtTheNextTick) {
  settings["Music/LastSong"] = "3";
  log.unloadable = {"track3.pak", "track4.pak"};
  Music& m = Started();
  EXPECT_FALSE(m.IsMusicPlaying());
  EXPECT_EQ(LastSong(), "4");
  m.OnMusicTimer(false);
  EXPECT_EQ(m.CurrentTrack(), 4);
  EXPECT_FALSE(m.IsMusicPlaying());
  m.OnMusicTimer(false);
  EXPECT_EQ(m.CurrentTrack(), 5);
  EXPECT_TRUE(m.IsMusicPlaying());
  EXPECT_EQ(LastSong(), "6");
}

TEST_F(MusicTest, MusicRowStopsAndStartsTheRememberedTrack) {
  settings["Music/LastSong"] = "6";
  Music& m = Started();  // track 6, LastSong 7
  TakeCalls();
  musicEnabled = false;
  m.SetMusicEnabled(false);
  EXPECT_FALSE(m.IsMusicPlaying());
  EXPECT_FALSE(m.MusicTimerEnabled());
  m.OnMusicTimer(false);
  EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"stop"}));
  // Clicks on other rows apply the unchanged option again: nothing changes.
  m.SetMusicEnabled(false);
  EXPECT_FALSE(m.MusicTimerEnabled());
  TakeCalls();

  musicEnabled = true;
  m.SetMusicEnabled(true);
  EXPECT_TRUE(m.MusicTimerEnabled());
  EXPECT_EQ(m.CurrentTrack(), 7);
  EXPECT_TRUE(m.IsMusicPlaying());
  EXPECT_EQ(LastSong(), "8");
  TakeCalls();
  m.SetMusicEnabled(true);  // the timer already runs: the track goes on
  EXPECT_TRUE(log.calls.empty());
  EXPECT_EQ(m.CurrentTrack(), 7);
}

TEST_F(MusicTest, MusicSwitchedOnAfterAnOffStartPlaysTheRememberedTrack) {
  musicEnabled = false;
  settings["Music/LastSong"] = "8";
  Music& m = Started();
  musicEnabled = true;
  m.SetMusicEnabled(true);
  EXPECT_EQ(m.CurrentTrack(), 8);
  EXPECT_TRUE(m.IsMusicPlaying());
  EXPECT_EQ(LastSong(), "9");
}

TEST_F(MusicTest, WithoutAudioOutputTheTimerLeavesTheSettingsAlone) {
  log.output = false;
  log.unloadable = {"track1.pak"};
  Music& m = Started();
  const int writesAtStart = writes;
  for (int i = 0; i < 10; ++i) m.OnMusicTimer(false);
  EXPECT_EQ(writes, writesAtStart);
  EXPECT_EQ(m.CurrentTrack(), 1);
}

TEST_F(MusicTest, EverythingIsSafeBeforeCreationAndAfterDestruction) {
  Music& m = Make();
  m.StopMusic();
  m.ResumeMusic();
  m.OnMusicTimer(false);
  m.OnMinimise();
  m.OnRestore();
  EXPECT_FALSE(m.IsMusicPlaying());
  m.CreateMusicPlayer();
  m.StartMusic();
  m.DestroyMusicPlayer();
  EXPECT_FALSE(m.HasPlayer());
  EXPECT_EQ(log.destroyed, 1);
  m.StopMusic();
  m.ResumeMusic();
  m.OnMusicTimer(false);
  m.NextTrack();
  EXPECT_FALSE(m.IsMusicPlaying());
}

TEST(MusicSettingsFile, LastSongIsReadAndWrittenThroughTheProfileFile) {
  platform::testing::TestDir dir;
  const std::string ini = dir / "settings.ini";
  dir.Put("settings.ini", "[Options]\r\nMusic=1\r\n\r\n[Music]\r\nLastSong=10\r\n");
  SettingsAccess access{
      [&](std::string_view section, std::string_view key) {
        return platform::GetProfileString(ini, section, key, "");
      },
      [&](std::string_view section, std::string_view key, std::string_view value) {
        platform::WriteProfileString(ini, section, key, value);
      }};
  PlayerLog log;
  bool musicEnabled = true;
  Music m(dir.path(), access, musicEnabled, [&] { return std::make_unique<FakeTracker>(log); });
  m.CreateMusicPlayer();
  m.StartMusic();
  EXPECT_EQ(log.calls.front(), "load track10.pak");
  EXPECT_EQ(platform::GetProfileString(ini, "Music", "LastSong", ""), "1");
  m.NextTrack();
  EXPECT_EQ(platform::GetProfileString(ini, "Music", "LastSong", ""), "2");
  EXPECT_EQ(platform::GetProfileString(ini, "Options", "Music", ""), "1");
}

// ---- the SDL_mixer player -------------------------------------------------------------------

// A small valid ProTracker module: one square-wave sample and one pattern at speed 1 and
// tempo 255, so it lasts about 0.6 s.
std::string TinyModule() {
  std::string mod(20, '\0');
  const int sampleWords = 32;
  for (int s = 0; s < 31; ++s) {
    std::string header(30, '\0');
    if (s == 0) {
      header[22] = 0;
      header[23] = static_cast<char>(sampleWords);
      header[25] = 64;  // volume
      header[29] = 1;   // no loop
    } else {
      header[29] = 1;
    }
    mod += header;
  }
  mod += static_cast<char>(1);    // one order
  mod += static_cast<char>(127);  // restart byte, unused
  mod += std::string(128, '\0');  // order 0 = pattern 0
  mod += "M.K.";
  std::string pattern(1024, '\0');
  auto cell = [&](int row, int channel, int sample, int period, int effect, int param) {
    const std::size_t at = static_cast<std::size_t>((row * 4 + channel) * 4);
    pattern[at] = static_cast<char>((sample & 0xF0) | ((period >> 8) & 0x0F));
    pattern[at + 1] = static_cast<char>(period & 0xFF);
    pattern[at + 2] = static_cast<char>(((sample & 0x0F) << 4) | effect);
    pattern[at + 3] = static_cast<char>(param);
  };
  cell(0, 0, 1, 428, 0xF, 0x01);
  cell(0, 1, 0, 0, 0xF, 0xFF);
  mod += pattern;
  for (int i = 0; i < sampleWords * 2; ++i) mod += static_cast<char>(i % 16 < 8 ? 60 : -60);
  return mod;
}

class MixerPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("SDL_AUDIODRIVER", "dummy", 0); }
  // Waits (in real time: the dummy device plays at its own pace) until the player is quiet.
  static bool EndsWithin(TrackerPlayer& player, int milliseconds) {
    const Uint64 until = SDL_GetTicks64() + static_cast<Uint64>(milliseconds);
    while (SDL_GetTicks64() < until) {
      if (!player.IsPlaying()) return true;
      SDL_Delay(20);
    }
    return !player.IsPlaying();
  }
  platform::testing::TestDir dir;
};

TEST_F(MixerPlayerTest, PlaysOnceThroughStopsResumesAndEnds) {
  dir.Put("data/music/track1.pak", TinyModule());
  MixerTrackerPlayer player;
  ASSERT_TRUE(player.HasOutput());
  EXPECT_FALSE(player.IsPlaying());
  player.Play();  // nothing loaded yet
  EXPECT_FALSE(player.IsPlaying());
  ASSERT_TRUE(player.Load(dir / "data/music/track1.pak"));
  EXPECT_FALSE(player.IsPlaying());
  player.SetVolume(100);
  player.Play();
  EXPECT_TRUE(player.IsPlaying());
  player.Stop();
  EXPECT_FALSE(player.IsPlaying());
  SDL_Delay(800);  // a stopped track does not run out meanwhile
  player.Play();
  EXPECT_TRUE(player.IsPlaying());
  EXPECT_TRUE(EndsWithin(player, 5000));
  // Once through only: a play after the end does not start it over.
  player.Play();
  EXPECT_FALSE(player.IsPlaying());
}

TEST_F(MixerPlayerTest, FilesThatAreNoModulesDoNotLoad) {
  dir.Put("data/music/track2.pak", "");
  dir.Put("data/music/track3.pak", std::string(5000, 'x'));
  dir.Put("data/music/track4.pak", TinyModule().substr(0, 600));
  // a playable module buried in a file far larger than any track: not read at all
  dir.Put("data/music/track6.pak", TinyModule() + std::string(17u << 20, '\0'));
  MixerTrackerPlayer player;
  for (const char* file : {"track2.pak", "track3.pak", "track4.pak", "track5.pak", "track6.pak"}) {
    EXPECT_FALSE(player.Load(dir / (std::string("data/music/") + file))) << file;
    player.Play();
    EXPECT_FALSE(player.IsPlaying()) << file;
  }
}

TEST(MixerPlayerWithoutDevice, LoadsNothingAndTheMusicStaysQuiet) {
  const char* old = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = old != nullptr ? old : "";
  ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  platform::testing::TestDir dir;
  dir.Put("data/music/track1.pak", TinyModule());
  {
    std::map<std::string, std::string> settings;
    SettingsAccess access{[&](std::string_view, std::string_view) { return std::string("1"); },
                          [&](std::string_view s, std::string_view k, std::string_view v) {
                            settings[std::string(s) + "/" + std::string(k)] = std::string(v);
                          }};
    bool musicEnabled = true;
    Music m(dir.path(), access, musicEnabled);
    m.CreateMusicPlayer();
    m.StartMusic();
    EXPECT_FALSE(m.IsMusicPlaying());
    m.OnMusicTimer(false);
    EXPECT_EQ(m.CurrentTrack(), 1);
    EXPECT_EQ(settings["Music/LastSong"], "2");
    m.DestroyMusicPlayer();
  }
  if (old != nullptr) {
    ::setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  } else {
    ::unsetenv("SDL_AUDIODRIVER");
  }
}

// The generated tracks of the program folder start through the real player.
TEST_F(MixerPlayerTest, GeneratedTracksStartPlaying) {
  const char* dist = std::getenv("FROSTLIDE_DIST");
  if (dist == nullptr) GTEST_SKIP() << "FROSTLIDE_DIST not set";
  std::map<std::string, std::string> settings{{"Music/LastSong", "10"}};
  SettingsAccess access{
      [&](std::string_view s, std::string_view k) { return settings[std::string(s) + "/" + std::string(k)]; },
      [&](std::string_view s, std::string_view k, std::string_view v) {
        settings[std::string(s) + "/" + std::string(k)] = std::string(v);
      }};
  bool musicEnabled = true;
  Music m(std::string(dist) + "/", access, musicEnabled);
  m.CreateMusicPlayer();
  m.StartMusic();
  for (int track = 1; track <= kTrackCount; ++track) {
    if (track > 1) m.NextTrack();
    EXPECT_EQ(m.CurrentTrack(), track == 1 ? 10 : track - 1);
    EXPECT_TRUE(m.IsMusicPlaying()) << "track " << m.CurrentTrack();
  }
  m.DestroyMusicPlayer();
}

}  // namespace
}  // namespace presentation
