#pragma once

#include <cstring>
#include <string>
#include <string_view>

namespace platform {

constexpr char asciiLower(char c) noexcept {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// The text with every ASCII capital in lower case; other bytes as they are.
inline std::string asciiLowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered)
    c = asciiLower(c);
  return lowered;
}

constexpr bool equalsNoCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

// Copies text into a fixed char array, cut to its capacity less one and always NUL-terminated.
template <std::size_t N>
void copyBounded(char (&target)[N], std::string_view text) noexcept {
  const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
  std::memcpy(target, text.data(), n);
  target[n] = '\0';
}

}  // namespace platform
