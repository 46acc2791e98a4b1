#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

namespace Qorvex6 {

// How long the save checker may take: a sound save checks in well under a second; the sanitizer builds
// run the checker several times slower.
#ifdef QORVEX_SANITIZED
inline constexpr std::chrono::milliseconds kSaveCheckLimit{30000};
#else
inline constexpr std::chrono::milliseconds kSaveCheckLimit{5000};
#endif

// The save checker program and how long it may take.
struct SaveChecker {
  std::filesystem::path program;
  std::chrono::milliseconds limit{kSaveCheckLimit};
};

// A private copy of a save, checked out of process before the game opens it: a file that crashes or hangs
// the database engine takes only the checker with it. The copy is removed with this object unless it was
// moved into place.
class CheckedSaveCopy {
 public:
  CheckedSaveCopy() = default;
  ~CheckedSaveCopy();
  CheckedSaveCopy(const CheckedSaveCopy&) = delete;
  CheckedSaveCopy& operator=(const CheckedSaveCopy&) = delete;

  // Copies `save` (a regular file) to a temporary file beside `beside` and has the checker check that
  // copy against the template. False, with the reason in fault() and no copy left, when it is refused.
  bool make(const SaveChecker& checker, const std::filesystem::path& save,
            const std::filesystem::path& beside, const std::filesystem::path& templateFile);

  // The version the checker read; valid after make() succeeded.
  int version() const { return version_; }
  const std::string& fault() const { return fault_; }

  // Renames the checked copy over `target`; afterwards there is no copy to remove.
  bool moveOver(const std::filesystem::path& target, std::error_code& ec);

 private:
  void remove();

  std::filesystem::path copy_;
  int version_ = 0;
  std::string fault_;
};

}  // namespace Qorvex6
