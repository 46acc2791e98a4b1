#include "CheckedSaveCopy.h"

#include <charconv>
#include <string_view>
#include <vector>

#include "ChildProcess.h"
#include "FileOps.h"

namespace Qorvex6 {
namespace {

namespace fs = std::filesystem;

// The checker's first line of output.
std::string_view firstLine(std::string_view output) {
  return output.substr(0, output.find('\n'));
}

// The n of a "version <n>" line; false for anything else.
bool parseVersion(std::string_view line, int& version) {
  constexpr std::string_view kPrefix = "version ";
  if (line.substr(0, kPrefix.size()) != kPrefix) return false;
  line.remove_prefix(kPrefix.size());
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), version);
  return error == std::errc() && end == line.data() + line.size();
}

}  // namespace

CheckedSaveCopy::~CheckedSaveCopy() {
  remove();
}

void CheckedSaveCopy::remove() {
  if (copy_.empty()) return;
  // The engine in the checker may have left its side files beside the copy.
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
    std::error_code ec;
    fs::remove(copy_.string() + suffix, ec);
  }
  copy_.clear();
}

bool CheckedSaveCopy::make(const SaveChecker& checker, const fs::path& save, const fs::path& beside,
                           const fs::path& templateFile) {
  remove();
  fault_.clear();
  version_ = 0;
  if (checker.program.empty()) {
    fault_ = "no save checker";
    return false;
  }
  std::error_code ec;
  if (!platform::copyToTemporary(save, beside, copy_, ec)) {
    fault_ = "cannot copy: " + ec.message();
    return false;
  }
  const platform::ProcessOutcome outcome =
      platform::runProcess(checker.program, {copy_.string(), templateFile.string()}, checker.limit);
  const std::string_view line = firstLine(outcome.output);
  if (outcome.succeeded() && parseVersion(line, version_)) return true;

  if (outcome.kind == platform::ProcessOutcome::Exited && outcome.status == 1 && !line.empty()) {
    fault_ = line;  // the checker's own reason
  } else {
    fault_ = "the check ended with " + outcome.describe();
    if (!line.empty()) fault_ += ": " + std::string(line);
  }
  remove();
  return false;
}

bool CheckedSaveCopy::moveOver(const fs::path& target, std::error_code& ec) {
  if (!platform::moveOver(copy_, target, ec)) return false;
  copy_.clear();
  return true;
}

}  // namespace Qorvex6
