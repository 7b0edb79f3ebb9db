#pragma once
// Helpers the fuzz targets share: a scratch folder that lives as long as the fuzzing process,
// a reader of the input bytes, and a check that stops the run with a message.
//
// libFuzzer calls a plain function once per input, so the scratch folder is the one piece of
// state kept between calls (a function-local static, made on first use and removed at exit).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

#include "platform/files.h"

namespace fuzz {

class ScratchFolder {
 public:
  ScratchFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string templ = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/frostlide-fuzz-XXXXXX";
    if (char* made = ::mkdtemp(templ.data())) path_ = std::string(made) + "/";
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(std::string_view rel) const { return path_ + std::string(rel); }
  // Writes bytes as the test's set-up (not through code under test being fuzzed).
  void Put(std::string_view rel, std::string_view bytes) const {
    const std::string file = path_ + std::string(rel);
    if (FILE* f = std::fopen(file.c_str(), "wb")) {
      if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
    }
  }
  void Remove(std::string_view rel) const {
    std::error_code ec;
    std::filesystem::remove_all(path_ + std::string(rel), ec);
  }

 private:
  std::string path_;
};

inline const ScratchFolder& Scratch() {
  static const ScratchFolder folder;
  return folder;
}

// Takes the input apart front to back; past its end every read gives 0.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  bool Bit() { return (Byte() & 1) != 0; }
  bool AtEnd() const { return pos_ >= size_; }
  // The next n bytes (fewer at the end).
  std::string_view Bytes(std::size_t n) {
    const std::size_t take = n < size_ - pos_ ? n : size_ - pos_;
    std::string_view out(reinterpret_cast<const char*>(data_ + pos_), take);
    pos_ += take;
    return out;
  }
  std::string_view Rest() { return Bytes(size_ - pos_); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A broken property: report it and abort, so libFuzzer keeps the input as a crash.
[[noreturn]] inline void Fail(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "property broken: %s %s\n", what, detail.c_str());
  std::abort();
}
inline void Check(bool ok, const char* what, const std::string& detail = {}) {
  if (!ok) Fail(what, detail);
}

}  // namespace fuzz
