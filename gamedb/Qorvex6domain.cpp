#include <cmath>
#include <cstdlib>
#include <string>

#include "Qorvex6domain.h"

namespace Qorvex6::domain {
namespace {

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

}  // namespace

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

const std::vector<ColumnDomain>& profileDomains() {
  static const std::vector<ColumnDomain> columns = {
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
      {"speed", 0, MAX_SPEED, "0,16,32"},
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
  return columns;
}

const ColumnDomain* findDomain(std::string_view table, std::string_view column) {
  if (table == "profile") {
    for (const ColumnDomain& c : profileDomains())
      if (column == c.column) return &c;
    return nullptr;
  }
  for (const TableDomain& t : tableDomains()) {
    if (table != t.table) continue;
    for (const ColumnDomain& c : t.columns)
      if (column == c.column) return &c;
  }
  return nullptr;
}

double widenedLow(double low) {
  return low - std::fabs(low) * 1e-14;
}
double widenedHigh(double high) {
  return high + std::fabs(high) * 1e-14;
}

bool inDomain(const ColumnDomain& d, double value) {
  if (!std::isfinite(value) || value < widenedLow(d.low) || value > widenedHigh(d.high)) return false;
  if (d.codes == nullptr) return true;
  for (const char* code = d.codes; *code != '\0';) {
    char* end = nullptr;  // codes are whole numbers: strtol reads them whatever the locale
    if (static_cast<double>(std::strtol(code, &end, 10)) == value) return true;
    code = *end == ',' ? end + 1 : end;
  }
  return false;
}

}  // namespace Qorvex6::domain
