#include "Qorvex6engine.h"

#include <exception>
#include <string>

namespace Qorvex6 {

bool qxSaveGame::checkIntegrity() {
  try {
    const platform::DbResult result = connection->query("PRAGMA quick_check");
    return result.rowCount() == 1 && result.at(0, 0).asString() == "ok";
  } catch (const std::exception& e) {
    trace(std::string("checkIntegrity: ") + e.what());
    return false;
  }
}

}  // namespace Qorvex6
