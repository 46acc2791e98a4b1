// Plays copies of the template without windows and prints what the cycle-closing ticks cost, as a
// share of the Fast clock interval (1000 ms).
//
//   qorvex_bench [--days N] [--scales 1,4,16]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "Qorvex6class.h"
#include "qx_Thread.h"

namespace {

using namespace Qorvex6;

constexpr double kFastIntervalMs = 1000;

double percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const auto at = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
  return v[std::min(at, v.size() - 1)];
}

double mean(const std::vector<double>& v) {
  return v.empty() ? 0 : std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}

// A copy of the template whose exchanges list `scale` times the stocks, each copy a company of its own.
std::filesystem::path scaledTemplate(const std::filesystem::path& folder, int scale) {
  const auto file = folder / ("game-x" + std::to_string(scale) + ".db");
  std::filesystem::copy_file(QORVEX_TEMPLATE_FILE, file, std::filesystem::copy_options::overwrite_existing);
  platform::DbConnection db;
  db.open(file, DATABASE_PASSWORD);
  const std::string stocks = std::to_string(db.query("SELECT max(id) FROM stock").at(0, 0).asInteger());
  const std::string companies =
      std::to_string(db.query("SELECT max(rowid) FROM company").at(0, 0).asInteger());
  for (int copy = 2; copy <= scale; ++copy) {
    const std::string suffix = std::to_string(copy);
    db.executeScript(
        "INSERT INTO company (company, symbol, sector, balance) SELECT company || ' " + suffix +
        "', symbol || '" + suffix + "', sector, balance FROM company WHERE rowid <= " + companies +
        ";"
        "INSERT INTO stock (symbol, company, marketTitle, vol, par_value, div_numdays, div_perShare, "
        "div_dayleft,"
        " div_yield, currentPrice, closeprice, closepriceY, wk52high, wk52low, pe, eps, beta, popularity)"
        " SELECT symbol || '" +
        suffix + "', company || ' " + suffix +
        "', marketTitle, vol, par_value, div_numdays, div_perShare, div_dayleft, div_yield, currentPrice,"
        " closeprice, closepriceY, wk52high, wk52low, pe, eps, beta, popularity FROM stock WHERE id <= " +
        stocks + ";");
  }
  return file;
}

struct Run {
  std::vector<double> cycle, boundary, workers, apply, conclude, plainTick, perStock;
  std::vector<double> statements, commits;
  double longestLock = 0;
  int stocks = 0;
};

Run play(const std::filesystem::path& file, int timelineMode, int days) {
  qxNullHost host;
  QorvexCore core(host);
  core.database->openDatabase(file.string(), DATABASE_PASSWORD);
  core.database->readProfile();
  core.database->timelineMode = timelineMode;
  Run run;
  run.stocks = core.database->connection->query("SELECT count(*) FROM stock").at(0, 0).asInteger();
  TickOptions options;
  options.report = [&run](const TickReport& r) {
    run.longestLock = std::max(run.longestLock, r.longestLockMs);
    if (!r.newCycle) {
      run.plainTick.push_back(r.totalMs);
      return;
    }
    run.cycle.push_back(r.totalMs);
    run.boundary.push_back(r.boundaryMs);
    run.workers.push_back(r.workersMs);
    run.apply.push_back(r.applyMs);
    run.conclude.push_back(r.concludeMs);
    run.statements.push_back(static_cast<double>(r.statements));
    run.commits.push_back(static_cast<double>(r.commits));
    if (r.chosenStocks > 0) run.perStock.push_back(r.totalMs / r.chosenStocks);
  };
  qxTickRunner runner(core, options);
  const int lastDay = core.database->daycount + days;
  while (core.database->daycount < lastDay)
    runner.runTick();
  return run;
}

void print(const char* label, int scale, const Run& r) {
  const auto ratio = [](double ms) { return ms / kFastIntervalMs; };
  std::printf(
      "%-9s x%-3d %5d stocks %4zu cycles | cycle p50 %.3f p95 %.3f max %.3f | boundary %.3f workers %.3f"
      " apply %.3f conclude %.3f | lock max %.3f | per stock %.2f ms | stmts/cycle %.0f commits/cycle %.1f"
      " | plain tick %.6f\n",
      label, scale, r.stocks, r.cycle.size(), ratio(percentile(r.cycle, 0.5)),
      ratio(percentile(r.cycle, 0.95)), ratio(percentile(r.cycle, 1)), ratio(mean(r.boundary)),
      ratio(mean(r.workers)), ratio(mean(r.apply)), ratio(mean(r.conclude)), ratio(r.longestLock),
      percentile(r.perStock, 0.5), mean(r.statements), mean(r.commits), ratio(percentile(r.plainTick, 0.5)));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  int days = 2;
  std::vector<int> scales = {1, 4, 16};
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "--days") {
      days = std::max(1, std::atoi(argv[i + 1]));
    } else if (flag == "--scales") {
      scales.clear();
      std::stringstream list(argv[i + 1]);
      for (std::string item; std::getline(list, item, ',');)
        scales.push_back(std::max(1, std::stoi(item)));
    }
  }
  const auto folder = std::filesystem::temp_directory_path() / "qorvex-bench";
  std::filesystem::create_directories(folder);
  std::printf(
      "Cycle-closing tick times as a share of the Fast interval (1000 ms); means for the phases;"
      " %d game days per timeline.\n",
      days);
  for (const int scale : scales) {
    const auto file = scaledTemplate(folder, scale);
    const auto swift = folder / ("swift-x" + std::to_string(scale) + ".db");
    std::filesystem::copy_file(file, swift, std::filesystem::copy_options::overwrite_existing);
    print("Realtime", scale, play(file, 0, days));
    print("Swift", scale, play(swift, 1, days));
  }
  std::filesystem::remove_all(folder);
  return 0;
}
