#pragma once
// The game's pictures: every sprite file loaded once into its own surface, the eight surfaces
// the screens are composed on, and the board's background surface picbg.
#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ports.h"
#include "presentation/surface.h"

namespace presentation {

// "red", "blue", "green", "violet", "black", "orange" for the colour codes 1..6; "" otherwise.
std::string ColorName(int code);

// The composition surfaces (created by CreateSurfaces) and picbg, the board's background,
// which exists from the start (it belongs to the main window, not to the eight).
struct Surfaces {
  Surface boardBuffer;         // 465 x 465, shown in CubeBox
  Surface menuSurface;         // 640 x 480, picMainMenu
  Surface gameSurface;         // 640 x 480, picGame
  Surface messageSurface;      // 304 x 140, picMsg
  Surface customSurface;       // 268 x 180, picPlayCustom
  Surface levelSelectSurface;  // 304 x 349, picSelectLevel
  Surface optionsSurface;      // 304 x 313, picOptions
  Surface howToPlaySurface;    // 503 x 431, picHowToPlay
  Surface picbg;               // 465 x 465, never shown
};

class SpriteStore {
 public:
  // Called after a sprite failed to load and the message was shown. The real one ends the
  // program at once; a test's may return, and loading then goes on without that sprite.
  using TerminateFn = std::function<void()>;

  // appPath: the program folder, ending in '/' (one is added when missing). prompt shows the
  // load-failure message. terminate defaults to std::_Exit(1).
  SpriteStore(std::string appPath, engine::Prompt& prompt, TerminateFn terminate = {});
  SpriteStore(const SpriteStore&) = delete;
  SpriteStore& operator=(const SpriteStore&) = delete;

  const std::string& appPath() const { return appPath_; }

  Surfaces& surfaces() { return surfaces_; }
  const Surfaces& surfaces() const { return surfaces_; }

  // Creates the eight composition surfaces at their sizes (filled black).
  void CreateSurfaces();
  // ReleaseSprites, then drops the eight composition surfaces.
  void ReleaseSurfaces();

  // Loads the image at fullPath (resolved without regard to letter case), appends it to
  // SpriteList and returns it. On failure shows "Error has occured. " + fullPath +
  // " unable to load!" and terminates; if terminate returns, the result is nullptr.
  Surface* LoadSprite(const std::string& fullPath);
  // The fixed set: board sprites except the block set, then every screen sprite, in the
  // documented order. colorBlindMode picks the plain cubes, spheres and sphere mask.
  void LoadSprites(bool colorBlindMode);
  // Replaces BlockSprite and CrackedBlockSprite by those of scenery n.
  void LoadBlockSet(int n);
  // Releases every sprite once and empties SpriteList; every slot then refers to nothing.
  void ReleaseSprites();

  // A picture that is not a sprite (the level backgrounds), by path relative to appPath,
  // with the same failure handling as LoadSprite. Not kept in SpriteList.
  std::optional<Surface> LoadPicture(const std::string& relativePath);

  // Board sprites by id. A slot that holds nothing (not loaded, or an id out of range) gives
  // an empty surface, which draws nothing.
  const Surface& Get(engine::SpriteId id) const;
  // Screen sprites by file name without ".bmp" ("mainmenu", "mainmenuhighlight3",
  // "selectlevelnumberswon", ...). FindSprite gives nullptr, sprite() an empty surface,
  // for a name that is not loaded.
  const Surface* FindSprite(std::string_view name) const;
  const Surface& sprite(std::string_view name) const;

  bool colorBlindMode() const { return colorBlindMode_; }

  // The list that owns the sprite surfaces, in load order.
  const std::vector<std::unique_ptr<Surface>>& SpriteList() const { return spriteList_; }
  // Sprite surfaces loaded and released so far (for checking that nothing leaks or is freed
  // twice).
  std::size_t loadedCount() const { return loadedCount_; }
  std::size_t releasedCount() const { return releasedCount_; }

 private:
  void ReportLoadFailure(const std::string& fullPath);
  Surface* LoadGui(const std::string& name);
  void Release(Surface*& slot);

  std::string appPath_;
  engine::Prompt& prompt_;
  TerminateFn terminate_;
  Surfaces surfaces_;
  bool colorBlindMode_ = false;

  std::vector<std::unique_ptr<Surface>> spriteList_;
  std::size_t loadedCount_ = 0;
  std::size_t releasedCount_ = 0;

  // Slots refer into spriteList_.
  std::array<std::array<Surface*, 7>, 5> cube_{};  // [arrow 0..4][colour 1..6]
  std::array<Surface*, 7> sphere_{};               // [colour 1..6]
  Surface* cubeMask_ = nullptr;
  Surface* sphereMask_ = nullptr;
  Surface* blockMask_ = nullptr;
  Surface* crushBlock_ = nullptr;
  Surface* block_ = nullptr;
  Surface* crackedBlock_ = nullptr;
  std::map<std::string, Surface*, std::less<>> gui_;
};

}  // namespace presentation
