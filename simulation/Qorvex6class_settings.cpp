#include "Qorvex6class.h"

namespace Qorvex6 {

GameSettings QorvexCore::settings() const {
  const qxSaveGame& db = *database;
  return {db.autoUpdate, db.enableLargeDB, db.enableWizard, db.autoSaveFreq, db.timelineMode};
}

bool QorvexCore::applySettings(const GameSettings& wanted) {
  return changeProfile("applySettings", [&wanted](qxSaveGame& db) {
    db.autoUpdate = wanted.autoUpdate;
    db.enableLargeDB = wanted.enableLargeDB;
    db.enableWizard = wanted.enableWizard;
    db.autoSaveFreq = wanted.autoSaveFreq;
    db.timelineMode = wanted.timelineMode;
    return db.writeProfile();
  });
}

}  // namespace Qorvex6
