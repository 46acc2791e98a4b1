// One running game per user folder: the game locks the folder at start, before it touches any file in it,
// and holds the lock until it ends.

#pragma once

#include <optional>

#include <QString>

#include "FolderLock.h"

namespace desk {

// The lock file in the user folder.
inline constexpr char kUserFolderLockName[] = "qorvex.lock";

// The refusal when another running game holds the user folder.
inline constexpr char kAlreadyRunning[] = "Qorvex is already running for this player folder.";

// Takes the lock of userFolder() into `lock`, creating the folder and its lock file when missing. Returns
// the message for the player when it cannot be taken (another game holds it, or the folder cannot be
// locked); nothing in the folder is changed then.
std::optional<QString> lockUserFolder(platform::FolderLock& lock);

}  // namespace desk
