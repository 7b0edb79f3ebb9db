#include "tools/assetgen/images/text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace art {

namespace {
const char* const kFontCandidates[] = {
    "/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
};
}  // namespace

TextRenderer::TextRenderer() {
  for (const char* path : kFontCandidates) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
      fontPath_ = path;
      break;
    }
  }
  if (fontPath_.empty()) return;
  if (TTF_Init() != 0) {
    fontPath_.clear();
    return;
  }
  ttfStarted_ = true;
}

TextRenderer::~TextRenderer() {
  for (auto& [size, font] : fonts_) TTF_CloseFont(font);
  if (ttfStarted_) TTF_Quit();
}

TTF_Font* TextRenderer::Font(int size) {
  auto it = fonts_.find(size);
  if (it != fonts_.end()) return it->second;
  TTF_Font* font = TTF_OpenFont(fontPath_.c_str(), size);
  if (font != nullptr) TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
  fonts_[size] = font;
  return font;
}

int TextRenderer::Width(const std::string& text, int size) {
  TTF_Font* font = Font(size);
  int w = 0, h = 0;
  if (font == nullptr || TTF_SizeUTF8(font, text.c_str(), &w, &h) != 0) return 0;
  return w;
}

Gray TextRenderer::Render(const std::string& text, int size, int* ascent, int* capHeight) {
  TTF_Font* font = Font(size);
  if (font == nullptr || text.empty()) return Gray(1, 1);
  if (ascent != nullptr) *ascent = TTF_FontAscent(font);
  if (capHeight != nullptr) {
    int minx, maxx, miny, maxy, adv;
    *capHeight = TTF_GlyphMetrics32(font, 'H', &minx, &maxx, &miny, &maxy, &adv) == 0 ? maxy : size * 7 / 10;
  }
  SDL_Color white{255, 255, 255, 255};
  SDL_Surface* s = TTF_RenderUTF8_Blended(font, text.c_str(), white);
  if (s == nullptr) return Gray(1, 1);
  SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (c == nullptr) return Gray(1, 1);
  Gray g(c->w, c->h);
  SDL_LockSurface(c);
  for (int y = 0; y < c->h; ++y) {
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(c->pixels) + y * c->pitch);
    for (int x = 0; x < c->w; ++x) g.at(x, y) = static_cast<float>(row[x] >> 24) / 255.0f;
  }
  SDL_UnlockSurface(c);
  SDL_FreeSurface(c);
  return g;
}

Gray LabelMask(TextRenderer& tr, int w, int h, const std::string& text, int size, float x, float cy,
               Align align) {
  int ascent = 0, cap = 0;
  Gray glyphs = tr.Render(text, size, &ascent, &cap);
  float left = x;
  if (align == Align::Center) left = x - static_cast<float>(glyphs.width()) / 2;
  if (align == Align::Right) left = x - static_cast<float>(glyphs.width());
  const float baseline = cy + static_cast<float>(cap) / 2;
  const int ox = static_cast<int>(std::lround(left));
  const int oy = static_cast<int>(std::lround(baseline)) - ascent;
  Gray out(w, h);
  for (int y = 0; y < glyphs.height(); ++y)
    for (int xx = 0; xx < glyphs.width(); ++xx) {
      const int dx = ox + xx, dy = oy + y;
      if (dx >= 0 && dy >= 0 && dx < w && dy < h) out.at(dx, dy) = std::max(out.at(dx, dy), glyphs.at(xx, y));
    }
  return out;
}

void PaintStyled(Image& img, const Gray& mask, const TextStyle& style) {
  if (style.glowRadius > 0 && style.glowColour.a > 0) {
    Gray glow = Blur(Dilate(mask, static_cast<float>(style.glowRadius) / 3), style.glowRadius);
    FillMask(img, glow, 0, 0, style.glowColour);
  }
  Gray body = style.outline > 0 ? Dilate(mask, style.outline) : mask;
  if (style.shadowColour.a > 0) {
    Gray shadow = Shift(body, style.shadowDx, style.shadowDy);
    if (style.shadowBlur > 0) shadow = Blur(shadow, style.shadowBlur);
    FillMask(img, shadow, 0, 0, style.shadowColour);
  }
  if (style.outline > 0) FillMask(img, body, 0, 0, style.outlineColour);
  FillMask(img, mask, 0, 0, style.fill);
}

void DrawLabel(Image& img, TextRenderer& tr, const std::string& text, int size, float x, float cy,
               Align align, const TextStyle& style) {
  // Work on a padded window around the text only, so many labels stay cheap.
  int ascent = 0, cap = 0;
  Gray glyphs = tr.Render(text, size, &ascent, &cap);
  const int pad = static_cast<int>(std::ceil(style.outline)) + style.glowRadius + style.shadowBlur +
                  std::max(std::abs(style.shadowDx), std::abs(style.shadowDy)) + 3;
  float left = x;
  if (align == Align::Center) left = x - static_cast<float>(glyphs.width()) / 2;
  if (align == Align::Right) left = x - static_cast<float>(glyphs.width());
  const int ox = static_cast<int>(std::lround(left)) - pad;
  const int oy = static_cast<int>(std::lround(cy + static_cast<float>(cap) / 2)) - ascent - pad;
  const int w = glyphs.width() + 2 * pad, h = glyphs.height() + 2 * pad;
  Gray mask(w, h);
  for (int y = 0; y < glyphs.height(); ++y)
    for (int xx = 0; xx < glyphs.width(); ++xx) mask.at(xx + pad, y + pad) = glyphs.at(xx, y);
  Image window = img.Crop(ox, oy, w, h);
  // Paints take image coordinates; shift them into the window.
  TextStyle local = style;
  const Paint fill = style.fill;
  local.fill = [fill, ox, oy](float px, float py) {
    return fill(px + static_cast<float>(ox), py + static_cast<float>(oy));
  };
  PaintStyled(window, mask, local);
  for (int y = 0; y < h; ++y)
    for (int xx = 0; xx < w; ++xx) {
      const int dx = ox + xx, dy = oy + y;
      if (dx >= 0 && dy >= 0 && dx < img.width() && dy < img.height()) img.at(dx, dy) = window.at(xx, y);
    }
}

}  // namespace art
