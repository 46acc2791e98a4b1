#include <mutex>
#include <string>

#include "AsciiText.h"
#include "PlayerName.h"
#include "Qorvex6class.h"

namespace Qorvex6 {
namespace {

using T = qxSUBORDER;

constexpr int USD = 4;
// The share of its current value a belonging sells for.
constexpr double RESALE_SHARE = 0.8;

// Renamed when the game may take the name; otherwise why not.
RenameResult checkNewName(const QorvexCore& core, const std::string& name) {
  if (!isValidPlayerName(name)) return RenameResult::Invalid;
  if (name == core.database->profile.playerName) return RenameResult::Unchanged;
  if (core.isAnotherGamesSave(name)) return RenameResult::Taken;
  return RenameResult::Renamed;
}

}  // namespace

BelongingSale QorvexCore::sellBelonging(int belongingID) {
  bool owned = true;
  double gained = 0;
  const bool sold = changeProfile("sellBelonging", [&](qxSaveGame& db) {
    const qxORDER byId{T::numberTerm("ID", belongingID)};
    const pList<qxBelonging> rows = db.getBelongings(&byId);
    if (rows.count() == 0) {
      owned = false;
      return false;
    }
    gained = RESALE_SHARE * rows.first().currentValue;
    if (!db.deleteBelonging(belongingID)) return false;
    db.profile.budget[USD] += gained;
    return db.writeProfile();
  });
  if (sold) return {BelongingSale::Sold, gained};
  return {owned ? BelongingSale::Failed : BelongingSale::NotOwned, 0};
}

RenameResult QorvexCore::renamePlayer(const std::string& typed) {
  const std::string name(trimmedPlayerName(typed));
  std::lock_guard lock(host().gameLock());
  const RenameResult check = checkNewName(*this, name);
  if (check != RenameResult::Renamed) return check;
  const bool renamed = changeProfile("renamePlayer", [&](qxSaveGame& db) {
    platform::copyBounded(db.profile.playerName, name);
    return db.writeProfile();
  });
  return renamed ? RenameResult::Renamed : RenameResult::Failed;
}

RenameResult QorvexCore::setPlayerNameInMemory(const std::string& typed) {
  const std::string name(trimmedPlayerName(typed));
  std::lock_guard lock(host().gameLock());
  const RenameResult check = checkNewName(*this, name);
  if (check == RenameResult::Renamed) platform::copyBounded(database->profile.playerName, name);
  return check;
}

}  // namespace Qorvex6
