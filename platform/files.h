#pragma once
// File operations. Every write of a whole file goes through WriteFileAtomic, so a failed or
// interrupted write never leaves a truncated file behind.
#include <cstddef>
#include <string>

namespace platform {

// Reads at most maxBytes of the file into out. False when it cannot be opened or read, or when
// it is larger than maxBytes (out then holds nothing).
bool ReadFile(const std::string& path, std::string& out, std::size_t maxBytes = 64u << 20);

// Writes bytes to a temporary file in the same folder, flushes it and renames it over path.
// On failure the previous file is untouched and the temporary file is removed.
bool WriteFileAtomic(const std::string& path, const std::string& bytes);

// Copies src to dst through a temporary file in dst's folder (atomic). Fails when src and dst
// are the same file, so a copy onto itself can never destroy it.
bool CopyFile(const std::string& src, const std::string& dst);
bool DeleteFile(const std::string& path);
// Makes the file writable for its owner again (the "normal" attributes).
bool ResetAttributes(const std::string& path);
// Creates the folder (and missing parents) with the case given; true when it exists afterwards.
bool MakeDirs(const std::string& path);
// True when both paths name the same file on disk.
bool SameFile(const std::string& a, const std::string& b);
// True when a new file can be created in folder.
bool FolderWritable(const std::string& folder);

// Test seam: while set, every WriteFileAtomic/CopyFile fails as a full disk would.
void SimulateWriteFailure(bool on);

}  // namespace platform
