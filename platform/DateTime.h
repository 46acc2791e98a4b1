#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A calendar value counted in days since 30 December 1899, the time of day as the fraction.
struct DateTime {
  double days = 0;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

struct CivilDate {
  int year = 1899;
  int month = 12;
  int day = 30;
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Throws std::invalid_argument for a month outside 1..12 or a day outside the month.
DateTime encodeDate(int year, int month, int day);
CivilDate decodeDate(DateTime value);

// "mm/dd/yyyy", always with '/'.
std::string formatMonthDayYear(DateTime value);

// Reads "mm/dd/yyyy[ hh:nn[:ss]]" or "yyyy-mm-dd[ hh:nn[:ss]]"; nothing for any other text.
std::optional<DateTime> parseDateTime(std::string_view text);

// Today's date in the local time zone, or what the installed source says (for tests).
CivilDate localToday();
// Test seam: localToday returns what the source says; nullptr restores the system clock. Any thread.
void setTodaySource(std::function<CivilDate()> source);

}  // namespace platform
