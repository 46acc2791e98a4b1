#include <algorithm>
#include <mutex>
#include <string_view>
#include <system_error>
#include <unordered_map>

#include "AsciiText.h"
#include "DateTime.h"
#include "ExportText.h"
#include "ExportValues.h"
#include "FileOps.h"
#include "PlayerName.h"
#include "Qorvex6class.h"
#include "SaveValues.h"

namespace Qorvex6 {
namespace {

namespace fs = std::filesystem;

constexpr int CURRENT_VERSION = 670;
constexpr std::size_t MAX_EXPORT_FILE = std::size_t{1} << 20;

void report(const std::string& what, const fs::path& file, const std::error_code& ec = {}) {
  QorvexCore::debugLog("game files: " + what + " " + file.string() + (ec ? ": " + ec.message() : ""));
}

// Versions that are read through their export into a new game.
bool isMigrated(int version) {
  return version != CURRENT_VERSION && version > CURRENT_VERSION - 100 && version < CURRENT_VERSION + 100;
}

void setStartingBudgets(qxSaveGame& db) {
  static constexpr double kBudgets[6] = {1000000, 5000, 0, 0, 4500, 40250};
  std::copy(std::begin(kBudgets), std::end(kBudgets), db.profile.budget);
}

// Every starting value of a new game but the name, the budgets and the statistics.
void setStartingState(qxSaveGame& db) {
  db.profile.joinDay = 1;
  db.profile.joinMonth = 1;
  db.profile.joinYear = 2500;
  const platform::CivilDate today = platform::localToday();
  db.profile.debutDay = static_cast<std::uint16_t>(today.day);
  db.profile.debutMonth = static_cast<std::uint16_t>(today.month);
  db.profile.debutYear = static_cast<std::uint16_t>(today.year);
  db.clockTick = 0;
  db.daycount = 0;
  db.autoUpdate = true;
  db.enableLargeDB = false;
  db.autoSaveFreq = 1;
  db.speed = 0;
  db.timelineMode = 0;
  static constexpr float kRates[6] = {1, 49, 0.4f, 25, 31, 4};
  std::copy(std::begin(kRates), std::end(kRates), db.rateExchange);
}

ExportRecord recordOf(const qxProfile& p) {
  ExportRecord r;
  r.playerName = p.playerName;
  std::copy(std::begin(p.budget), std::end(p.budget), r.budget);
  r.statHighestBudget = p.statHighestBudget;
  r.statHighestPortVal = p.statHighestPortVal;
  r.statHighestProfit_Symbol = p.statHighestProfit_Symbol;
  r.statHighestProfit_Val = p.statHighestProfit_Val;
  r.statHighestLoss_Symbol = p.statHighestLoss_Symbol;
  r.statHighestLoss_Val = p.statHighestLoss_Val;
  r.statLongestHolding_Symbol = p.statLongestHolding_Symbol;
  r.statLongestHolding_Val = p.statLongestHolding_Val;
  return r;
}

void applyRecord(const ExportRecord& r, qxProfile& p) {
  platform::copyBounded(p.playerName, r.playerName);
  std::copy(std::begin(r.budget), std::end(r.budget), p.budget);
  p.statHighestBudget = r.statHighestBudget;
  p.statHighestPortVal = r.statHighestPortVal;
  platform::copyBounded(p.statHighestProfit_Symbol, r.statHighestProfit_Symbol);
  p.statHighestProfit_Val = r.statHighestProfit_Val;
  platform::copyBounded(p.statHighestLoss_Symbol, r.statHighestLoss_Symbol);
  p.statHighestLoss_Val = r.statHighestLoss_Val;
  platform::copyBounded(p.statLongestHolding_Symbol, r.statLongestHolding_Symbol);
  p.statLongestHolding_Val = r.statLongestHolding_Val;
}

// Closes the running game and makes room for a new working copy: its folder exists and a stale journal
// of the old working copy is gone (it would otherwise be rolled back into the new file).
bool clearWorkingCopy(QorvexCore& core) {
  core.database->closeDatabase();
  const fs::path working = core.workingCopyPath();
  std::error_code ec;
  if (!platform::createFolder(working.parent_path(), ec)) {
    report("cannot create the folder of", working, ec);
    return false;
  }
  if (!platform::removeJournal(working, ec)) {
    report("cannot remove the journal of", working, ec);
    return false;
  }
  return true;
}

// Closes the running game and puts a copy of `source` in place of the working copy.
bool replaceWorkingCopy(QorvexCore& core, const fs::path& source) {
  if (!clearWorkingCopy(core)) return false;
  const fs::path working = core.workingCopyPath();
  std::error_code ec;
  if (!platform::copyFileAtomic(source, working, ec)) {
    report("cannot copy " + source.string() + " to", working, ec);
    return false;
  }
  return true;
}

// Closes the running game and moves a checked copy of a save in place of the working copy. When that
// fails, the old working copy is still there and the running game goes on.
bool replaceWorkingCopy(QorvexCore& core, CheckedSaveCopy& copy) {
  const bool wasOpen = core.database->connection->isOpen();
  const fs::path working = core.workingCopyPath();
  std::error_code ec;
  if (clearWorkingCopy(core) && copy.moveOver(working, ec)) return true;
  if (ec) report("cannot move the checked save to", working, ec);
  if (!wasOpen) return false;
  try {
    core.database->openDatabase(working.string(), DATABASE_PASSWORD);
  } catch (const std::exception& e) {
    report(std::string("cannot open the running game again (") + e.what() + ")", working);
  }
  return false;
}

// A checked copy of the save beside the working copy, of a version the game opens or migrates; false,
// with the reason in the trace, when it is refused.
bool checkSave(QorvexCore& core, const fs::path& save, CheckedSaveCopy& copy) {
  const fs::path working = core.workingCopyPath();
  std::error_code ec;
  if (!platform::isRegularFile(save, ec)) {
    report("not a regular file (" + ec.message() + "):", save);
    return false;
  }
  if (!platform::createFolder(working.parent_path(), ec)) {
    report("cannot create the folder of", working, ec);
    return false;
  }
  if (!copy.make(core.folders().saveChecker, save, working, core.templatePath())) {
    report("refused (" + copy.fault() + "):", save);
    return false;
  }
  if (copy.version() != CURRENT_VERSION && !isMigrated(copy.version())) {
    report("refused version " + std::to_string(copy.version()) + " of", save);
    return false;
  }
  return true;
}

// Opens the working copy and reads its version; nothing (and the connection closed) when it does not
// open with the password or is damaged.
std::optional<int> openWorkingCopy(QorvexCore& core) {
  try {
    core.database->openDatabase(core.workingCopyPath().string(), DATABASE_PASSWORD);
    if (!core.database->checkIntegrity()) {
      report("damaged:", core.workingCopyPath());
      core.database->closeDatabase();
      return std::nullopt;
    }
    return core.database->readVersion();
  } catch (const std::exception& e) {
    report(std::string("cannot open (") + e.what() + ")", core.workingCopyPath());
    core.database->closeDatabase();
    return std::nullopt;
  }
}

bool readProfile(QorvexCore& core) {
  try {
    core.database->syncProfile(PROFILE_READ);
    return true;
  } catch (const std::exception& e) {
    report(std::string("cannot read the profile (") + e.what() + ") of", core.workingCopyPath());
    core.database->closeDatabase();
    return false;
  }
}

void refreshExport(QorvexCore& core, const fs::path& file) {
  try {
    if (!core.exportGame(file.string())) report("cannot write the export", file);
  } catch (const std::exception& e) {
    report(std::string("cannot write the export (") + e.what() + ")", file);
  }
}

// The template's game in the working copy, its profile read and its export written.
bool startFromTemplate(QorvexCore& core) {
  const fs::path source = core.templatePath();
  std::error_code ec;
  if (!fs::is_regular_file(source, ec)) {
    report("no template at", source, ec);
    return false;
  }
  if (!replaceWorkingCopy(core, source)) return false;
  const std::optional<int> version = openWorkingCopy(core);
  if (!version) return false;
  if (*version != CURRENT_VERSION) {
    report("the template is of version " + std::to_string(*version) + ":", source);
    core.database->closeDatabase();
    return false;
  }
  if (!readProfile(core)) return false;
  refreshExport(core, core.templateExportPath());
  return true;
}

// Reads an export into a fresh game from the template, in memory only, appending its holdings to `rows`;
// the tags read, or nothing when the file is no regular file or cannot be read, the template's game cannot
// be started, or the export holds a value that the load of a save refuses (the field in the trace).
std::optional<ExportTags> importExport(QorvexCore& core, const fs::path& file, std::vector<qxShare>* rows) {
  std::string stored;
  std::error_code ec;
  if (!platform::readFile(file, MAX_EXPORT_FILE, stored, ec)) {
    report(ec == std::errc::invalid_argument ? "not a regular file:" : "cannot read", file, ec);
    return std::nullopt;
  }
  if (!startFromTemplate(core)) return std::nullopt;

  ExportRecord record = recordOf(core.database->profile);
  const ExportTags tags = readExportText(decodeExportFile(stored), record);
  if (record.holdings.size() > MAX_EXPORT_HOLDINGS) {
    report("more than " + std::to_string(MAX_EXPORT_HOLDINGS) + " holdings in", file);
    core.database->closeDatabase();
    return std::nullopt;
  }
  // Whatever the game takes from an export must load again once it is saved.
  if (const std::optional<std::string> bad = firstExportValueOutOfDomain(record)) {
    report("value out of range: " + *bad + " in", file);
    core.database->closeDatabase();
    return std::nullopt;
  }
  applyRecord(record, core.database->profile);
  if (rows != nullptr) {
    for (const ExportRecord::Holding& h : record.holdings) {
      qxShare share;
      platform::copyBounded(share.symbol, h.symbol);
      share.avg_price = h.avg_price;
      share.vol = h.vol;
      share.heldlength = h.heldlength;
      rows->push_back(share);
    }
  }
  return tags;
}

// Copies the save to the first free name of " [backup]", " [backup 2]", ...; empty when it cannot.
fs::path copyToBackup(const fs::path& save) {
  for (int n = 1; n <= 1000; ++n) {
    const fs::path backup = save.string() + (n == 1 ? " [backup]" : " [backup " + std::to_string(n) + "]");
    std::error_code ec;
    if (platform::copyFileNoReplace(save, backup, ec)) return backup;
    if (ec != std::errc::file_exists) {
      report("cannot copy to " + backup.string() + ":", save, ec);
      return {};
    }
  }
  report("no free backup name for", save);
  return {};
}

// The holdings of a migrated save, each with the market of its listed stock (symbols compare without
// regard to ASCII case, as the stock table's do); unlisted ones are skipped.
bool insertMigratedHoldings(QorvexCore& core, std::vector<qxShare>& rows) {
  std::unordered_map<std::string, std::string> marketOf;
  for (const qxStockInfo& stock : core.database->getStocks(nullptr).items)
    marketOf.emplace(platform::asciiLowered(stock.symbol), stock.marketTitle);
  bool ok = true;
  for (qxShare& row : rows) {
    const auto listed = marketOf.find(platform::asciiLowered(row.symbol));
    if (listed == marketOf.end()) {
      QorvexCore::debugLog(std::string("game files: holding of unlisted ") + row.symbol + " skipped");
      continue;
    }
    platform::copyBounded(row.marketTitle, listed->second);
    ok = core.database->insertPortfolio(&row) && ok;
  }
  return ok;
}

// The migrated game written into the working copy in one transaction: a new game's clock and settings,
// the profile read from the export, and the holdings.
bool writeMigratedGame(QorvexCore& core, std::vector<qxShare>& rows) {
  qxSaveGame& db = *core.database;
  platform::DbTransaction transaction(*db.connection);
  setStartingState(db);
  bool ok = insertMigratedHoldings(core, rows);
  ok = db.writeProfile() && ok;
  return ok && transaction.commit();
}

// Copies the working copy over `target`, with no statement running meanwhile.
bool copyOutWorkingCopy(QorvexCore& core, const fs::path& target) {
  std::lock_guard lock(core.database->connection->mutex());
  std::error_code ec;
  if (!platform::copyFileAtomic(core.workingCopyPath(), target, ec)) {
    report("cannot save to", target, ec);
    return false;
  }
  return true;
}

// Keeps the old save as its backup and puts the migrated game in its place; on failure the save is as it
// was and no backup is left.
bool keepMigratedGame(QorvexCore& core, const fs::path& save) {
  const fs::path backup = copyToBackup(save);
  if (backup.empty()) return false;
  if (copyOutWorkingCopy(core, save)) return true;
  std::error_code ec;
  if (!fs::remove(backup, ec)) report("cannot remove the backup", backup, ec);
  return false;
}

// A save of an older or newer version becomes a new game with the name, cash, statistics and holdings of
// its export, saved over it at once; the old save stays as its backup, the export as it was. On failure
// the save is as it was and no game is open.
bool migrateSave(QorvexCore& core, const fs::path& save) {
  bool ok = false;
  try {
    const fs::path file = save.string() + ".exp";
    std::vector<qxShare> rows;
    const std::optional<ExportTags> tags = importExport(core, file, &rows);
    // Without the name and the cash the export is no game to go on with.
    if (tags && tags->test(0) && tags->test(1)) {
      ok = writeMigratedGame(core, rows);
    } else if (tags) {
      report("no name or no budgets in", file);
    }
  } catch (const std::exception& e) {
    report(std::string("migration failed (") + e.what() + ") for", save);
    ok = false;
  }
  ok = ok && keepMigratedGame(core, save);
  if (!ok) core.database->closeDatabase();
  return ok;
}

// Removes the save of `name` and its export from Save/; never the file just saved, should the file system
// see both names as one file.
void removeSave(const QorvexCore& core, const std::string& name, const fs::path& saved) {
  const fs::path save = core.savePath(name);
  if (save.empty()) return;
  for (const fs::path& file : {save, fs::path(save.string() + ".exp")}) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(file, ec);
    if (ec || !fs::exists(status) || fs::is_directory(status)) continue;
    if (fs::equivalent(file, saved, ec)) continue;
    if (!fs::remove(file, ec)) report("cannot remove the old save", file, ec);
  }
}

}  // namespace

