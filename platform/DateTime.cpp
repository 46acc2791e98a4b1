#include "DateTime.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <stdexcept>

namespace platform {
namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

constexpr sys_days kEpoch = std::chrono::year{1899} / 12 / 30;

bool readNumber(std::string_view& text, int digitsMin, int digitsMax, int& out) {
  std::size_t n = 0;
  while (n < text.size() && n < static_cast<std::size_t>(digitsMax) && text[n] >= '0' && text[n] <= '9')
    ++n;
  if (n < static_cast<std::size_t>(digitsMin)) return false;
  std::from_chars(text.data(), text.data() + n, out);
  text.remove_prefix(n);
  return true;
}

bool readChar(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

bool isValidDate(int year, int month, int day) {
  const year_month_day ymd{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                           std::chrono::day{static_cast<unsigned>(day)}};
  return month >= 1 && month <= 12 && day >= 1 && ymd.ok();
}

}  // namespace

DateTime encodeDate(int year, int month, int day) {
  if (!isValidDate(year, month, day)) {
    throw std::invalid_argument("not a valid date: " + std::to_string(year) + "-" + std::to_string(month) +
                                "-" + std::to_string(day));
  }
  const sys_days d = std::chrono::year{year} / month / day;
  return DateTime{static_cast<double>((d - kEpoch).count())};
}

CivilDate decodeDate(DateTime value) {
  const sys_days d = kEpoch + days{static_cast<long>(std::floor(value.days))};
  const year_month_day ymd{d};
  return CivilDate{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                   static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

std::string formatMonthDayYear(DateTime value) {
  const CivilDate c = decodeDate(value);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", c.month, c.day, c.year);
  return buf;
}

std::optional<DateTime> parseDateTime(std::string_view text) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  int year = 0, month = 0, day = 0;
  std::string_view rest = text;
  if (text.size() >= 5 && text[4] == '-') {
    if (!readNumber(rest, 4, 4, year) || !readChar(rest, '-') || !readNumber(rest, 1, 2, month) ||
        !readChar(rest, '-') || !readNumber(rest, 1, 2, day)) {
      return std::nullopt;
    }
  } else if (!readNumber(rest, 1, 2, month) || !readChar(rest, '/') || !readNumber(rest, 1, 2, day) ||
             !readChar(rest, '/') || !readNumber(rest, 4, 4, year)) {
    return std::nullopt;
  }
  if (!isValidDate(year, month, day)) return std::nullopt;
  double fraction = 0;
  if (!rest.empty()) {
    int hour = 0, minute = 0, second = 0;
    if (!(readChar(rest, ' ') || readChar(rest, 'T')) || !readNumber(rest, 1, 2, hour) ||
        !readChar(rest, ':') || !readNumber(rest, 2, 2, minute)) {
      return std::nullopt;
    }
    if (readChar(rest, ':') && !readNumber(rest, 2, 2, second)) return std::nullopt;
    if (!rest.empty() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
  }
  return DateTime{encodeDate(year, month, day).days + fraction};
}

namespace {

std::mutex todayLock;
std::function<CivilDate()>& todaySource() {
  static std::function<CivilDate()> source;
  return source;
}

}  // namespace

CivilDate localToday() {
  {
    std::lock_guard lock(todayLock);
    if (const auto& source = todaySource()) return source();
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return CivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void setTodaySource(std::function<CivilDate()> source) {
  std::lock_guard lock(todayLock);
  todaySource() = std::move(source);
}

}  // namespace platform
