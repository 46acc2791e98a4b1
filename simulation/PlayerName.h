#pragma once

#include <cstddef>
#include <string_view>

namespace Qorvex6 {

// The longest player name in bytes; the name is also the file name of the player's save.
inline constexpr std::size_t MAX_PLAYER_NAME = 31;

// The one check of a player name, used wherever a name enters the game (the name dialog, a rename, an
// export being read) and before a save path is formed: not empty, at most 31 bytes, none of / \ : { },
// no control characters, not "." or "..", and no ".exp" in it (the save list hides such names).
constexpr bool isValidPlayerName(std::string_view name) noexcept {
  if (name.empty() || name.size() > MAX_PLAYER_NAME) return false;
  if (name == "." || name == "..") return false;
  if (name.find(".exp") != std::string_view::npos) return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
    if (c == '/' || c == '\\' || c == ':' || c == '{' || c == '}') return false;
  }
  return true;
}

}  // namespace Qorvex6
