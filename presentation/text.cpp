#include "presentation/text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include "platform/codepage.h"

namespace presentation {

namespace {
bool ValidUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t extra = 0;
    if (c < 0x80) extra = 0;
    else if ((c >> 5) == 6) extra = 1;
    else if ((c >> 4) == 14) extra = 2;
    else if ((c >> 3) == 30) extra = 3;
    else return false;
    if (extra > 0 && i + extra >= s.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    i += extra + 1;
  }
  return true;
}
}  // namespace

std::string ToDisplayUtf8(const std::string& text) {
  return ValidUtf8(text) ? text : platform::Cp1252ToUtf8(text);
}

namespace {
bool Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The longest start of word (at least one letter) that fits width, preferring to end after a '/'.
std::size_t FittingPrefix(const std::string& word, int width, const std::function<int(const std::string&)>& measure) {
  std::size_t best = 0, bestSlash = 0;
  for (std::size_t end = 1; end <= word.size(); ++end) {
    if (end < word.size() && Continuation(word[end])) continue;
    if (measure(word.substr(0, end)) > width) break;
    best = end;
    if (word[end - 1] == '/') bestSlash = end;
  }
  if (bestSlash > 0) return bestSlash;
  if (best > 0) return best;
  std::size_t one = 1;
  while (one < word.size() && Continuation(word[one])) ++one;
  return one;
}
}  // namespace

std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure) {
  std::vector<std::string> lines;
  std::size_t paragraphStart = 0;
  while (paragraphStart <= text.size()) {
    std::size_t paragraphEnd = text.find('\n', paragraphStart);
    if (paragraphEnd == std::string::npos) paragraphEnd = text.size();
    std::string line;
    std::size_t pos = paragraphStart;
    bool any = false;
    while (pos < paragraphEnd) {
      while (pos < paragraphEnd && text[pos] == ' ') ++pos;
      if (pos >= paragraphEnd) break;
      std::size_t wordEnd = text.find(' ', pos);
      if (wordEnd == std::string::npos || wordEnd > paragraphEnd) wordEnd = paragraphEnd;
      std::string word = text.substr(pos, wordEnd - pos);
      pos = wordEnd;
      const std::string joined = line.empty() ? word : line + " " + word;
      if (measure(joined) <= width) {
        line = joined;
        continue;
      }
      if (!line.empty()) {
        lines.push_back(line);
        any = true;
        line.clear();
      }
      while (measure(word) > width) {
        const std::size_t cut = FittingPrefix(word, width, measure);
        lines.push_back(word.substr(0, cut));
        any = true;
        word.erase(0, cut);
      }
      line = word;
    }
    if (!line.empty() || !any) lines.push_back(line);
    if (paragraphEnd == text.size()) break;
    paragraphStart = paragraphEnd + 1;
  }
  return lines;
}

struct TextRenderer::Font {
  TTF_Font* font = nullptr;
  ~Font() {
    if (font) TTF_CloseFont(font);
    TTF_Quit();
  }
};

std::unique_ptr<TextRenderer> TextRenderer::Open(const std::string& fontPath, int pointSize) {
  if (TTF_Init() != 0) return nullptr;
  auto font = std::make_unique<Font>();
  font->font = TTF_OpenFontDPI(fontPath.c_str(), pointSize, 96, 96);
  if (!font->font) return nullptr;  // ~Font balances TTF_Init
  std::unique_ptr<TextRenderer> r(new TextRenderer());
  r->font_ = std::move(font);
  return r;
}

TextRenderer::~TextRenderer() = default;

void TextRenderer::Measure(const std::string& text, int& width, int& height) const {
  width = height = 0;
  TTF_SizeUTF8(font_->font, ToDisplayUtf8(text).c_str(), &width, &height);
}

void TextRenderer::DrawText(Surface& target, int x, int y, const std::string& text,
                            std::uint32_t color) const {
  if (text.empty() || target.empty()) return;
  const SDL_Color c{static_cast<Uint8>((color >> 16) & 255), static_cast<Uint8>((color >> 8) & 255),
                    static_cast<Uint8>(color & 255), 255};
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(font_->font, ToDisplayUtf8(text).c_str(), c);
  if (!rendered) return;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  if (!argb) return;
  SDL_LockSurface(argb);
  for (int row = 0; row < argb->h; ++row) {
    const int ty = y + row;
    if (ty < 0 || ty >= target.height()) continue;
    const auto* src = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(argb->pixels) +
                                                             static_cast<std::ptrdiff_t>(row) * argb->pitch);
    std::uint32_t* dst = target.row(ty);
    for (int col = 0; col < argb->w; ++col) {
      const int tx = x + col;
      if (tx < 0 || tx >= target.width()) continue;
      const std::uint32_t s = src[col];
      const std::uint32_t a = s >> 24;
      if (a == 0) continue;
      const std::uint32_t d = dst[tx];
      auto mix = [a](std::uint32_t sc, std::uint32_t dc) { return (sc * a + dc * (255 - a) + 127) / 255; };
      const std::uint32_t r = mix((s >> 16) & 255, (d >> 16) & 255);
      const std::uint32_t g = mix((s >> 8) & 255, (d >> 8) & 255);
      const std::uint32_t b = mix(s & 255, d & 255);
      dst[tx] = (r << 16) | (g << 8) | b;
    }
  }
  SDL_UnlockSurface(argb);
  SDL_FreeSurface(argb);
}

}  // namespace presentation