fs::path QorvexCore::templatePath() const {
  return folders_.resources / "data" / "wvh.lyf";
}

fs::path QorvexCore::workingCopyPath() const {
  return folders_.user / "data" / "sharp.dde";
}

fs::path QorvexCore::templateExportPath() const {
  return folders_.user / "data" / "wvh.lyf.exp";
}

fs::path QorvexCore::saveFolderIn(const fs::path& userFolder) {
  return userFolder / "Save";
}

fs::path QorvexCore::saveFolder() const {
  return saveFolderIn(folders_.user);
}

fs::path QorvexCore::savePath(std::string_view playerName) const {
  if (!isValidPlayerName(playerName)) return {};
  return saveFolder() / fs::path(std::string(playerName));
}

bool QorvexCore::isInSaveFolder(const fs::path& path) const {
  std::error_code ec;
  const fs::path file = fs::absolute(path, ec).lexically_normal();
  if (ec) return false;
  const fs::path folder = fs::absolute(saveFolder(), ec).lexically_normal();
  if (ec) return false;
  return file.has_filename() && file.parent_path() == folder;
}

bool QorvexCore::hasSave(std::string_view playerName) const {
  const fs::path save = savePath(playerName);
  std::error_code ec;
  return !save.empty() && fs::exists(fs::symlink_status(save, ec));
}

