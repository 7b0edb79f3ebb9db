#include "presentation/sprite_store.h"

#include <algorithm>
#include <cstdlib>

#include "platform/paths.h"
#include "presentation/image.h"

namespace presentation {

namespace {

const Surface kNoSprite{};

constexpr const char* kCubes = "data/sprites/cubes/";
constexpr const char* kSpheres = "data/sprites/spheres/";
constexpr const char* kBlocks = "data/sprites/blocks/";
constexpr const char* kGui = "data/sprites/gui/";

// Screen sprites after the board sprites, in load order.
constexpr const char* kScreenSprites[] = {
    "mainmenu", "gamemenu", "gamemenudisabled1", "gamemenudisabled3", "msg", "msgclose",
    "msgclosehigh", "msgno", "msgnohigh", "msgyes", "msgyeshigh", "playcustom",
    "playcustomhigh1", "playcustomhigh2", "playcustomhigh3", "selectlevel",
    "selectlevelnumbers", "selectlevelnumbersdisabled", "selectlevelnumberswon",
    "selectlevelnumbersselected", "selectlevelcancelhigh", "options", "optionshigh7",
    "optionscheckboxchecked", "optionscheckboxunchecked", "credits", "howtoplay",
    "howtoplayhigh1"};

}  // namespace

std::string ColorName(int code) {
  switch (code) {
    case 1: return "red";
    case 2: return "blue";
    case 3: return "green";
    case 4: return "violet";
    case 5: return "black";
    case 6: return "orange";
    default: return "";
  }
}

SpriteStore::SpriteStore(std::string appPath, engine::Prompt& prompt, TerminateFn terminate)
    : appPath_(std::move(appPath)), prompt_(prompt), terminate_(std::move(terminate)) {
  if (!appPath_.empty() && appPath_.back() != '/') appPath_ += '/';
  if (!terminate_) terminate_ = [] { std::_Exit(1); };
  surfaces_.picbg = Surface(engine::kBoardPixels, engine::kBoardPixels);
}

void SpriteStore::CreateSurfaces() {
  surfaces_.boardBuffer = Surface(465, 465);
  surfaces_.menuSurface = Surface(640, 480);
  surfaces_.gameSurface = Surface(640, 480);
  surfaces_.messageSurface = Surface(304, 140);
  surfaces_.customSurface = Surface(268, 180);
  surfaces_.levelSelectSurface = Surface(304, 349);
  surfaces_.optionsSurface = Surface(304, 313);
  surfaces_.howToPlaySurface = Surface(503, 431);
}

void SpriteStore::ReleaseSurfaces() {
  ReleaseSprites();
  for (Surface* s : {&surfaces_.boardBuffer, &surfaces_.menuSurface, &surfaces_.gameSurface,
                     &surfaces_.messageSurface, &surfaces_.customSurface,
                     &surfaces_.levelSelectSurface, &surfaces_.optionsSurface,
                     &surfaces_.howToPlaySurface})
    *s = Surface();
}

void SpriteStore::ReportLoadFailure(const std::string& fullPath) {
  prompt_.SystemMessage("Error has occured. " + fullPath + " unable to load!",
                        engine::MessageIcon::None, false);
  terminate_();
}

Surface* SpriteStore::LoadSprite(const std::string& fullPath) {
  std::optional<Surface> image = LoadImage(platform::ResolvePath(fullPath));
  if (!image) {
    ReportLoadFailure(fullPath);
    return nullptr;
  }
  spriteList_.push_back(std::make_unique<Surface>(std::move(*image)));
  ++loadedCount_;
  return spriteList_.back().get();
}

std::optional<Surface> SpriteStore::LoadPicture(const std::string& relativePath) {
  const std::string fullPath = appPath_ + relativePath;
  std::optional<Surface> image = LoadImage(platform::ResolvePath(fullPath));
  if (!image) ReportLoadFailure(fullPath);
  return image;
}

Surface* SpriteStore::LoadGui(const std::string& name) {
  Surface* s = LoadSprite(appPath_ + kGui + name + ".bmp");
  if (s) gui_[name] = s;
  return s;
}

void SpriteStore::LoadSprites(bool colorBlindMode) {
  colorBlindMode_ = colorBlindMode;
  const std::string cubes = appPath_ + kCubes;
  const std::string spheres = appPath_ + kSpheres;
  const std::string blind = colorBlindMode ? "colorblind" : "";
  for (int c = 1; c <= engine::kColorCount; ++c) {
    const std::string name = ColorName(c);
    const auto i = static_cast<std::size_t>(c);
    cube_[0][i] = LoadSprite(cubes + name + "cube" + blind + ".bmp");
    cube_[1][i] = LoadSprite(cubes + name + "cubeleft.bmp");
    cube_[3][i] = LoadSprite(cubes + name + "cubetop.bmp");
    cube_[2][i] = LoadSprite(cubes + name + "cuberight.bmp");
    cube_[4][i] = LoadSprite(cubes + name + "cubebottom.bmp");
    sphere_[i] = LoadSprite(spheres + name + "sphere" + blind + ".bmp");
    const std::string n = std::to_string(c);
    LoadGui("mainmenuhighlight" + n);
    LoadGui("gamemenuhighlight" + n);
    LoadGui("optionshigh" + n);
  }
  sphereMask_ = LoadSprite(spheres + "spheremask" + blind + ".bmp");
  blockMask_ = LoadSprite(appPath_ + kBlocks + "blockmask.bmp");
  cubeMask_ = LoadSprite(cubes + "cubemask.bmp");
  crushBlock_ = LoadSprite(appPath_ + kBlocks + "crushblock.bmp");
  for (const char* name : kScreenSprites) LoadGui(name);
}

void SpriteStore::Release(Surface*& slot) {
  if (slot == nullptr) return;
  auto it = std::find_if(spriteList_.begin(), spriteList_.end(),
                         [&](const std::unique_ptr<Surface>& p) { return p.get() == slot; });
  if (it != spriteList_.end()) {
    spriteList_.erase(it);
    ++releasedCount_;
  }
  slot = nullptr;
}

void SpriteStore::LoadBlockSet(int n) {
  Release(block_);
  Release(crackedBlock_);
  const std::string base = appPath_ + kBlocks + "block" + std::to_string(n);
  block_ = LoadSprite(base + ".bmp");
  crackedBlock_ = LoadSprite(base + "chapped.bmp");
}

void SpriteStore::ReleaseSprites() {
  releasedCount_ += spriteList_.size();
  spriteList_.clear();
  for (auto& arrow : cube_) arrow.fill(nullptr);
  sphere_.fill(nullptr);
  cubeMask_ = sphereMask_ = blockMask_ = crushBlock_ = block_ = crackedBlock_ = nullptr;
  gui_.clear();
}

const Surface& SpriteStore::Get(engine::SpriteId id) const {
  const Surface* s = nullptr;
  const bool colorOk = id.color >= 1 && id.color <= engine::kColorCount;
  switch (id.kind) {
    case engine::SpriteKind::Cube:
      if (colorOk && id.arrow >= 0 && id.arrow <= 4)
        s = cube_[static_cast<std::size_t>(id.arrow)][static_cast<std::size_t>(id.color)];
      break;
    case engine::SpriteKind::Sphere:
      if (colorOk) s = sphere_[static_cast<std::size_t>(id.color)];
      break;
    case engine::SpriteKind::CubeMask: s = cubeMask_; break;
    case engine::SpriteKind::SphereMask: s = sphereMask_; break;
    case engine::SpriteKind::BlockMask: s = blockMask_; break;
    case engine::SpriteKind::Block: s = block_; break;
    case engine::SpriteKind::CrackedBlock: s = crackedBlock_; break;
    case engine::SpriteKind::CrushBlock: s = crushBlock_; break;
  }
  return s ? *s : kNoSprite;
}

const Surface* SpriteStore::FindSprite(std::string_view name) const {
  auto it = gui_.find(name);
  return it == gui_.end() ? nullptr : it->second;
}

const Surface& SpriteStore::sprite(std::string_view name) const {
  const Surface* s = FindSprite(name);
  return s ? *s : kNoSprite;
}

}  // namespace presentation
