#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "DbError.h"
#include "Qorvex6domain.h"
#include "Qorvex6engine.h"

namespace Qorvex6 {
namespace {

using namespace domain;

// A numeric column and the range its values (NULL read as 0) must lie in; `codes` lists the only
// values allowed, when there is such a list.
struct ColumnDomain {
  const char* column;
  double low;
  double high;
  const char* codes = nullptr;
};

struct TableDomain {
  const char* table;
  std::vector<ColumnDomain> columns;
};

constexpr ColumnDomain flag(const char* column) {
  return {column, MIN_INT, MAX_INT};
}
constexpr ColumnDomain amount(const char* column) {
  return {column, 0, MAX_AMOUNT};
}
constexpr ColumnDomain figure(const char* column) {
  return {column, 0, MAX_FIGURE};
}
constexpr ColumnDomain signedFigure(const char* column) {
  return {column, -MAX_FIGURE, MAX_FIGURE};
}
constexpr ColumnDomain days(const char* column) {
  return {column, 0, MAX_DAYS};
}

// Every table the game reads but the profile, which readProfile checks as it reads it.
const std::vector<TableDomain>& tableDomains() {
  static const std::vector<TableDomain> tables = {
      {"stock",
       {amount("vol"),
        figure("par_value"),
        days("div_numdays"),
        figure("div_perShare"),
        days("div_dayleft"),
        figure("div_yield"),
        amount("tradedAmount"),
        amount("tradedVol"),
        figure("currentPrice"),
        figure("closeprice"),
        figure("closepriceY"),
        figure("openPrice"),
        figure("todayhigh"),
        figure("todaylow"),
        figure("wk52high"),
        figure("wk52low"),
        signedFigure("pe"),
        signedFigure("eps"),
        signedFigure("beta"),
        flag("wishlist"),
        {"status", 0, MAX_STATUS, "0,1,4,8"},
        {"trend", 0, MAX_TREND},
        {"popularity", 0, MAX_POPULARITY},
        flag("changeRecently")}},
      {"company", {{"sector", MIN_INT, MAX_INT}, amount("balance")}},
      {"market",
       {figure("wk52high"),
        figure("wk52low"),
        {"cycleOpen", 0, LAST_CYCLE},
        {"cycleClose", 0, LAST_CYCLE},
        amount("mktCap")}},
      {"index", {{"clock", 0, MAX_CLOCK}, figure("mktcap"), figure("index")}},
      {"price", {{"clock", 0, MAX_CLOCK}, figure("price")}},
      {"dailyPrice",
       {figure("high"), figure("low"), figure("open"), figure("close"), amount("tradedVol"),
        amount("tradedAmount")}},
      {"queue",
       {figure("price"),
        figure("qty"),
        flag("isUserReq"),
        flag("isBid"),
        flag("isCompleted"),
        {"clockTick", 0, LAST_CYCLE}}},
      {"portfolio", {figure("avg_price"), amount("vol"), days("heldlength")}},
      {"belonging",
       {{"productID", MIN_INT, MAX_INT},
        figure("boughtValue"),
        figure("currentValue"),
        flag("instAvailable"),
        days("instMonthLeft"),
        figure("instValue"),
        days("ageDays")}},
      {"product", {figure("saleprice"), {"category", MIN_INT, MAX_INT}}},
      {"milestone", {flag("passed"), {"star", 0, MAX_STARS}}},
      {"inbox", {flag("isRead")}},
      {"factors",
       {{"pol_stability", 0, MAX_FACTOR},
        {"pol_status", MIN_INT, MAX_INT},
        {"pol_nextconsider", -MAX_COUNTDOWN, MAX_COUNTDOWN},
        {"heal_stability", 0, MAX_FACTOR},
        {"heal_status", MIN_INT, MAX_INT},
        {"heal_nextconsider", -MAX_COUNTDOWN, MAX_COUNTDOWN},
        {"seas_stability", 0, MAX_FACTOR},
        {"seas_status", MIN_INT, MAX_INT},
        {"seas_nextconsider", -MAX_COUNTDOWN, MAX_COUNTDOWN},
        {"ecoLevel", 0, MAX_FACTOR}}},
      {"exchHistory",
       {{"rateExchange_Thai", 0, MAX_RATE},
        {"rateExchange_London", 0, MAX_RATE},
        {"rateExchange_Japan", 0, MAX_RATE},
        {"rateExchange_Singapore", 0, MAX_RATE},
        {"rateExchange_NewYork", 0, MAX_RATE},
        {"rateExchange_Hongkong", 0, MAX_RATE}}},
  };
  return tables;
}

// A bound moved outwards by the rounding of the 15 significant digits in which the game writes numbers:
// a value at the bound, written and read again, stays inside.
double widenedLow(double low) {
  return low - std::fabs(low) * 1e-14;
}
double widenedHigh(double high) {
  return high + std::fabs(high) * 1e-14;
}

// A number in SQL text, read back as the same double.
std::string exactNumber(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

// True for the values of the column's domain: a stored number (text never is one; NaN and infinities
// fail the range) or a NULL where 0 is allowed.
std::string inDomain(const ColumnDomain& c) {
  const std::string name = std::string("[") + c.column + "]";
  const bool zeroAllowed = c.low <= 0 && 0 <= c.high;
  std::string test = "(typeof(" + name + ") IN ('integer','real'" + (zeroAllowed ? ",'null'" : "") + ") AND ";
  if (c.codes != nullptr) return test + "IFNULL(" + name + ",0) IN (" + c.codes + "))";
  return test + "IFNULL(" + name + ",0) BETWEEN " + exactNumber(widenedLow(c.low)) + " AND " +
         exactNumber(widenedHigh(c.high)) + ")";
}

// One row with a flag per column: whether all its values lie in its domain. Aggregates over the whole
// column: text and blobs sort above every number, so a column holds none when its maximum is a number.
std::string soundColumnsQuery(const TableDomain& t) {
  std::string flags;
  for (const ColumnDomain& c : t.columns) {
    const std::string name = std::string("[") + c.column + "]";
    std::string ok = "(typeof(max(" + name + ")) IN ('integer','real','null')";
    if (c.codes != nullptr) {
      ok += " AND total(IFNULL(" + name + ",0) NOT IN (" + c.codes + "))=0";
    } else {
      ok += " AND (min(" + name + ") IS NULL OR min(" + name + ")>=" + exactNumber(widenedLow(c.low)) + ")";
      ok += " AND (max(" + name + ") IS NULL OR max(" + name + ")<=" + exactNumber(widenedHigh(c.high)) + ")";
    }
    if (!(c.low <= 0 && 0 <= c.high)) ok += " AND count(" + name + ")=count(*)";
    flags += (flags.empty() ? "" : ", ") + ok + ")";
  }
  return "SELECT " + flags + " FROM [" + t.table + "]";
}

// The first row whose value of the column lies outside its domain.
std::string firstRowOutOfDomainQuery(const char* table, const ColumnDomain& c) {
  return std::string("SELECT rowid FROM [") + table + "] WHERE NOT " + inDomain(c) +
         " ORDER BY rowid LIMIT 1";
}

struct ProfileDomain {
  const char* column;
  double low;
  double high;
};

constexpr ProfileDomain kProfileDomains[] = {
    {"budget_THB", 0, MAX_AMOUNT},
    {"budget_GBP", 0, MAX_AMOUNT},
    {"budget_JPY", 0, MAX_AMOUNT},
    {"budget_SGD", 0, MAX_AMOUNT},
    {"budget_USD", 0, MAX_AMOUNT},
    {"budget_HKD", 0, MAX_AMOUNT},
    {"autoUpdate", MIN_INT, MAX_INT},
    {"enableLargeDB", MIN_INT, MAX_INT},
    {"enableWizard", MIN_INT, MAX_INT},
    {"autoSaveFreq", 0, MAX_AUTOSAVE},
    {"speed", 0, MAX_SPEED},
    {"timelineMode", 0, MAX_TIMELINE},
    {"daycount", 0, MAX_DAYCOUNT},
    {"clockTick", 0, LAST_CYCLE},
    {"rateExchange_Thai", MIN_RATE, MAX_RATE},
    {"rateExchange_London", MIN_RATE, MAX_RATE},
    {"rateExchange_Japan", MIN_RATE, MAX_RATE},
    {"rateExchange_Singapore", MIN_RATE, MAX_RATE},
    {"rateExchange_NewYork", MIN_RATE, MAX_RATE},
    {"rateExchange_HongKong", MIN_RATE, MAX_RATE},
    {"statHighestProfit_Val", -MAX_FIGURE, MAX_FIGURE},
    {"statHighestLoss_Val", -MAX_FIGURE, MAX_FIGURE},
    {"statLongestHolding_Val", 0, MAX_DAYS},
    {"statHighestBudget", 0, MAX_AMOUNT},
    {"statHighestPortVal", 0, MAX_AMOUNT},
};

bool isSpeed(double v) {
  return v == 0 || v == 16 || v == MAX_SPEED;
}

}  // namespace

std::optional<std::string> qxSaveGame::firstValueOutOfDomain() {
  for (const TableDomain& t : tableDomains()) {
    const platform::DbResult sound = connection->query(soundColumnsQuery(t));
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
      if (sound.at(0, i).asInteger() != 0) continue;
      const platform::DbResult row = connection->query(firstRowOutOfDomainQuery(t.table, t.columns[i]));
      const std::string at = row.rowCount() == 0 ? "" : " (row " + row.at(0, 0).asString() + ")";
      return std::string(t.table) + "." + t.columns[i].column + at;
    }
  }
  return std::nullopt;
}

std::string qxSaveGame::storedPlayerName() {
  const platform::DbResult row = connection->query("SELECT playerName FROM [profile] LIMIT 1");
  return row.rowCount() == 0 ? std::string() : row.at(0, 0).asString();
}

void qxSaveGame::checkProfileDomain(platform::DbDataset& row) {
  for (const ProfileDomain& d : kProfileDomains) {
    double v = 0;
    try {
      v = row.fieldByName(d.column).asFloat();
    } catch (const platform::DatabaseError&) {
      v = NAN;  // a text that is no number
    }
    const bool sound = std::isfinite(v) && v >= widenedLow(d.low) && v <= widenedHigh(d.high) &&
                       (std::string_view(d.column) != "speed" || isSpeed(v));
    if (!sound) throw platform::DatabaseError(std::string("profile.") + d.column + " out of range");
  }
}

}  // namespace Qorvex6