bool QorvexCore::isAnotherGamesSave(std::string_view playerName) const {
  if (!hasSave(playerName)) return false;
  if (saveName_.empty()) return true;
  if (playerName == saveName_) return false;
  std::error_code ec;
  return !fs::equivalent(savePath(playerName), savePath(saveName_), ec);
}

bool QorvexCore::createGame(std::optional<std::string> playerName, std::vector<qxShare> rows) {
  if (playerName && !isValidPlayerName(*playerName)) {
    debugLog("game files: not a valid player name: " + *playerName);
    return false;
  }
  // A new game has no save of its own yet, even when one of its name is left from another game.
  saveName_.clear();
  removeStaleSaveTemporaries(saveFolder());
  if (!startFromTemplate(*this)) return false;
  if (!playerName) return false;

  qxSaveGame& db = *database;
  platform::copyBounded(db.profile.playerName, *playerName);
  setStartingBudgets(db);
  setStartingState(db);
  bool ok = true;
  for (const qxShare& row : rows)
    ok = db.insertPortfolio(&row) && ok;
  return db.writeProfile() && ok;
}

bool QorvexCore::saveGame(const std::string& path) {
  const fs::path target(path);
  const std::string name = target.filename().string();
  if (!isInSaveFolder(target) || !isValidPlayerName(name)) {
    report("not a save path:", target);
    return false;
  }
  std::lock_guard gameLock(host().gameLock());
  if (isAnotherGamesSave(name)) {
    report("another game's save, not replaced:", target);
    return false;
  }
  if (!database->writeProfile()) {
    report("the profile was not written; nothing saved to", target);
    return false;
  }
  if (!copyOutWorkingCopy(*this, target)) return false;
  // The game now lives under the new name: a renamed player leaves no save of the old name behind.
  if (!saveName_.empty() && saveName_ != name) removeSave(*this, saveName_, target);
  saveName_ = name;
  return true;
}

