#pragma once

#include <cstddef>
#include <string_view>

namespace Qorvex6 {

// The longest player name in bytes; the name is also the file name of the player's save.
inline constexpr std::size_t MAX_PLAYER_NAME = 31;

// Whether a name ends like the backup of a migrated save: " [backup]" or " [backup <digits>]".
constexpr bool endsLikeBackup(std::string_view name) noexcept {
  if (name.ends_with(" [backup]")) return true;
  if (!name.ends_with(']')) return false;
  name.remove_suffix(1);
  const std::size_t lastOther = name.find_last_not_of("0123456789");
  const std::size_t digits = lastOther == std::string_view::npos ? 0 : lastOther + 1;
  return digits < name.size() && name.substr(0, digits).ends_with(" [backup ");
}

// The one check of a player name, used wherever a name enters the game (the name dialog, a rename, an
// export being read) and before a save path is formed: not empty, at most 31 bytes, none of / \ : { },
// no control characters, not "." or "..", no ".exp" in it (the save list hides such names), and not
// ending like a backup (its save would replace another player's backup).
constexpr bool isValidPlayerName(std::string_view name) noexcept {
  if (name.empty() || name.size() > MAX_PLAYER_NAME) return false;
  if (name == "." || name == "..") return false;
  if (name.find(".exp") != std::string_view::npos) return false;
  if (endsLikeBackup(name)) return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
    if (c == '/' || c == '\\' || c == ':' || c == '{' || c == '}') return false;
  }
  return true;
}

// A typed name without the blanks at its ends; blanks inside it stay. Every place a player types a name
// checks this form of it, so that a name of blanks alone is empty and refused.
constexpr std::string_view trimmedPlayerName(std::string_view name) noexcept {
  const std::size_t first = name.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

}  // namespace Qorvex6
