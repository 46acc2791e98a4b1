#include "FileOps.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <mutex>

#include "AsciiText.h"

namespace platform {
namespace {

std::mutex hookLock;
std::shared_ptr<const FileFaultHook>& installedHook() {
  static std::shared_ptr<const FileFaultHook> hook;
  return hook;
}

// The errno value the test hook wants this step to fail with; 0 normally.
int injectedFault(std::string_view step, const std::filesystem::path& file) {
  std::shared_ptr<const FileFaultHook> hook;
  {
    std::lock_guard lock(hookLock);
    hook = installedHook();
  }
  return hook ? (*hook)(step, file) : 0;
}

bool fail(std::error_code& ec, int error) {
  ec = std::error_code(error, std::generic_category());
  return false;
}

// Runs a system call step: the hook may fail it first; otherwise its -1 result fails with errno.
template <typename Call>
bool step(std::string_view name, const std::filesystem::path& file, std::error_code& ec, Call call) {
  if (const int fault = injectedFault(name, file); fault != 0) return fail(ec, fault);
  if (call() == -1) return fail(ec, errno);
  return true;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() { reset(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Gives up ownership without closing.
  void release() { fd_ = -1; }
  // Closes now; the result of close() (-1 with errno on failure).
  int reset() {
    if (fd_ < 0) return 0;
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

bool writeAll(int fd, std::string_view bytes, const std::filesystem::path& file, std::error_code& ec) {
  if (const int fault = injectedFault("write", file); fault != 0) return fail(ec, fault);
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(ec, errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::filesystem::path folderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// Makes a rename in `folder` durable; best effort, since the rename itself has already happened.
void syncFolder(const std::filesystem::path& folder) {
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

// The temporary file of a replacement is "." + the target's name + ".tmp-" + six letters or digits.
constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::size_t kTemporaryRandom = 6;

bool isTemporaryName(std::string_view name) {
  const std::size_t tail = kTemporaryMark.size() + kTemporaryRandom;
  if (name.size() < 2 + tail || name.front() != '.') return false;
  if (name.substr(name.size() - tail, kTemporaryMark.size()) != kTemporaryMark) return false;
  return std::all_of(name.end() - kTemporaryRandom, name.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  });
}

// Renames `from` to `to` unless `to` exists (EEXIST then); -1 with errno on failure.
int renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  // A file system without the flag: a hard link also refuses an existing name.
  if (::link(from.c_str(), to.c_str()) != 0) return -1;
  if (::unlink(from.c_str()) != 0) {
    const int error = errno;
    ::unlink(to.c_str());
    errno = error;
    return -1;
  }
  return 0;
}

enum class Placing { Replace, NoReplace };

// Creates a temporary file beside `target`, fills it through `fill` and flushes it to disk; on failure it
// is gone again.
template <typename Fill>
bool writeTemporary(const std::filesystem::path& target, std::filesystem::path& temporary,
                    std::error_code& ec, Fill fill) {
  ec.clear();
  const std::filesystem::path folder = folderOf(target);
  std::string name = target.filename().string();
  if (name.size() > 200) name.resize(200);  // room for the suffix within a file name's 255 bytes
  std::string pattern =
      (folder / ("." + name + std::string(kTemporaryMark) + std::string(kTemporaryRandom, 'X'))).string();

  if (const int fault = injectedFault("create", target); fault != 0) return fail(ec, fault);
  FileDescriptor fd(::mkostemp(pattern.data(), O_CLOEXEC));
  if (fd.get() < 0) return fail(ec, errno);
  const std::filesystem::path written = pattern;

  if (!(fill(fd.get(), ec) && step("sync", target, ec, [&] { return ::fsync(fd.get()); }) &&
        step("close", target, ec, [&] { return fd.reset(); }))) {
    fd.reset();
    ::unlink(written.c_str());
    return false;
  }
  temporary = written;
  return true;
}

// Renames `temporary` to `target`: over it, or only where no file of that name exists.
bool renameInto(const std::filesystem::path& temporary, const std::filesystem::path& target,
                std::error_code& ec, Placing placing = Placing::Replace) {
  if (!step("rename", target, ec, [&] {
        return placing == Placing::Replace ? ::rename(temporary.c_str(), target.c_str())
                                           : renameNoReplace(temporary, target);
      }))
    return false;
  syncFolder(folderOf(target));
  return true;
}

// Writes a temporary file beside `target` through `fill`, flushes it and renames it to the target.
template <typename Fill>
bool replaceFile(const std::filesystem::path& target, std::error_code& ec, Fill fill,
                 Placing placing = Placing::Replace) {
  std::filesystem::path temporary;
  if (!writeTemporary(target, temporary, ec, fill)) return false;
  if (!renameInto(temporary, target, ec, placing)) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

// Opens a file for reading that must be a regular file; a FIFO or device does not block the open. -1 on
// failure.
int openRegular(const std::filesystem::path& file, int extraFlags, std::error_code& ec) {
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | extraFlags));
  struct stat info {};
  int error = 0;
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) {
    error = errno == ELOOP ? EINVAL : errno;  // a symbolic link refused by O_NOFOLLOW: no regular file
  } else if (!S_ISREG(info.st_mode)) {
    error = EINVAL;
  }
  if (error != 0) {
    fail(ec, error);
    return -1;
  }
  const int result = fd.get();
  fd.release();
  return result;
}

// Copies the whole of `in` to `out`.
bool copyAll(int in, int out, const std::filesystem::path& target, std::error_code& ec) {
  std::unique_ptr<char[]> buffer(new char[1 << 16]);
  for (;;) {
    const ssize_t n = ::read(in, buffer.get(), 1 << 16);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(ec, errno);
    }
    if (n == 0) return true;
    if (!writeAll(out, std::string_view(buffer.get(), static_cast<std::size_t>(n)), target, ec)) return false;
  }
}

bool lessFolderName(const std::string& a, const std::string& b) {
  const auto lowerLess = [](char x, char y) {
    return static_cast<unsigned char>(asciiLower(x)) < static_cast<unsigned char>(asciiLower(y));
  };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lowerLess)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lowerLess)) return false;
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

bool copyFile(const std::filesystem::path& source, const std::filesystem::path& target, Placing placing,
              std::error_code& ec) {
  ec.clear();
  FileDescriptor in(openRegular(source, 0, ec));
  if (in.get() < 0) return false;
  return replaceFile(
      target, ec, [&](int out, std::error_code& error) { return copyAll(in.get(), out, target, error); },
      placing);
}

}  // namespace

bool writeFileAtomic(const std::filesystem::path& target, std::string_view bytes, std::error_code& ec) {
  return replaceFile(target, ec,
                     [&](int fd, std::error_code& error) { return writeAll(fd, bytes, target, error); });
}

bool copyFileAtomic(const std::filesystem::path& source, const std::filesystem::path& target,
                    std::error_code& ec) {
  return copyFile(source, target, Placing::Replace, ec);
}

bool copyFileNoReplace(const std::filesystem::path& source, const std::filesystem::path& target,
                       std::error_code& ec) {
  return copyFile(source, target, Placing::NoReplace, ec);
}

bool copyToTemporary(const std::filesystem::path& source, const std::filesystem::path& beside,
                     std::filesystem::path& temporary, std::error_code& ec) {
  ec.clear();
  FileDescriptor in(openRegular(source, O_NOFOLLOW, ec));
  if (in.get() < 0) return false;
  return writeTemporary(beside, temporary, ec, [&](int out, std::error_code& error) {
    return copyAll(in.get(), out, beside, error);
  });
}

bool moveOver(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec) {
  ec.clear();
  return renameInto(from, to, ec);
}

bool isRegularFile(const std::filesystem::path& file, std::error_code& ec) {
  ec.clear();
  FileDescriptor fd(openRegular(file, O_NOFOLLOW, ec));
  return fd.get() >= 0;
}

bool moveNoReplace(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec) {
  ec.clear();
  if (const int fault = injectedFault("move", to); fault != 0) return fail(ec, fault);
  if (renameNoReplace(from, to) != 0) return fail(ec, errno);
  syncFolder(folderOf(to));
  return true;
}

bool removeJournal(const std::filesystem::path& databaseFile, std::error_code& ec) {
  ec.clear();
  const std::filesystem::path journal = databaseFile.string() + "-journal";
  if (::unlink(journal.c_str()) != 0 && errno != ENOENT) return fail(ec, errno);
  return true;
}

bool readFile(const std::filesystem::path& file, std::size_t maxBytes, std::string& bytes,
              std::error_code& ec) {
  ec.clear();
  bytes.clear();
  FileDescriptor in(openRegular(file, O_NOFOLLOW, ec));
  if (in.get() < 0) return false;
  char buffer[1 << 14];
  for (;;) {
    const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      bytes.clear();
      return fail(ec, errno);
    }
    if (n == 0) return true;
    if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
      bytes.clear();
      return fail(ec, EFBIG);
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

bool createFolder(const std::filesystem::path& folder, std::error_code& ec) {
  ec.clear();
  std::filesystem::create_directories(folder, ec);
  if (ec) return false;
  if (!std::filesystem::is_directory(folder, ec)) {
    if (!ec) ec = std::make_error_code(std::errc::not_a_directory);
    return false;
  }
  return true;
}

std::vector<std::string> listFolder(const std::filesystem::path& folder, bool folders) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code kindError;
    const bool isFolder = it->is_directory(kindError);  // follows symbolic links
    if (kindError) continue;
    std::string name = it->path().filename().string();
    if (isFolder != folders || (!isFolder && isTemporaryName(name))) continue;
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), lessFolderName);
  return names;
}

std::size_t removeStaleTemporaries(const std::filesystem::path& folder, std::chrono::seconds minAge) {
  std::size_t removed = 0;
  std::error_code ec;
  const auto now = std::filesystem::file_time_type::clock::now();
  std::filesystem::directory_iterator it(folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code fileError;
    if (!it->is_regular_file(fileError) || !isTemporaryName(it->path().filename().string())) continue;
    const auto written = it->last_write_time(fileError);
    if (fileError || now - written < minAge) continue;
    if (std::filesystem::remove(it->path(), fileError)) ++removed;
  }
  return removed;
}

void setFileFaultHook(FileFaultHook hook) {
  auto installed = hook ? std::make_shared<const FileFaultHook>(std::move(hook)) : nullptr;
  std::lock_guard lock(hookLock);
  installedHook() = std::move(installed);
}

}  // namespace platform
