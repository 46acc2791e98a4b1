// Where the game finds its read-only resources and keeps the player's files.

#pragma once

#include <QString>

namespace desk {

// The read-only folder holding data/wvh.lyf and skins/: $QORVEX_RESOURCE_DIR when set, else
// <exe dir>/../share/qorvex when it exists (an installed game), else the executable's own folder
// (the build tree). Needs a QCoreApplication for the executable's folder.
QString resourceFolder();

// The player's folder (working copy, exports, Save/): $QORVEX_USER_DIR when set, else the qorvex
// folder in the user's data location (~/.local/share/qorvex). Not created here.
QString userFolder();

}  // namespace desk
