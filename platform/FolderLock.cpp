#include "FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "FileOps.h"

namespace platform {

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool FolderLock::lock(const std::filesystem::path& file, std::error_code& ec) {
  ec.clear();
  if (held()) return true;
  if (!createFolder(file.parent_path(), ec)) return false;
  // Non-blocking, so that a FIFO in its place cannot hold the start; no symbolic link.
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
  if (fd < 0) {
    ec = std::error_code(errno == ELOOP ? EINVAL : errno, std::generic_category());
    return false;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ec = std::make_error_code(std::errc::invalid_argument);
    ::close(fd);
    return false;
  }
  int result;
  while ((result = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (result != 0) {
    ec = std::error_code(errno == EWOULDBLOCK ? EAGAIN : errno, std::generic_category());
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

}  // namespace platform
