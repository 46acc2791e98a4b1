// Where the game finds its read-only resources and keeps the player's files.

#pragma once

#include <QString>

#include "Qorvex6class.h"

namespace desk {

// The read-only folder holding data/wvh.lyf and skins/: $QORVEX_RESOURCE_DIR when set, else
// <exe dir>/../share/qorvex when it exists (an installed game), else the executable's own folder
// (the build tree). Needs a QCoreApplication for the executable's folder.
QString resourceFolder();

// The player's folder (working copy, exports, Save/): $QORVEX_USER_DIR when set, else the qorvex
// folder in the user's data location (~/.local/share/qorvex). Not created here.
QString userFolder();

// The two folders above as the game core takes them (file-system encoded), with the save checker that is
// installed beside the game's executable.
Qorvex6::CoreFolders coreFolders();

// The Save folder of the user folder, the one the core saves into.
QString saveFolder();

}  // namespace desk
