#include "tools/assetgen/images/image_io.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#ifdef FROSTLIDE_ASSETGEN_PLATFORM
#include "platform/files.h"
#endif

namespace art {

namespace {

void Put16(std::string& s, unsigned v) {
  s.push_back(static_cast<char>(v & 255));
  s.push_back(static_cast<char>((v >> 8) & 255));
}
void Put32(std::string& s, unsigned v) {
  Put16(s, v & 0xFFFF);
  Put16(s, (v >> 16) & 0xFFFF);
}

// An SDL stream that appends everything written to a string.
size_t SDLCALL MemWrite(SDL_RWops* ctx, const void* ptr, size_t size, size_t num) {
  auto* out = static_cast<std::string*>(ctx->hidden.unknown.data1);
  out->append(static_cast<const char*>(ptr), size * num);
  return num;
}
size_t SDLCALL MemRead(SDL_RWops*, void*, size_t, size_t) { return 0; }
Sint64 SDLCALL MemSize(SDL_RWops* ctx) {
  return static_cast<Sint64>(static_cast<std::string*>(ctx->hidden.unknown.data1)->size());
}
Sint64 SDLCALL MemSeek(SDL_RWops* ctx, Sint64 offset, int whence) {
  const auto size = static_cast<Sint64>(static_cast<std::string*>(ctx->hidden.unknown.data1)->size());
  if ((whence == RW_SEEK_CUR || whence == RW_SEEK_END) && offset == 0) return size;
  if (whence == RW_SEEK_SET && offset == size) return size;
  return -1;
}
int SDLCALL MemClose(SDL_RWops* ctx) {
  SDL_FreeRW(ctx);
  return 0;
}

SDL_RWops* StringWriter(std::string* out) {
  SDL_RWops* rw = SDL_AllocRW();
  if (rw == nullptr) return nullptr;
  rw->size = MemSize;
  rw->seek = MemSeek;
  rw->read = MemRead;
  rw->write = MemWrite;
  rw->close = MemClose;
  rw->type = SDL_RWOPS_UNKNOWN;
  rw->hidden.unknown.data1 = out;
  return rw;
}

SDL_Surface* ToSurface(const Image& img, bool withAlpha) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, img.width(), img.height(), 32, SDL_PIXELFORMAT_RGBA32);
  if (s == nullptr) return nullptr;
  SDL_LockSurface(s);
  for (int y = 0; y < img.height(); ++y) {
    auto* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
    for (int x = 0; x < img.width(); ++x) {
      const Rgba& c = img.at(x, y);
      const Rgb8 p = ToRgb8(c);
      row[4 * x + 0] = p.r;
      row[4 * x + 1] = p.g;
      row[4 * x + 2] = p.b;
      row[4 * x + 3] = withAlpha ? static_cast<Uint8>(std::lround(Clamp01(c.a) * 255)) : 255;
    }
  }
  SDL_UnlockSurface(s);
  return s;
}

}  // namespace

std::string EncodeBmp(const Image& img) {
  const unsigned w = static_cast<unsigned>(img.width()), h = static_cast<unsigned>(img.height());
  const unsigned stride = (w * 3 + 3) & ~3u;
  const unsigned dataSize = stride * h;
  std::string s;
  s.reserve(54 + dataSize);
  s += "BM";
  Put32(s, 54 + dataSize);
  Put32(s, 0);
  Put32(s, 54);
  Put32(s, 40);  // BITMAPINFOHEADER
  Put32(s, w);
  Put32(s, h);  // positive: bottom-up
  Put16(s, 1);
  Put16(s, 24);
  Put32(s, 0);  // BI_RGB
  Put32(s, dataSize);
  Put32(s, 2835);  // 72 dpi
  Put32(s, 2835);
  Put32(s, 0);
  Put32(s, 0);
  for (int y = img.height() - 1; y >= 0; --y) {
    for (int x = 0; x < img.width(); ++x) {
      const Rgb8 p = ToRgb8(img.at(x, y));
      s.push_back(static_cast<char>(p.b));
      s.push_back(static_cast<char>(p.g));
      s.push_back(static_cast<char>(p.r));
    }
    for (unsigned pad = w * 3; pad < stride; ++pad) s.push_back('\0');
  }
  return s;
}

std::string EncodePng(const Image& img, bool withAlpha) {
  std::string out;
  SDL_Surface* s = ToSurface(img, withAlpha);
  if (s == nullptr) return out;
  SDL_RWops* rw = StringWriter(&out);
  if (rw == nullptr || IMG_SavePNG_RW(s, rw, 1) != 0) out.clear();
  SDL_FreeSurface(s);
  return out;
}

std::string EncodeJpg(const Image& img, int quality) {
  std::string out;
  SDL_Surface* s = ToSurface(img, false);
  if (s == nullptr) return out;
  SDL_RWops* rw = StringWriter(&out);
  if (rw == nullptr || IMG_SaveJPG_RW(s, rw, 1, quality) != 0) out.clear();
  SDL_FreeSurface(s);
  return out;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  if (bytes.empty()) return false;
  std::error_code ec;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
#ifdef FROSTLIDE_ASSETGEN_PLATFORM
  return platform::WriteFileAtomic(path, bytes);
#else
  // Same contract as the platform helper: a temporary file renamed over the old one.
  const std::string tmp = path + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !f.flush()) {
      std::remove(tmp.c_str());
      return false;
    }
  }
  std::filesystem::rename(tmp, path, ec);
  if (ec) std::remove(tmp.c_str());
  return !ec;
#endif
}

}  // namespace art
