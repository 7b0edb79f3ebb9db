#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

#include "platform/paths.h"

namespace platform {
namespace {

thread_local bool simulateWriteFailure = false;

// Closes a descriptor on every way out.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { Close(); }
  int get() const { return fd_; }
  bool Close() {
    if (fd_ < 0) return true;
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Reads up to limit bytes; false on a read error.
bool ReadUpTo(int fd, std::string& out, std::size_t limit) {
  out.clear();
  char buf[64 * 1024];
  while (out.size() < limit) {
    const std::size_t want = std::min(sizeof buf, limit - out.size());
    const ssize_t n = ::read(fd, buf, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  return true;
}

int OpenForReading(const std::string& path) {
  if (path.empty()) return -1;
  return ::open(ResolvePath(path).c_str(), O_RDONLY | O_CLOEXEC);
}

// The file a write to path must replace: the case-resolved path, followed through symbolic
// links so that the link itself survives.
std::string WriteTarget(const std::string& path) {
  std::string target = ResolvePath(path);
  struct stat st {};
  if (::lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(target.c_str(), nullptr)) {
      target = real;
      std::free(real);
    }
  }
  return target;
}

std::string FolderOf(const std::string& path) {
  std::string folder = FolderPart(path);
  return folder.empty() ? std::string("./") : folder;
}

// Creates a fresh temporary file beside target; fd and name are returned.
int CreateTemp(const std::string& target, std::string& tempName) {
  std::random_device rd;
  std::mt19937_64 gen((static_cast<std::uint64_t>(rd()) << 32) ^ rd() ^
                      static_cast<std::uint64_t>(::getpid()) ^
                      static_cast<std::uint64_t>(
                          std::chrono::steady_clock::now().time_since_epoch().count()) ^
                      std::hash<std::thread::id>{}(std::this_thread::get_id()));
  // Kept short enough that the temporary name fits the file system's name limit.
  const std::string base = FolderOf(target) + "." + FileNamePart(target).substr(0, 200) + ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "%016llx.tmp", static_cast<unsigned long long>(gen()));
    tempName = base + suffix;
    const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  tempName.clear();
  return -1;
}

void SyncFolder(const std::string& folder) {
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) (void)::fsync(dir.get());
}

// Writes a temporary file through `fill` and renames it over target.
template <typename Fill>
bool ReplaceAtomically(const std::string& target, mode_t keepMode, bool haveMode, Fill fill) {
  std::string temp;
  Fd fd(CreateTemp(target, temp));
  if (fd.get() < 0) return false;
  bool ok = !simulateWriteFailure && fill(fd.get());
  if (ok && haveMode) ok = ::fchmod(fd.get(), keepMode & 07777) == 0;
  if (ok) ok = ::fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolder(FolderOf(target));
  return true;
}

}  // namespace

bool ReadFile(const std::string& path, std::string& out, std::size_t maxBytes) {
  out.clear();
  Fd fd(OpenForReading(path));
  if (fd.get() < 0) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  if (S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) > maxBytes) return false;
  // One byte more than allowed tells a file that grew (or a device) from one that fits.
  const std::size_t limit = maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1;
  if (!ReadUpTo(fd.get(), out, limit) || out.size() > maxBytes) {
    out.clear();
    return false;
  }
  return true;
}

bool ReadFilePrefix(const std::string& path, std::string& out, std::size_t maxBytes) {
  out.clear();
  Fd fd(OpenForReading(path));
  if (fd.get() < 0) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  if (!ReadUpTo(fd.get(), out, maxBytes)) {
    out.clear();
    return false;
  }
  return true;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes) {
  if (path.empty() || path.back() == '/') return false;
  const std::string target = WriteTarget(path);
  struct stat st {};
  bool haveMode = false;
  if (::stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return false;  // never replace a folder or a device
    // A read-only file stays as it is, as the desktop's writers refuse it; callers that mean
    // to replace it reset its attributes first.
    if (::access(target.c_str(), W_OK) != 0) return false;
    haveMode = true;
  }
  return ReplaceAtomically(target, st.st_mode, haveMode, [&](int fd) {
    return WriteAll(fd, bytes.data(), bytes.size());
  });
}

bool CopyFile(const std::string& src, const std::string& dst) {
  if (src.empty() || dst.empty() || dst.back() == '/') return false;
  const std::string from = ResolvePath(src);
  // Unlike a write, a copy replaces a symbolic link at dst itself: the file it points to lies
  // elsewhere, belongs to someone, and is not the copy's to overwrite.
  const std::string target = ResolvePath(dst);
  Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return false;
  struct stat sst {};
  if (::fstat(in.get(), &sst) != 0 || !S_ISREG(sst.st_mode)) return false;
  struct stat dst_st {};
  if (::lstat(target.c_str(), &dst_st) == 0 && !S_ISLNK(dst_st.st_mode)) {
    if (dst_st.st_dev == sst.st_dev && dst_st.st_ino == sst.st_ino) return false;
    if (!S_ISREG(dst_st.st_mode) || ::access(target.c_str(), W_OK) != 0) return false;
  }
  return ReplaceAtomically(target, 0, false, [&](int fd) {
    char buf[64 * 1024];
    for (;;) {
      const ssize_t n = ::read(in.get(), buf, sizeof buf);
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      if (n == 0) return true;
      if (!WriteAll(fd, buf, static_cast<std::size_t>(n))) return false;
    }
  });
}

bool DeleteFile(const std::string& path) {
  if (path.empty()) return false;
  const std::string target = ResolvePath(path);
  struct stat st {};
  if (::lstat(target.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(target.c_str()) == 0;
}

bool ResetAttributes(const std::string& path) {
  if (path.empty()) return false;
  const std::string target = ResolvePath(path);
  struct stat st {};
  if (::lstat(target.c_str(), &st) != 0) return false;
  // A link has no attributes of its own; the file it points to keeps its own.
  if (S_ISLNK(st.st_mode)) return true;
  return ::chmod(target.c_str(), (st.st_mode & 07777) | S_IRUSR | S_IWUSR) == 0;
}

bool MakeDirs(const std::string& path) {
  if (path.empty()) return false;
  const std::string target = ResolvePath(path);
  std::size_t pos = target[0] == '/' ? 1 : 0;
  while (pos <= target.size()) {
    std::size_t slash = target.find('/', pos);
    if (slash == std::string::npos) slash = target.size();
    if (slash > pos) {
      const std::string prefix = target.substr(0, slash);
      if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
    pos = slash + 1;
  }
  struct stat st {};
  return ::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  struct stat sa {}, sb {};
  if (::stat(ResolvePath(a).c_str(), &sa) != 0) return false;
  if (::stat(ResolvePath(b).c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool FolderWritable(const std::string& folder) {
  std::string dir = folder.empty() ? std::string("./") : ResolvePath(folder);
  if (dir.back() != '/') dir += '/';
  struct stat st {};
  if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  std::string temp;
  const int fd = CreateTemp(dir + "probe", temp);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(temp.c_str());
  return true;
}

void SimulateWriteFailure(bool on) { simulateWriteFailure = on; }

}  // namespace platform
