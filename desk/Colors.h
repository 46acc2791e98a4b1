#pragma once

#include <cstdint>

#include <QColor>

namespace desk {

// The forms' colours are written as 0x00BBGGRR (blue in the high byte, red in the low byte).
inline QColor fromTColor(std::uint32_t c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace desk
