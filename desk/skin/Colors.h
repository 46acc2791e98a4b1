#pragma once

#include <cstdint>

#include <QColor>
#include <QString>

namespace desk {

// The forms' colours are written as 0x00BBGGRR (blue in the high byte, red in the low byte).
inline QColor fromTColor(std::uint32_t c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// The same colour for a style sheet.
inline QString cssColour(std::uint32_t c) {
  return fromTColor(c).name();
}

// Shared colours of the windows.
inline constexpr std::uint32_t kMessageText = 0x002F5B46;  // popups and notes: red 70, green 91, blue 47
inline constexpr std::uint32_t kDialogText = 0x00113127;  // start and name dialogs: red 39, green 49, blue 17
inline constexpr std::uint32_t kFieldBackground =
    0x00F3F8F1;  // their list and entry box: red 241, green 248, blue 243
// The Home inbox frame's pen, red 141, green 202, blue 104, and its fill, red 222, green 235, blue 152,
// which the pages' buttons wear too.
inline constexpr std::uint32_t kFrameGreen = 0x0068CA8D;
inline constexpr std::uint32_t kInboxFill = 0x0098EBDE;

}  // namespace desk
