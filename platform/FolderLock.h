#pragma once

#include <filesystem>
#include <system_error>

// An advisory lock on a file that one holder at a time has: taken without waiting and held until the object
// dies or the process ends (the system releases it then, so a killed holder never keeps it). The programs
// the process starts do not inherit it.
namespace platform {

class FolderLock {
 public:
  FolderLock() = default;
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Creates the lock file and its folder when missing and takes the lock. Fails with
  // `resource_unavailable_try_again` when another holder has it, leaving the file as it was, and with
  // `invalid_argument` when the lock file is no regular file or a symbolic link. Never blocks.
  bool lock(const std::filesystem::path& file, std::error_code& ec);
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace platform
