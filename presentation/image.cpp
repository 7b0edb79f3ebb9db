#include "presentation/image.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/files.h"

namespace presentation {

namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// An SDL stream that appends everything written to it to a string.
struct StringSink {
  std::string* out;
  Sint64 pos;
};

Sint64 SinkSize(SDL_RWops* rw) {
  auto* sink = static_cast<StringSink*>(rw->hidden.unknown.data1);
  return static_cast<Sint64>(sink->out->size());
}

Sint64 SinkSeek(SDL_RWops* rw, Sint64 offset, int whence) {
  auto* sink = static_cast<StringSink*>(rw->hidden.unknown.data1);
  Sint64 base = 0;
  if (whence == RW_SEEK_CUR) base = sink->pos;
  else if (whence == RW_SEEK_END) base = static_cast<Sint64>(sink->out->size());
  const Sint64 target = base + offset;
  if (target < 0) return SDL_SetError("seek before start");
  sink->pos = target;
  return target;
}

size_t SinkRead(SDL_RWops* rw, void* ptr, size_t size, size_t count) {
  auto* sink = static_cast<StringSink*>(rw->hidden.unknown.data1);
  const auto have = static_cast<Sint64>(sink->out->size()) - sink->pos;
  if (size == 0 || have <= 0) return 0;
  const size_t n = std::min(count, static_cast<size_t>(have) / size);
  std::memcpy(ptr, sink->out->data() + sink->pos, n * size);
  sink->pos += static_cast<Sint64>(n * size);
  return n;
}

size_t SinkWrite(SDL_RWops* rw, const void* ptr, size_t size, size_t count) {
  auto* sink = static_cast<StringSink*>(rw->hidden.unknown.data1);
  const size_t bytes = size * count;
  const auto end = static_cast<size_t>(sink->pos) + bytes;
  if (sink->out->size() < end) sink->out->resize(end);
  std::memcpy(sink->out->data() + sink->pos, ptr, bytes);
  sink->pos = static_cast<Sint64>(end);
  return count;
}

int SinkClose(SDL_RWops*) { return 0; }

// Wraps our pixels as an SDL surface without copying them.
SdlSurfacePtr WrapSurface(const Surface& surface) {
  if (surface.empty()) return nullptr;
  // SDL wants a mutable pointer but only reads from it when saving.
  void* pixels = const_cast<std::uint32_t*>(surface.pixels().data());
  return SdlSurfacePtr(SDL_CreateRGBSurfaceWithFormatFrom(
      pixels, surface.width(), surface.height(), 32, surface.width() * 4, SDL_PIXELFORMAT_RGB888));
}

template <typename Encode>
bool EncodeWith(const Surface& surface, std::string& out, Encode encode) {
  out.clear();
  SdlSurfacePtr wrapped = WrapSurface(surface);
  if (!wrapped) return false;
  StringSink sink{&out, 0};
  SDL_RWops* rw = SDL_AllocRW();
  if (!rw) return false;
  rw->type = SDL_RWOPS_UNKNOWN;
  rw->size = SinkSize;
  rw->seek = SinkSeek;
  rw->read = SinkRead;
  rw->write = SinkWrite;
  rw->close = SinkClose;
  rw->hidden.unknown.data1 = &sink;
  const bool ok = encode(wrapped.get(), rw) == 0;
  SDL_FreeRW(rw);
  if (!ok) out.clear();
  return ok && !out.empty();
}

std::optional<Surface> FromSdl(SDL_Surface* loaded) {
  SdlSurfacePtr owned(loaded);
  if (!owned) return std::nullopt;
  if (owned->w <= 0 || owned->h <= 0 || owned->w > kMaxImageSide || owned->h > kMaxImageSide)
    return std::nullopt;
  // A straight conversion: the alpha channel of a 32-bit bitmap, if any, is dropped, never
  // blended, so the colour bits the masks rely on arrive unchanged.
  SDL_SetSurfaceBlendMode(owned.get(), SDL_BLENDMODE_NONE);
  SdlSurfacePtr converted(SDL_ConvertSurfaceFormat(owned.get(), SDL_PIXELFORMAT_RGB888, 0));
  if (!converted) return std::nullopt;
  Surface result(converted->w, converted->h);
  if (SDL_MUSTLOCK(converted.get()) && SDL_LockSurface(converted.get()) != 0) return std::nullopt;
  const auto* base = static_cast<const std::uint8_t*>(converted->pixels);
  for (int y = 0; y < converted->h; ++y) {
    const auto* src = reinterpret_cast<const std::uint32_t*>(base + static_cast<std::ptrdiff_t>(y) * converted->pitch);
    std::uint32_t* dst = result.row(y);
    for (int x = 0; x < converted->w; ++x) dst[x] = src[x] & 0xFFFFFFu;
  }
  if (SDL_MUSTLOCK(converted.get())) SDL_UnlockSurface(converted.get());
  return result;
}

}  // namespace

bool InitImageLoading() { return (IMG_Init(IMG_INIT_JPG) & IMG_INIT_JPG) != 0; }

std::optional<Surface> DecodeImage(const void* data, std::size_t size) {
  if (data == nullptr || size == 0 || size > static_cast<std::size_t>(INT32_MAX)) return std::nullopt;
  InitImageLoading();
  SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
  if (!rw) return std::nullopt;
  return FromSdl(IMG_Load_RW(rw, 1));
}

std::optional<Surface> LoadImage(const std::string& path) {
  std::string bytes;
  // Our largest picture is well under a megabyte; 64 MiB leaves room without letting a stray
  // file fill memory.
  if (!platform::ReadFile(path, bytes, 64u << 20)) return std::nullopt;
  return DecodeImage(bytes.data(), bytes.size());
}

bool EncodePng(const Surface& surface, std::string& out) {
  return EncodeWith(surface, out, [](SDL_Surface* s, SDL_RWops* rw) { return IMG_SavePNG_RW(s, rw, 0); });
}

bool EncodeBmp(const Surface& surface, std::string& out) {
  return EncodeWith(surface, out, [](SDL_Surface* s, SDL_RWops* rw) { return SDL_SaveBMP_RW(s, rw, 0); });
}

bool EncodeJpg(const Surface& surface, std::string& out, int quality) {
  InitImageLoading();
  return EncodeWith(surface, out, [quality](SDL_Surface* s, SDL_RWops* rw) {
    return IMG_SaveJPG_RW(s, rw, 0, std::clamp(quality, 1, 100));
  });
}

bool SavePng(const Surface& surface, const std::string& path) {
  std::string bytes;
  return EncodePng(surface, bytes) && platform::WriteFileAtomic(path, bytes);
}

bool SaveBmp(const Surface& surface, const std::string& path) {
  std::string bytes;
  return EncodeBmp(surface, bytes) && platform::WriteFileAtomic(path, bytes);
}

bool SaveJpg(const Surface& surface, const std::string& path, int quality) {
  std::string bytes;
  return EncodeJpg(surface, bytes, quality) && platform::WriteFileAtomic(path, bytes);
}

}  // namespace presentation
