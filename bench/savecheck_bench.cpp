// What checking a save before it is loaded costs: the copy beside the working copy, the checker's start
// and its checks, on the template and on a save after some days of play.
//
//   qorvex_savecheck_bench [--days N] [--runs N]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "CheckedSaveCopy.h"
#include "Qorvex6class.h"
#include "qx_Thread.h"

namespace {

namespace fs = std::filesystem;
using namespace Qorvex6;

// Milliseconds of each of `runs` checks of `save`.
std::vector<double> timeChecks(const SaveChecker& checker, const fs::path& save, const fs::path& beside,
                               const fs::path& templateFile, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    CheckedSaveCopy copy;
    const auto start = std::chrono::steady_clock::now();
    const bool sound = copy.make(checker, save, beside, templateFile);
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    if (!sound) {
      std::fprintf(stderr, "%s refused: %s\n", save.c_str(), copy.fault().c_str());
      std::exit(1);
    }
  }
  std::sort(times.begin(), times.end());
  return times;
}

void print(const char* label, const fs::path& save, const std::vector<double>& t) {
  std::printf("%-18s %7.0f KB | p50 %6.1f ms  p95 %6.1f ms  max %6.1f ms  (%zu runs)\n", label,
              static_cast<double>(fs::file_size(save)) / 1024, t[t.size() / 2], t[(t.size() - 1) * 95 / 100],
              t.back(), t.size());
}

}  // namespace

int main(int argc, char** argv) {
  int days = 5;
  int runs = 20;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "--days") days = std::max(0, std::atoi(argv[i + 1]));
    if (flag == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
  }
  const fs::path user = fs::temp_directory_path() / "qorvex-savecheck-bench";
  fs::remove_all(user);
  fs::create_directories(user / "Save");

  qxNullHost host;
  const SaveChecker checker{QORVEX_SAVE_CHECKER};
  QorvexCore core(host, {QORVEX_RESOURCE_DIR, user, checker});
  if (!core.createGame("Bench")) {
    std::fprintf(stderr, "cannot start a game from %s\n", core.templatePath().c_str());
    return 1;
  }
  {
    qxTickRunner runner(core);
    const int lastDay = core.database->daycount + days;
    while (core.database->daycount < lastDay)
      runner.runTick();
  }
  const fs::path played = core.savePath("Bench");
  if (!core.saveGame(played.string())) {
    std::fprintf(stderr, "cannot save %s\n", played.c_str());
    return 1;
  }
  core.database->closeDatabase();

  std::printf("The check before a load: copy, checker start, quick check and schema comparison.\n");
  print("template", core.templatePath(),
        timeChecks(checker, core.templatePath(), core.workingCopyPath(), core.templatePath(), runs));
  char label[32];
  std::snprintf(label, sizeof label, "after %d days", days);
  print(label, played, timeChecks(checker, played, core.workingCopyPath(), core.templatePath(), runs));
  fs::remove_all(user);
  return 0;
}
