#pragma once
// Small routines that start-up and the screens share.
#include <functional>
#include <string>

namespace shell {

// True when a file or a folder exists at path (letter case ignored); false for an empty path.
// The levels folder with an empty file name ("levels/") answers true when the folder exists.
bool FileExists(const std::string& path);
// True when path names an existing folder or file; any error while testing counts as false.
bool DirExists(const std::string& path);
// The path with every component as stored on disk; empty when a component does not exist or
// the input is empty. A trailing '/' of the input does not appear in the result.
std::string GetLongFileName(const std::string& path);

// The game's page on the maker's web site.
inline constexpr const char kWebPageAddress[] = "https://frostlide.example.org/";

// Opens an address with the desktop (platform::OpenWithDesktop in the game; a recorder in tests).
using DesktopOpener = std::function<bool(const std::string& target)>;

// Said when no browser could be started, followed by the address on its own so it can be
// typed by hand (each fits the game's one-line box).
inline constexpr const char kNoBrowserMessage[] = "No web browser could be started.";
// How long the desktop's opener is watched for giving up at once (no browser to start).
inline constexpr int kOpenerWatchMs = 1500;

// Opens the game's web page in the default browser without waiting for it; false when no
// browser could be started (the caller tells the player).
bool OpenWebPage(const DesktopOpener& open);
bool OpenWebPage();

}  // namespace shell
