#pragma once
// File operations. Every write of a whole file goes through WriteFileAtomic, so a failed or
// interrupted write never leaves a truncated file behind. Every path is resolved without
// regard to case first (platform/paths.h), so an existing "Settings.INI" is the file written
// when "settings.ini" is asked for; new files get the case the caller gives.
#include <cstddef>
#include <string>

namespace platform {

// Reads at most maxBytes of the file into out. False when it cannot be opened or read, or when
// it is larger than maxBytes (out then holds nothing).
bool ReadFile(const std::string& path, std::string& out, std::size_t maxBytes = 64u << 20);
// Reads the first maxBytes of the file (all of it when shorter). False only when it cannot be
// opened or read (out then holds nothing).
bool ReadFilePrefix(const std::string& path, std::string& out, std::size_t maxBytes);

// Writes bytes to a temporary file in the same folder, flushes it and renames it over path.
// On failure the previous file is untouched and the temporary file is removed. A new file gets
// the usual permissions (0666 less the umask), a replaced one keeps its own. When path is a
// symbolic link, the file it points to is replaced and the link stays. An existing file that
// is not writable (read-only attributes) is refused and kept; ResetAttributes first to replace it.
bool WriteFileAtomic(const std::string& path, const std::string& bytes);

// Copies src to dst through a temporary file in dst's folder (atomic). Fails when src and dst
// are the same file (same device and inode, also through another name or a hard link), so a
// copy onto itself can never destroy it. src must be a regular file; a read-only dst is refused.
// When dst is a symbolic link, the link itself is replaced by the copy and the file it points
// to stays as it was. Callers that delete dst before copying must test SameFile(src, dst) first.
bool CopyFile(const std::string& src, const std::string& dst);
// Deletes a file (not a folder); false when there was nothing to delete or it failed.
bool DeleteFile(const std::string& path);
// Makes the file readable and writable for its owner again (the "normal" attributes). A
// symbolic link is left as it is, and so is the file it points to.
bool ResetAttributes(const std::string& path);
// Creates the folder (and missing parents) with the case given; true when it exists afterwards.
bool MakeDirs(const std::string& path);
// True when both paths name the same file on disk.
bool SameFile(const std::string& a, const std::string& b);
// True when a new file can be created in folder (tried for real with a temporary file, since
// permission bits alone do not tell: a read-only mount, or a user that ignores them).
bool FolderWritable(const std::string& folder);

// Test seam, for tests only: while set, every WriteFileAtomic/CopyFile of the calling thread
// fails as a full disk would (after the temporary file was created, so the clean-up runs).
// It is per thread, so tests running side by side do not see each other's switch.
void SimulateWriteFailure(bool on);

}  // namespace platform
