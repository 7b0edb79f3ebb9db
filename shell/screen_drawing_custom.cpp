// The custom packs panel's picture: background, one button's highlight, and the list box of
// packs drawn over it (names clipped to the box, a selection bar, a scroll bar when the list
// is longer than the box).
#include <algorithm>

#include "shell/custom_levels_screen.h"

namespace shell {

namespace {
constexpr std::uint32_t kListBorder = presentation::Rgb(0xBF, 0xE3, 0xF5);      // frost blue
constexpr std::uint32_t kListBackground = presentation::Rgb(0x0E, 0x22, 0x33);  // night navy
constexpr std::uint32_t kListText = presentation::Rgb(0xFF, 0xFF, 0xFF);
constexpr std::uint32_t kSelectionBar = presentation::Rgb(0x5C, 0xD6, 0xF5);   // ice cyan
constexpr std::uint32_t kSelectionText = presentation::Rgb(0x0E, 0x22, 0x33);
constexpr std::uint32_t kScrollTrack = presentation::Rgb(0x16, 0x3A, 0x55);
constexpr std::uint32_t kScrollThumb = presentation::Rgb(0xBF, 0xE3, 0xF5);
constexpr int kTextIndent = 4;
constexpr int kScrollBarWidth = 10;

void FillRect(Surface& s, int x, int y, int w, int h, std::uint32_t c) {
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = std::min(s.width(), x + w), y1 = std::min(s.height(), y + h);
  for (int py = y0; py < y1; ++py)
    for (int px = x0; px < x1; ++px) s.setPixel(px, py, c);
}
}  // namespace

void CustomLevelsScreen::ComposeCustomPacks() {
  CopySprite(s_.sprites.surfaces().customSurface, 0, 0, s_.sprites.FindSprite("playcustom"), kWidth, kHeight);
  PresentCustomPacks();
}

void CustomLevelsScreen::PresentCustomPacks() {
  CopySprite(picture(), 0, 0, &s_.sprites.surfaces().customSurface, kWidth, kHeight);
  DrawList();
  Invalidate();
}

void CustomLevelsScreen::HighlightCustomPacks(int item) {
  Surface& surface = s_.sprites.surfaces().customSurface;
  if (item == 1) CopySprite(surface, 5, 140, s_.sprites.FindSprite("playcustomhigh1"), 56, 39);
  else if (item == 2) CopySprite(surface, 77, 140, s_.sprites.FindSprite("playcustomhigh2"), 85, 39);
  else if (item == 3) CopySprite(surface, 178, 140, s_.sprites.FindSprite("playcustomhigh3"), 85, 39);
  s_.sound.PlaySoundEffect("btnhover");
  PresentCustomPacks();
  customHover_ = item;
}

void CustomLevelsScreen::DrawList() {
  Surface& pic = picture();
  FillRect(pic, kListX, kListY, kListWidth, kListHeight, kListBorder);
  const int innerW = kListWidth - 2 - (HasScrollBar() ? kScrollBarWidth : 0);
  const int innerH = kListHeight - 2;
  // The rows are drawn on their own surface so that long names end at the box's edge.
  Surface rows(innerW, innerH, kListBackground);
  const int count = static_cast<int>(entries_.size());
  for (int r = 0; r < rows_ && top_ + r < count; ++r) {
    const int index = top_ + r;
    const int y = r * itemHeight_;
    const bool chosen = index == selected_;
    if (chosen) FillRect(rows, 0, y, innerW, itemHeight_, kSelectionBar);
    if (font_) {
      int w = 0, h = 0;
      const std::string name = presentation::ToDisplayUtf8(entries_[static_cast<std::size_t>(index)]);
      font_->Measure(name, w, h);
      font_->DrawText(rows, kTextIndent, y + (itemHeight_ - h) / 2, name, chosen ? kSelectionText : kListText);
    }
  }
  presentation::BitBlt(pic, kListX + 1, kListY + 1, innerW, innerH, rows, 0, 0, presentation::RasterOp::SrcCopy);
  if (HasScrollBar()) {
    const int trackX = kListX + kListWidth - 1 - kScrollBarWidth, trackY = kListY + 1;
    FillRect(pic, trackX, trackY, kScrollBarWidth, innerH, kScrollTrack);
    const int thumbTop = trackY + top_ * innerH / count;
    const int thumbHeight = std::max(8, rows_ * innerH / count);
    FillRect(pic, trackX + 2, std::min(thumbTop, trackY + innerH - thumbHeight), kScrollBarWidth - 4, thumbHeight,
             kScrollThumb);
  }
}

}  // namespace shell