bool QorvexCore::loadGame(const std::string& path) {
  const fs::path save(path);
  if (!isInSaveFolder(save)) {
    report("not a save path:", save);
    return false;
  }
  removeStaleSaveTemporaries(saveFolder());
  // A load killed while its copy was checked leaves the copy beside the working copy.
  platform::removeStaleTemporaries(workingCopyPath().parent_path(), std::chrono::minutes(1));
  CheckedSaveCopy copy;
  if (!checkSave(*this, save, copy)) return false;

  if (!replaceWorkingCopy(*this, copy)) return false;
  saveName_.clear();
  const std::optional<int> version = openWorkingCopy(*this);
  if (!version) return false;
  if (*version == CURRENT_VERSION) {
    if (!storedValuesAreSound(*database)) {
      database->closeDatabase();
      return false;
    }
    if (!readProfile(*this)) return false;
    refreshExport(*this, path + ".exp");
    saveName_ = save.filename().string();
    return true;
  }
  database->closeDatabase();
  if (isMigrated(*version)) {
    if (!migrateSave(*this, save)) return false;
    saveName_ = save.filename().string();
    return true;
  }
  report("refused version " + std::to_string(*version) + " of", save);
  return false;
}

bool QorvexCore::exportGame(const std::string& path) {
  ExportRecord record = recordOf(database->profile);
  for (const qxShare& h : database->getPortfolio(nullptr).items) {
    record.holdings.push_back({h.symbol, h.avg_price, h.vol, h.heldlength});
  }
  std::error_code ec;
  if (!platform::writeFileAtomic(path, encodeExportFile(writeExportText(record)), ec)) {
    report("cannot write", path, ec);
    return false;
  }
  return true;
}

