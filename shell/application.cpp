#include "shell/application.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/user_folder.h"

namespace shell {

namespace {

class SystemClock final : public engine::Clock {
 public:
  std::uint32_t TickCount() override { return platform::TickCount(); }
  void Sleep(std::uint32_t ms) override { platform::SleepMs(ms); }
};

// The sound effects open the audio device, which start-up does late (with the music); the
// engine and the screens hold this from the start.
class SoundRelay final : public engine::SoundPlayer {
 public:
  explicit SoundRelay(std::unique_ptr<presentation::SoundEffects>& target) : target_(target) {}
  void PlaySoundEffect(std::string_view name) override {
    if (target_) target_->PlaySoundEffect(name);
  }

 private:
  std::unique_ptr<presentation::SoundEffects>& target_;
};

bool ContainsNoCase(const std::string& haystack, const std::string& needle) {
  if (needle.empty()) return true;
  if (needle.size() > haystack.size()) return false;
  for (std::size_t i = 0; i + needle.size() <= haystack.size(); ++i)
    if (platform::EqualsNoCase(std::string_view(haystack).substr(i, needle.size()), needle)) return true;
  return false;
}

// The font the game's pictures are drawn with, as the desktop installs it.
constexpr const char* kSystemFont = "/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf";

std::string Absolute(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  char buf[PATH_MAX];
  if (!::getcwd(buf, sizeof buf)) return path;
  std::string cwd(buf);
  if (cwd.empty() || cwd.back() != '/') cwd += '/';
  return cwd + path;
}

}  // namespace

// --- frmMain -------------------------------------------------------------------------------

void MainWindowScreen::DrawInto(Surface& frame, int x, int y) const {
  if (flags_.mainMenuVisible) menu_.DrawInto(frame, x, y);
  else game_.DrawInto(frame, x, y);
}

void MainWindowScreen::HandleInput(const InputEvent& e) {
  if (e.type == InputType::KeyUp) {
    // The board keeps the keyboard focus behind the menu; it ignores keys while the menu shows.
    game_.HandleInput(e);
    return;
  }
  if (flags_.mainMenuVisible) menu_.HandleInput(e);
  else game_.HandleInput(e);
}

void MainWindowScreen::Paint() {
  menu_.Paint();
  game_.Paint();
}

bool MainWindowScreen::TakeRepaintRequest() {
  bool r = menu_.TakeRepaintRequest();
  r = game_.TakeRepaintRequest() || r;
  if (shownMenu_ != flags_.mainMenuVisible) {
    shownMenu_ = flags_.mainMenuVisible;
    r = true;
  }
  return r;
}

// --- Application ---------------------------------------------------------------------------

Application::Application(StartOptions options) : options_(std::move(options)) {
  if (options_.systemBox) {
    systemBox_ = options_.systemBox;
  } else {
    sdlBox_ = std::make_unique<presentation::SdlMessageBox>("Frostlide", options_.platformBox);
    systemBox_ = sdlBox_.get();
  }
}

Application::~Application() {
  // Screens refer to everything else; they go first.
  screens_.reset();
  services_.reset();
  if (window_) {
    window_->SetMainScreen(nullptr);
    window_->SetListener(nullptr);
  }
  if (renderer_) renderer_->SetScreen(nullptr);
}

bool Application::ImportDialogue(const std::string& commandLine) {
  const std::string given = Absolute(commandLine);
  if (!FileExists(given)) return true;
  const std::string p = GetLongFileName(given);
  if (p.size() < 4 || p.compare(p.size() - 4, 4, ".cdn") != 0) return true;

  auto ask = [this](const std::string& q) { return SystemMessage(q, engine::MessageIcon::Question, true); };
  if (ContainsNoCase(p, appPath_ + "levels") || ContainsNoCase(p, folders_.writablePath + "levels")) {
    startPackPath_ = p;
  } else if (!ask("Would you like to import the " + p + " level pack to your level collection?")) {
    startPackPath_ = p;
  } else {
    const std::string folder = platform::WritableCounterpart(folders_, appPath_ + "levels/");
    const std::string d = folder + platform::FileNamePart(p);
    bool copy = true;
    if (FileExists(d)) {
      if (!ask("You already have a level pack with this name. Overwrite?")) {
        copy = false;
        startPackPath_ = p;
      } else if (platform::SameFile(p, d)) {
        // The pack is already the one in the collection: nothing to copy, nothing to delete.
        copy = false;
        startPackPath_ = d;
      } else {
        // The copy replaces the old pack in one step, so a failed copy keeps it.
        platform::ResetAttributes(d);
      }
    }
    if (copy) {
      if (platform::MakeDirs(folder) && platform::CopyFile(p, d)) {
        startPackPath_ = platform::ResolvePath(d);
      } else {
        SystemMessage("Could not copy the level pack into your level collection (" + d +
                          "). It can still be played from where it is.",
                      engine::MessageIcon::Warning, false);
        startPackPath_ = p;
      }
    }
  }
  if (!ask("Would you like to play this level pack now?")) return false;
  startPackPending_ = true;
  return true;
}

StartResult Application::Main() {
  // 1-3
  flags_.suppressFade = true;
  appPath_ = options_.appPath.empty() ? platform::ExecutableDir() : options_.appPath;
  if (appPath_.empty() || appPath_.back() != '/') appPath_ += '/';
  folders_ = platform::ResolveProgramFolders(appPath_);
  startPackPending_ = false;

  std::string fontPath = options_.fontPath.empty() ? platform::ResolvePath(appPath_ + "data/fonts/OpenSans-Bold.ttf")
                                                   : options_.fontPath;
  if (sdlBox_) sdlBox_->SetArt({appPath_, {fontPath, kSystemFont}});

  // 4: a level pack named on the command line. Test play asks nothing: the pack is a copy
  // the editor made, played where it is.
  if (options_.testLevel > 0) {
    startPackPath_ = Absolute(options_.commandLine);
    startPackPending_ = true;
  } else if (!ImportDialogue(options_.commandLine)) {
    if (!boxFailed_) return StartResult::Declined;
    std::fprintf(stderr, "Frostlide: no message box could be shown, so the questions went unanswered\n");
    return StartResult::Failed;
  }

  // 5: settings.ini, created on the first run (which asks about full screen).
  settings_ = std::make_unique<Settings>(platform::UserFilePath(folders_, appPath_ + "settings.ini"), *this);
  settings_->firstRun = false;
  if (options_.writeNothing)
    settings_->KeepInMemory();
  else if (!FileExists(settings_->settingsPath))
    settings_->CreateDefaultSettings();

  // 6-7: the desktop's mode is read through the (hidden) main window, which the window-style
  // object takes as its client.
  presentation::WindowOptions wo;
  wo.title = "Frostlide";
  wo.iconPath = platform::ResolvePath(appPath_ + "data/sprites/gui/icon.png");
  wo.cursorPath = platform::ResolvePath(appPath_ + "data/sprites/gui/cursor.png");
  // The pointer picture's tip is two pixels in from its top-left corner.
  wo.cursorHotX = 2;
  wo.cursorHotY = 2;
  std::string error;
  window_ = presentation::Window::Create(wo, &error);
  if (!window_) {
    std::fprintf(stderr, "Frostlide: cannot open the window (%s)\n", error.c_str());
    return StartResult::Failed;
  }
  display_ = std::make_unique<presentation::DisplayMode>(*window_, style_);
  display_->SaveDisplayMode();
  style_.SetClient(window_.get());

  // 8
  display_->RecordWindowSize(presentation::kFrameWidth, presentation::kFrameHeight);

  // 9
  settings_->LoadSettings();
  // The window's scale: the player's own choice where the desktop holds it, else what suits it.
  const int scale = settings_->ReadWindowScale();
  window_->SetScale(scale != 0 ? std::min(scale, window_->LargestScale()) : window_->DefaultScale());
  OnWindowScaled(window_->Scale());

  // 10. An installed game whose package already declares the association for everyone leaves
  // the player's desktop folders alone; a test play writes nothing at all.
  if (!options_.writeNothing &&
      (options_.associationPlaces || !folders_.Separate() || !SystemDeclaresFileType("Frostlide", SystemDataDirs()))) {
    RegisterFileType("Frostlide", "cdn", "Frostlide Level Pack", appPath_ + "data/sprites/gui/icon.png",
                     appPath_ + options_.programName,
                     options_.associationPlaces ? *options_.associationPlaces : DefaultAssociationPlaces(),
                     options_.desktopTool ? options_.desktopTool : ToolRunner(RunDesktopTool));
  }

  // 11: the main window and everything its screens use.
  clock_ = std::make_unique<SystemClock>();
  sprites_ = std::make_unique<presentation::SpriteStore>(appPath_, *this, options_.terminate);
  soundRelay_ = std::make_unique<SoundRelay>(sound_);
  engine::SoundPlayer& sound = *soundRelay_;
  renderer_ = std::make_unique<presentation::BoardRenderer>(*sprites_, *clock_, &settings_->fadeEffect,
                                                            &flags_.suppressFade);
  engine::GameSettings gs;
  gs.animationLevel = settings_->animationLevel;
  gs.appPath = appPath_;
  game_ = std::make_unique<engine::Game>(engine::GamePorts{*renderer_, sound, *this, *clock_, *this}, gs);
  // Test play: progress and records stay in memory.
  game_->SetWritesFiles(!options_.writeNothing);
  game_->SetWritablePathMapping(
      [folders = folders_](const std::string& path) { return platform::UserFilePath(folders, path); });
  presentation::SettingsAccess access{
      [this](std::string_view s, std::string_view k) { return settings_->ReadSetting(s, k); },
      [this](std::string_view s, std::string_view k, std::string_view v) { settings_->WriteSetting(s, k, v); }};
  music_ = std::make_unique<presentation::Music>(appPath_, access, settings_->musicEnabled, options_.musicPlayer);
  messageBox_ = std::make_unique<GameMessageBox>(*window_, *sprites_, sound);
  font_ = presentation::TextRenderer::Open(fontPath, 12);
  if (!font_) font_ = presentation::TextRenderer::Open(kSystemFont, 12);
  messageBox_->SetFont(font_.get());
  panelFont_ = presentation::TextRenderer::Open(fontPath, 13);
  if (!panelFont_) panelFont_ = presentation::TextRenderer::Open("/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf", 13);

  auto screens = [this]() -> SecondaryScreens& { return Screens(); };
  mainMenu_ = std::make_unique<MainMenu>(MainMenuDeps{
      appPath_, *sprites_, sound, *this, *this, *settings_, *display_, screens,
      [this] {
        const bool opened = options_.openDesktop ? OpenWebPage(options_.openDesktop) : OpenWebPage();
        if (!opened) {
          ShowMessage(kNoBrowserMessage, false);
          ShowMessage(kWebPageAddress, false);
        }
      },
      options_.startProgram ? options_.startProgram
                            : [](const std::string& p, const std::vector<std::string>& a) {
                                return platform::StartProgram(p, a);
                              },
      [this] { QuitGame(); }});
  gameScreen_ = std::make_unique<GameScreen>(GameScreenDeps{
      *sprites_, sound, *this, *game_, *settings_, flags_, screens,
      [this](const Surface& box, int x, int y) { window_->PresentRegion(box, x, y); }, appPath_, window_.get(),
      options_.solver, panelFont_.get(), font_.get()});
  renderer_->SetScreen(gameScreen_.get());
  mainWindow_ = std::make_unique<MainWindowScreen>(*mainMenu_, *gameScreen_, flags_);
  window_->SetMainScreen(mainWindow_.get());
  window_->SetListener(this);
  services_ = std::make_unique<AppServices>(AppServices{appPath_, *window_, sound, *this, *sprites_, *settings_,
                                                        *game_, *display_, *music_, *this, colorBlindOption_});
  screens_ = options_.screens ? options_.screens(*services_) : CreateSecondaryScreens(*services_);

  // 12-14
  game_->ResetUndoHistory();
  sprites_->CreateSurfaces();
  sprites_->LoadSprites(settings_->colorBlindMode);

  // 15: sound and music share the audio device, opened here.
  sound_ = options_.effects
               ? std::make_unique<presentation::SoundEffects>(appPath_, settings_->soundEnabled, *options_.effects)
               : std::make_unique<presentation::SoundEffects>(appPath_, settings_->soundEnabled);
  music_->CreateMusicPlayer();
  music_->StartMusic();

  // 16-17
  colorBlindOption_ = settings_->colorBlindMode;
  mainMenu_->ComposeMainMenu();
  gameScreen_->ComposeGameMenu();

  // 18
  if (startPackPending_) {
    if (options_.testLevel > 0)
      StartTestLevel(startPackPath_, options_.testLevel);
    else
      StartLevelPack(startPackPath_);
  }

  // 19-20
  window_->Show();
  if (sdlBox_) {
    sdlBox_->SetParent(window_->sdlWindow());
    sdlBox_->SetModalRunner(window_.get());
  }
  if (settings_->ReadFullScreen()) display_->SetFullScreen(true);
  flags_.suppressFade = false;
  return StartResult::Running;
}

int Application::Run() {
  if (window_ && !quitting_) window_->Run();
  return 0;
}

bool Application::StartLevelPack(const std::string& path) {
  if (!game_->OpenPack(path)) return false;
  flags_.suppressFade = true;
  game_->BeginPack();
  flags_.mainMenuVisible = false;
  flags_.suppressFade = false;
  return true;
}

bool Application::StartTestLevel(const std::string& path, int n) {
  if (!game_->OpenPack(path)) return false;
  flags_.suppressFade = true;
  // The pack starts as any other does (progress and records as they are read, nothing
  // written); then the chosen level is played, even where it would be locked.
  game_->BeginPack();
  const int level = std::clamp(n, 1, game_->state().numberOfLevels);
  if (game_->state().currentLevel != level) game_->LoadLevel(level);
  flags_.mainMenuVisible = false;
  flags_.suppressFade = false;
  return true;
}

void Application::QuitGame() {
  if (quitting_) return;
  quitting_ = true;
  if (display_ && display_->fullScreen()) display_->RestoreDisplayMode();
  if (sprites_) {
    sprites_->ReleaseSurfaces();
    sprites_->surfaces().picbg = presentation::Surface();
  }
  if (music_) music_->DestroyMusicPlayer();
  // A search under way stops at once.
  if (gameScreen_) gameScreen_->panel().Stop();
  if (game_) {
    game_->ClearBoard();
    game_->ResetUndoHistory();
  }
  if (window_) window_->RequestQuit();
}

void Application::CloseRequested() {
  if (quitting_) return;
  if (!ShowMessage("Are you sure want to quit Frostlide?", true)) return;
  if (display_->fullScreen()) display_->SetFullScreen(false);
  QuitGame();
}

bool Application::ShowMessage(const std::string& text, bool yesNo) {
  if (!messageBox_) return SystemMessage(text, yesNo ? engine::MessageIcon::Question : engine::MessageIcon::None, yesNo);
  const bool answer = messageBox_->ShowMessage(text, yesNo);
  return yesNo && answer;
}

bool Application::SystemMessage(const std::string& text, engine::MessageIcon icon, bool yesNo) {
  // A copy for the terminal and the session log, whatever becomes of the box.
  std::fprintf(stderr, "Frostlide: %s\n", text.c_str());
  const std::optional<bool> answer = systemBox_->Show(text, icon, yesNo);
  if (!answer) {
    boxFailed_ = true;
    return false;
  }
  return *answer;
}

void Application::RedrawGameMenu() {
  if (gameScreen_) gameScreen_->ComposeGameMenu();
}

void Application::ClearGameMenuHighlight() {
  if (gameScreen_) gameScreen_->ClearHighlight();
}

void Application::ShowCredits() {
  mainMenu_->ShowCredits();
  flags_.mainMenuVisible = true;
}

void Application::RunGameMenuCommand(int item) { gameScreen_->GameMenuAction(item); }

void Application::OnScaleChanged(int scale) {
  settings_->WriteWindowScale(scale);
  OnWindowScaled(scale);
}

void Application::OnWindowScaled(int scale) {
  // Leaving full screen gives the window back this size.
  display_->RecordWindowSize(presentation::kFrameWidth * scale, presentation::kFrameHeight * scale);
}

void Application::LevelSetUp() {
  if (gameScreen_) gameScreen_->panel().LevelSetUp();
}

void Application::PositionChanged() {
  if (gameScreen_) gameScreen_->panel().PositionChanged();
}

void Application::LevelSolved(int level, int moves, bool newBest) {
  if (gameScreen_) gameScreen_->panel().LevelSolved(level, moves, newBest);
}

void Application::OnMusicTimer() { music_->OnMusicTimer(window_->Minimized()); }
void Application::OnMinimized() { music_->OnMinimise(); }
void Application::OnRestored() { music_->OnRestore(); }

}  // namespace shell
