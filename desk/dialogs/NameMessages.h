// The messages that refuse a player name, shared by the name dialog and the rename on the Home page.

#pragma once

#include <QString>

namespace desk {

inline const QString kNameNotValid =
    QStringLiteral("The name you entered is not valid. \nPlease try another name.");
inline const QString kNameTaken =
    QStringLiteral("The name you entered is used by another saved game. \nPlease try another name.");

}  // namespace desk
