#include "SaveValues.h"

#include <exception>
#include <optional>
#include <string>

#include "PlayerName.h"
#include "Qorvex6class.h"

namespace Qorvex6 {

bool storedValuesAreSound(qxSaveGame& db) {
  try {
    const std::optional<std::string> bad = db.firstValueOutOfDomain();
    if (bad) {
      QorvexCore::debugLog("game files: value out of range: " + *bad);
      return false;
    }
    if (!isValidPlayerName(db.storedPlayerName())) {
      QorvexCore::debugLog("game files: value out of range: profile.playerName is no valid save name");
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    QorvexCore::debugLog(std::string("game files: values not checked (") + e.what() + ")");
    return false;
  }
}

}  // namespace Qorvex6
