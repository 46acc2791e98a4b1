#include "DbValue.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "AsciiText.h"
#include "DbError.h"
#include "NumberText.h"

namespace platform {
namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

double parseFloat(const std::string& text) {
  const std::string_view s = trimmed(text);
  double v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc{} || end != s.data() + s.size()) {
    throw DatabaseError("'" + text + "' is not a valid floating point value");
  }
  return v;
}

std::int64_t roundToInt64(double v) {
  if (!std::isfinite(v) || std::fabs(v) >= 9.2e18) throw DatabaseError("value out of integer range");
  return std::llround(v);
}

}  // namespace

std::int64_t DbValue::asInt64() const {
  if (isNull()) return 0;
  if (const auto* i = std::get_if<std::int64_t>(&value_)) return *i;
  if (const auto* d = std::get_if<double>(&value_)) return roundToInt64(*d);
  const std::string& text = std::get<std::string>(value_);
  const std::string_view s = trimmed(text);
  std::int64_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (!s.empty() && ec == std::errc{} && end == s.data() + s.size()) return v;
  return roundToInt64(parseFloat(text));
}

std::int32_t DbValue::asInteger() const {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(asInt64())));
}

double DbValue::asFloat() const {
  if (isNull()) return 0;
  if (const auto* i = std::get_if<std::int64_t>(&value_)) return static_cast<double>(*i);
  if (const auto* d = std::get_if<double>(&value_)) return *d;
  return parseFloat(std::get<std::string>(value_));
}

bool DbValue::asBoolean() const {
  if (isNull()) return false;
  if (const auto* i = std::get_if<std::int64_t>(&value_)) return *i != 0;
  if (const auto* d = std::get_if<double>(&value_)) return *d != 0;
  const std::string& text = std::get<std::string>(value_);
  const std::string_view s = trimmed(text);
  if (equalsNoCase(s, "true") || equalsNoCase(s, "yes")) return true;
  if (equalsNoCase(s, "false") || equalsNoCase(s, "no") || s.empty()) return false;
  return parseFloat(text) != 0;
}

std::string DbValue::asString() const {
  if (isNull()) return {};
  if (const auto* i = std::get_if<std::int64_t>(&value_)) return std::to_string(*i);
  if (const auto* d = std::get_if<double>(&value_)) return floatToStr(*d);
  return std::get<std::string>(value_);
}

DateTime DbValue::asDateTime() const {
  if (isNull()) return DateTime{};
  if (const auto* i = std::get_if<std::int64_t>(&value_)) return DateTime{static_cast<double>(*i)};
  if (const auto* d = std::get_if<double>(&value_)) return DateTime{*d};
  const std::string& text = std::get<std::string>(value_);
  if (auto parsed = parseDateTime(text)) return *parsed;
  throw DatabaseError("'" + text + "' is not a valid date");
}

}  // namespace platform
