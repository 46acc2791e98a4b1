#pragma once

#include "Qorvex6engine.h"

namespace Qorvex6 {

// Whether the open game database's stored numbers lie in their domains and its player name is a valid
// save name. On the first fault it traces the field and returns false. Never throws.
bool storedValuesAreSound(qxSaveGame& db);

}  // namespace Qorvex6
