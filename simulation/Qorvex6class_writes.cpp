#include <exception>
#include <mutex>
#include <string>

#include "DbConnection.h"
#include "Qorvex6class.h"

namespace Qorvex6 {

bool QorvexCore::changeProfile(const char* what, const std::function<bool(qxSaveGame&)>& change) {
  try {
    std::lock_guard lock(host().gameLock());
    qxSaveGame& db = *database;
    const qxProfile profileBefore = db.profile;
    const GameSettings settingsBefore = settings();
    const auto restore = [&] {
      db.profile = profileBefore;
      db.autoUpdate = settingsBefore.autoUpdate;
      db.enableLargeDB = settingsBefore.enableLargeDB;
      db.enableWizard = settingsBefore.enableWizard;
      db.autoSaveFreq = settingsBefore.autoSaveFreq;
      db.timelineMode = settingsBefore.timelineMode;
    };
    try {
      platform::DbTransaction transaction(*db.connection);
      if (!change(db)) {
        debugLog(std::string(what) + ": a write failed; nothing was changed");
        restore();
        return false;
      }
      if (!transaction.commit()) {
        debugLog(std::string(what) + ": not committed; nothing was changed");
        restore();
        return false;
      }
      return true;
    } catch (...) {
      // The transaction has rolled back; memory follows it.
      restore();
      throw;
    }
  } catch (const std::exception& e) {
    debugLog(std::string(what) + " failed: " + e.what());
  } catch (...) {
    debugLog(std::string(what) + " failed");
  }
  return false;
}

}  // namespace Qorvex6