bool QorvexCore::importGame(const std::string& path, std::vector<qxShare>* rows) {
  saveName_.clear();
  return importExport(*this, path, rows).has_value();
}

void QorvexCore::scrambleText(char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    text[i] = static_cast<char>(scrambleByte(static_cast<unsigned char>(text[i])));
  }
}

std::string QorvexCore::scrambleText(std::string text) {
  scrambleText(text.data(), text.size());
  return text;
}

std::string QorvexCore::toBinary(unsigned char value) {
  std::string digits(8, '0');
  for (int i = 0; i < 8; ++i) {
    if (value & (0x80u >> i)) digits[static_cast<std::size_t>(i)] = '1';
  }
  return digits;
}

unsigned char QorvexCore::fromBinary(std::string_view digits) {
  unsigned value = 0;
  for (std::size_t i = 0; i < digits.size() && i < 8; ++i) {
    if (digits[i] == '1') value |= 0x80u >> i;
  }
  return static_cast<unsigned char>(value);
}

void QorvexCore::replaceChar(char* buffer, int length, char find, char replacement) {
  for (int i = 0; i < length; ++i) {
    if (buffer[i] == find) buffer[i] = replacement;
  }
}

int listFolder(std::string path, std::vector<std::string>* list, bool folders) {
  if (list != nullptr) {
    std::vector<std::string> names = platform::listFolder(path, folders);
    list->insert(list->end(), std::make_move_iterator(names.begin()), std::make_move_iterator(names.end()));
  }
  return 0;
}

void removeStaleSaveTemporaries(const std::filesystem::path& saveFolder) {
  const std::size_t removed = platform::removeStaleTemporaries(saveFolder, std::chrono::minutes(1));
  if (removed > 0)
    report("removed " + std::to_string(removed) + " temporary files of killed saves in", saveFolder);
}

}  // namespace Qorvex6
