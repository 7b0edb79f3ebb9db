#pragma once
// A fresh temporary folder per test, removed with everything in it afterwards.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace platform::testing {

class TestDir {
 public:
  TestDir() {
    const char* base = std::getenv("TMPDIR");
    std::string templ = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                        "/frostlide-test-XXXXXX";
    if (char* made = ::mkdtemp(templ.data())) path_ = std::string(made) + "/";
  }
  TestDir(const TestDir&) = delete;
  TestDir& operator=(const TestDir&) = delete;
  ~TestDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  // The folder, ending in '/'.
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& rel) const { return path_ + rel; }

  // Writes a file directly (test set-up, not through the code under test).
  void Put(const std::string& rel, const std::string& bytes) const {
    std::filesystem::create_directories(std::filesystem::path(path_ + rel).parent_path());
    std::ofstream(path_ + rel, std::ios::binary) << bytes;
  }
  std::string Get(const std::string& rel) const {
    std::ifstream in(path_ + rel, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Mkdir(const std::string& rel) const { std::filesystem::create_directories(path_ + rel); }
  // Names in the folder, for checks that no temporary file was left behind.
  int Count(const std::string& rel = "") const {
    int n = 0;
    for (auto it = std::filesystem::directory_iterator(path_ + rel);
         it != std::filesystem::directory_iterator(); ++it) {
      ++n;
    }
    return n;
  }

 private:
  std::string path_;
};

}  // namespace platform::testing
