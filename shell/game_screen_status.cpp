// The game screen's status panel: its hint button and key, and its drawing over the column's
// art (the level, moves, par and best in the panel at the top, the notices on the drift below
// the items, the hint's arrow flashing on its cube).
#include <algorithm>
#include <cmath>
#include <string>

#include "presentation/text.h"
#include "shell/game_screen.h"

namespace shell {

namespace {
// The places the column's art (tools/assetgen, screen_art.cpp) leaves for the panel.
constexpr int kHintLeft = 104, kHintTop = 84, kHintRight = 155, kHintBottom = 105;
constexpr int kLevelCentreX = 84, kLevelTop = 39;
constexpr int kRowLeft = 14, kParRight = 154, kMovesTop = 61, kBestTop = 85;
constexpr int kNoticeLeft = 6, kNoticeTop = 408, kNoticeWidth = 156;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kFrost = 0xBFE3F5;
constexpr std::uint32_t kGold = 0xF0C24B;
constexpr std::uint32_t kOutline = 0x0B1B29;

// White (or coloured) text with a one-pixel dark outline, as every label of the game.
void OutlinedText(Surface& s, const presentation::TextRenderer& font, int x, int y, const std::string& text,
                  std::uint32_t colour) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (dx != 0 || dy != 0) font.DrawText(s, x + dx, y + dy, text, kOutline);
  font.DrawText(s, x, y, text, colour);
}

int TextWidth(const presentation::TextRenderer& font, const std::string& text) {
  int w = 0, h = 0;
  font.Measure(text, w, h);
  return w;
}

// Night glass behind a notice: rounded, see-through, with a frost rim, so it reads over the
// drift's white snow.
void NoticePlate(Surface& s, int x, int y, int w, int h) {
  constexpr float kRadius = 7.0f;
  auto blend = [&s](int px, int py, std::uint32_t c, float a) {
    if (px < 0 || py < 0 || px >= s.width() || py >= s.height() || a <= 0.0f) return;
    const std::uint32_t d = s.pixel(px, py);
    auto mix = [a](std::uint32_t from, std::uint32_t to, int shift) {
      const float f = static_cast<float>((from >> shift) & 0xFF), t = static_cast<float>((to >> shift) & 0xFF);
      return static_cast<std::uint32_t>(std::lround(f + (t - f) * a)) << shift;
    };
    s.setPixel(px, py, mix(d, c, 16) | mix(d, c, 8) | mix(d, c, 0));
  };
  for (int py = y; py < y + h; ++py) {
    for (int px = x; px < x + w; ++px) {
      // Distance outside the rounded rectangle's core, for a soft edge and the rim.
      const float fx = static_cast<float>(x), fy = static_cast<float>(y);
      const float cx = std::clamp(static_cast<float>(px) + 0.5f, fx + kRadius, fx + static_cast<float>(w) - kRadius);
      const float cy = std::clamp(static_cast<float>(py) + 0.5f, fy + kRadius, fy + static_cast<float>(h) - kRadius);
      const float dist = std::hypot(static_cast<float>(px) + 0.5f - cx, static_cast<float>(py) + 0.5f - cy) - kRadius;
      const float inside = std::clamp(0.5f - dist, 0.0f, 1.0f);
      blend(px, py, 0x0A1B2A, 0.82f * inside);
      const float rim = std::clamp(1.0f - std::fabs(dist + 1.0f), 0.0f, 1.0f);
      blend(px, py, kFrost, 0.55f * rim);
    }
  }
}
}  // namespace

bool GameScreen::OnHintButton(int x, int y) {
  return x >= kHintLeft && x <= kHintRight && y >= kHintTop && y <= kHintBottom;
}

void GameScreen::OnMouseDown(int x, int y, int button) {
  if (button == buttons::Left) hintPressed_ = OnHintButton(x, y);
}

void GameScreen::OnMouseUp(int x, int y, int button) {
  if (button != buttons::Left) return;
  const bool hint = hintPressed_ && OnHintButton(x, y);
  hintPressed_ = false;
  if (!hint) return;
  d_.sound.PlaySoundEffect("btnclick");
  RequestHint();
}

bool GameScreen::HandleStatusKey(const InputEvent& e) {
  if (e.key != keys::Letter('H') || (e.type != InputType::KeyUp && e.type != InputType::KeyDown)) return false;
  // As the menu's keys: on release, while the game screen shows.
  if (e.type == InputType::KeyUp && !d_.flags.mainMenuVisible) RequestHint();
  return true;
}

void GameScreen::RequestHint() { panel_->RequestHint(); }

void GameScreen::DrawStatusPanel(Surface& s) const {
  const StatusPanel& p = *panel_;
  if (const presentation::TextRenderer* font = d_.panelFont) {
    const std::string level = p.LevelText();
    OutlinedText(s, *font, kLevelCentreX - TextWidth(*font, level) / 2, kLevelTop, level, kWhite);
    OutlinedText(s, *font, kRowLeft, kMovesTop, p.MovesText(), kWhite);
    const std::string par = p.ParText();
    OutlinedText(s, *font, kParRight - TextWidth(*font, par), kMovesTop, par, kFrost);
    const bool inPar = d_.game.SolvedInPar(d_.game.state().currentLevel);
    OutlinedText(s, *font, kRowLeft, kBestTop, p.BestText(), inPar ? kGold : kFrost);
  }
  const std::vector<std::string> lines = p.NoticeLines();
  const presentation::TextRenderer* font = d_.noticeFont ? d_.noticeFont : d_.panelFont;
  if (lines.empty() || !font) return;
  int lineHeight = 0, w = 0;
  font->Measure("Ag", w, lineHeight);
  const int h = static_cast<int>(lines.size()) * lineHeight + 10;
  NoticePlate(s, kNoticeLeft, kNoticeTop, kNoticeWidth, h);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int tw = TextWidth(*font, lines[i]);
    // The solved moment's praise shines gold.
    const std::uint32_t colour = i > 0 && lines[0].rfind("Solved", 0) == 0 ? kGold : kWhite;
    OutlinedText(s, *font, kNoticeLeft + (kNoticeWidth - tw) / 2, kNoticeTop + 5 + static_cast<int>(i) * lineHeight,
                 lines[i], colour);
  }
}

void GameScreen::DrawHintFlash(Surface& frame, int boardX, int boardY) const {
  const auto flash = panel_->LitFlash();
  if (!flash) return;
  const int arrow = static_cast<int>(flash->direction);
  const Surface& mask = d_.sprites.Get(engine::CubeMask);
  const Surface& cube = d_.sprites.Get(engine::CubeSprite(arrow, flash->color));
  if (mask.empty() || cube.empty()) return;
  const int px = boardX + (flash->x - 1) * engine::kCellPixels;
  const int py = boardY + (flash->y - 1) * engine::kCellPixels;
  presentation::BitBlt(frame, px, py, engine::kCellPixels, engine::kCellPixels, mask, 0, 0, presentation::RasterOp::SrcAnd);
  presentation::BitBlt(frame, px, py, engine::kCellPixels, engine::kCellPixels, cube, 0, 0, presentation::RasterOp::SrcPaint);
}

}  // namespace shell
