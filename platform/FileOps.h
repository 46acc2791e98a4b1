#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// File helpers for the game's files: whole-file replacement that a crash never leaves half done, a move
// that never replaces, folder listing. Every operation reports through an error_code and never throws.
namespace platform {

// Replaces `target` with `bytes`: they go to a new temporary file in the target's folder, are flushed to
// disk, and the temporary file is renamed over the target. On failure the target is as it was and the
// temporary file is gone.
bool writeFileAtomic(const std::filesystem::path& target, std::string_view bytes, std::error_code& ec);

// Replaces `target` with a copy of `source`, the same way; `source` must be a regular file (opening it
// never blocks).
bool copyFileAtomic(const std::filesystem::path& source, const std::filesystem::path& target,
                    std::error_code& ec);

// Copies `source` to `target` the same way, but only where no file of that name exists: fails with
// `file_exists` when `target` exists, which is then left alone.
bool copyFileNoReplace(const std::filesystem::path& source, const std::filesystem::path& target,
                       std::error_code& ec);

// Copies `source`, which must be a regular file and no symbolic link, to a new temporary file beside
// `beside` (named as the replacements above name theirs), flushed to disk; its path goes to `temporary`.
// On failure no temporary file is left.
bool copyToTemporary(const std::filesystem::path& source, const std::filesystem::path& beside,
                     std::filesystem::path& temporary, std::error_code& ec);

// Renames `from` over `to`, replacing it.
bool moveOver(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec);

// Whether `file` is a regular file and no symbolic link; opening it to see never blocks (a FIFO, a
// device). Fails with `invalid_argument` for any other kind of file.
bool isRegularFile(const std::filesystem::path& file, std::error_code& ec);

// Moves `from` to `to`; fails with `file_exists` when `to` exists, which is then left alone.
bool moveNoReplace(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec);

// Removes the rollback journal of a database file (`<file>-journal`); true when none is left.
bool removeJournal(const std::filesystem::path& databaseFile, std::error_code& ec);

// The whole file, which must be a regular file and no symbolic link (opening it never blocks; any other
// kind of file fails with `invalid_argument`); fails with `file_too_large` when it holds more than
// `maxBytes`.
bool readFile(const std::filesystem::path& file, std::size_t maxBytes, std::string& bytes,
              std::error_code& ec);

// Creates the folder and every missing parent; true when it exists afterwards.
bool createFolder(const std::filesystem::path& folder, std::error_code& ec);

// The names of the files (or, with `folders`, of the sub-folders) in a folder, sorted without regard to
// ASCII case and then bytewise; the temporary files of the replacements above (".<name>.tmp-XXXXXX", left
// by a crash) are not listed. A missing or unreadable folder gives an empty list.
std::vector<std::string> listFolder(const std::filesystem::path& folder, bool folders);

// Removes the temporary files of the replacements above (".<name>.tmp-XXXXXX") that a crash left in
// `folder` and that were last written at least `minAge` ago: a younger one may belong to a replacement
// still running. Nothing else is touched. Returns how many were removed.
std::size_t removeStaleTemporaries(const std::filesystem::path& folder, std::chrono::seconds minAge);

// Test hook: asked before each step of the operations above ("create", "write", "sync", "close",
// "rename", "move") with the file concerned; a non-zero result fails that step with that errno value. Empty
// (the default) lets every step run.
using FileFaultHook = std::function<int(std::string_view step, const std::filesystem::path& file)>;
void setFileFaultHook(FileFaultHook hook);

}  // namespace platform
