#include <exception>
#include <mutex>
#include <string>

#include "AsciiText.h"
#include "DbConnection.h"
#include "PlayerName.h"
#include "Qorvex6class.h"

namespace Qorvex6 {
namespace {

using T = qxSUBORDER;

constexpr int USD = 4;
// The share of its current value a belonging sells for.
constexpr double RESALE_SHARE = 0.8;

}  // namespace

BelongingSale QorvexCore::sellBelonging(int belongingID) {
  try {
    std::lock_guard lock(host().gameLock());
    qxSaveGame& db = *database;
    double& budget = db.profile.budget[USD];
    const double budgetBefore = budget;
    try {
      platform::DbTransaction transaction(*db.connection);
      const qxORDER byId{T::numberTerm("ID", belongingID)};
      const pList<qxBelonging> rows = db.getBelongings(&byId);
      if (rows.count() == 0) return {BelongingSale::NotOwned, 0};

      const double gained = RESALE_SHARE * rows.first().currentValue;
      if (!db.deleteBelonging(belongingID)) {
        debugLog("sellBelonging: belonging " + std::to_string(belongingID) + " was not deleted");
        return {};
      }
      budget += gained;
      if (!db.writeProfile()) {
        debugLog("sellBelonging: the profile was not written");
        budget = budgetBefore;
        return {};
      }
      if (!transaction.commit()) {
        debugLog("sellBelonging: the sale of " + std::to_string(belongingID) + " was not committed");
        budget = budgetBefore;
        return {};
      }
      return {BelongingSale::Sold, gained};
    } catch (...) {
      // The transaction has rolled back; the budget in memory follows it.
      budget = budgetBefore;
      throw;
    }
  } catch (const std::exception& e) {
    debugLog(std::string("sellBelonging failed: ") + e.what());
  } catch (...) {
    debugLog("sellBelonging failed");
  }
  return {};
}

RenameResult QorvexCore::renamePlayer(const std::string& name) {
  if (!isValidPlayerName(name)) return RenameResult::Invalid;
  try {
    std::lock_guard lock(host().gameLock());
    qxProfile& profile = database->profile;
    if (name == profile.playerName) return RenameResult::Unchanged;

    const std::string oldName = profile.playerName;
    platform::copyBounded(profile.playerName, name);
    bool written = false;
    try {
      written = database->writeProfile();
    } catch (const std::exception& e) {
      debugLog(std::string("renamePlayer: ") + e.what());
    }
    if (written) return RenameResult::Renamed;
    debugLog("renamePlayer: the profile was not written; the name stays " + oldName);
    platform::copyBounded(profile.playerName, oldName);
  } catch (const std::exception& e) {
    debugLog(std::string("renamePlayer failed: ") + e.what());
  }
  return RenameResult::Failed;
}

}  // namespace Qorvex6
