#include <algorithm>
#include <array>
#include <cmath>

#include "NumberText.h"
#include "Qorvex6domain.h"
#include "Qorvex6engine.h"

namespace Qorvex6 {
namespace {

using T = qxSUBORDER;

// Base capitalisations, by market index. HongKong's is the template's starting capitalisation of its
// exchange, so its index starts near 100 like the others.
constexpr std::array<float, 6> kIndexBases = {566000000000.0f, 372000000000.0f, 237000000000.0f,
                                              100000000.0f,    750000000000.0f, 100000000000.0f};

std::string limitedRows(int limit) {
  return " LIMIT " + std::to_string(limit);
}

constexpr const char* kStockWithCompany =
    "SELECT company.company AS Expr1, company.symbol AS Expr2, company.sector, company.balance, "
    "stock.ID, stock.marketTitle, stock.symbol, stock.company, stock.vol, stock.tradedAmount, "
    "stock.tradedVol, "
    "stock.par_value, stock.openprice, stock.div_numdays, stock.div_perShare, stock.div_yield, "
    "stock.div_dayleft, stock.trend, stock.popularity, stock.closeprice, stock.closepricey, "
    "stock.currentprice, "
    "stock.todayhigh, stock.todaylow, stock.wk52high, stock.wk52low, stock.pe, stock.wishlist, "
    "stock.eps, stock.beta, stock.status, stock.changeRecently "
    "FROM (stock INNER JOIN company ON stock.symbol = company.symbol)";

// Every stock column but tradedAmount, which the last-session ranking reads from the daily history.
constexpr const char* kStockWithLastSessionAmount =
    "SELECT [id], [symbol], [company], [marketTitle], [vol], [par_value], [div_numdays], [div_perShare], "
    "[div_dayleft], [div_yield], [tradedVol], [currentPrice], [closeprice], [closepriceY], [openPrice], "
    "[todayhigh], [todaylow], [wk52high], [wk52low], [pe], [eps], [beta], [wishlist], [status], [trend], "
    "[popularity], [changeRecently], "
    "IFNULL((SELECT [dailyPrice].[tradedAmount] FROM [dailyPrice] WHERE [dailyPrice].[symbol] = "
    "[stock].[symbol] ORDER BY [dailyPrice].[ID] DESC LIMIT 1), 0) AS [tradedAmount] "
    "FROM [stock]";

}  // namespace

pList<qxStockInfo> qxSaveGame::getStocks(const qxORDER* criteria) {
  return pList<qxStockInfo>(*connection, "SELECT * FROM [stock]" + criteriaClause(criteria));
}

pList<qxStockInfo> qxSaveGame::getStocksByChange(const qxORDER* criteria) {
  return pList<qxStockInfo>(
      *connection, "SELECT *,[currentprice]-[closeprice] AS [diff] FROM [stock]" + criteriaClause(criteria) +
                       " ORDER BY ([currentprice]-[closeprice])/([closeprice]+0.000001) ASC");
}

pList<qxStockInfo> qxSaveGame::getStocksByDayChange(const qxORDER* criteria) {
  return pList<qxStockInfo>(
      *connection, "SELECT *,[closeprice]-[closepriceY] AS [diff] FROM [stock]" + criteriaClause(criteria) +
                       " ORDER BY ([closeprice]-[closepriceY])/([closepriceY]+0.000001) ASC");
}

pList<qxStockInfo> qxSaveGame::getStocksByTradedAmount(const qxORDER* criteria) {
  return pList<qxStockInfo>(
      *connection, "SELECT * FROM [stock]" + criteriaClause(criteria) + " ORDER BY [tradedAmount] DESC");
}

pList<qxStockInfo> qxSaveGame::getStocksByLastSessionAmount(const qxORDER* criteria) {
  return pList<qxStockInfo>(*connection, kStockWithLastSessionAmount + criteriaClause(criteria) +
                                             " ORDER BY [tradedAmount] DESC, [id]");
}

pList<qxStockInfo> qxSaveGame::getStocksByID(const qxORDER* criteria) {
  return pList<qxStockInfo>(*connection,
                            "SELECT * FROM [stock]" + criteriaClause(criteria) + " ORDER BY [ID]");
}

pList<qxStockWithCompany> qxSaveGame::getStocksWithCompany(const qxORDER* criteria) {
  return pList<qxStockWithCompany>(*connection, kStockWithCompany + criteriaClause(criteria));
}

pList<qxCompanyInfo> qxSaveGame::getCompanies(const qxORDER* criteria) {
  return pList<qxCompanyInfo>(*connection, "SELECT * FROM [company]" + criteriaClause(criteria));
}

pList<qxMarketInfo> qxSaveGame::getMarkets(const qxORDER* criteria) {
  return pList<qxMarketInfo>(*connection,
                             "SELECT * FROM [market]" + criteriaClause(criteria) + " ORDER BY rowid");
}

pList<qxExchangeRate> qxSaveGame::getExchangeHistory(const qxORDER* criteria) {
  return pList<qxExchangeRate>(*connection,
                               "SELECT * FROM [exchHistory]" + criteriaClause(criteria) + " ORDER BY [ID]");
}

pList<qxExchangeRate> qxSaveGame::getNewestExchangeRates(int count) {
  if (count <= 0) return {};
  return pList<qxExchangeRate>(*connection, "SELECT * FROM (SELECT * FROM [exchHistory] ORDER BY [ID] DESC" +
                                                limitedRows(count) + ") ORDER BY [ID]");
}

pList<qxMktCap> qxSaveGame::getMktCapHistory(const qxORDER* criteria, bool newestFirst, int limit) {
  return pList<qxMktCap>(*connection, "SELECT * FROM [index]" + criteriaClause(criteria) +
                                          (newestFirst ? " ORDER BY [ID] DESC" : " ORDER BY [ID]") +
                                          (limit > 0 ? limitedRows(limit) : ""));
}

pList<qxMktIndex> qxSaveGame::getIndexHistory(const qxORDER* criteria, bool newestFirst, int limit) {
  return pList<qxMktIndex>(*connection, "SELECT * FROM [index]" + criteriaClause(criteria) +
                                            (newestFirst ? " ORDER BY [ID] DESC" : " ORDER BY [ID]") +
                                            (limit > 0 ? limitedRows(limit) : ""));
}

pList<qxMktIndex> qxSaveGame::getNewestIndexHistory(const qxORDER* criteria, int count, bool newestFirst) {
  if (count <= 0) return {};
  const std::string newest =
      "SELECT * FROM [index]" + criteriaClause(criteria) + " ORDER BY [ID] DESC" + limitedRows(count);
  return pList<qxMktIndex>(*connection,
                           newestFirst ? newest : "SELECT * FROM (" + newest + ") ORDER BY [ID]");
}

pList<qxStockPrice> qxSaveGame::getPrices(const qxORDER* criteria, int limit) {
  return pList<qxStockPrice>(*connection, "SELECT * FROM [price]" + criteriaClause(criteria) +
                                              " ORDER BY [ID] DESC" + limitedRows(limit > 0 ? limit : 128));
}

pList<qxStockHistory> qxSaveGame::getDailyPrices(const qxORDER* criteria) {
  return pList<qxStockHistory>(*connection, "SELECT * FROM [dailyPrice]" + criteriaClause(criteria) +
                                                " ORDER BY [ID] DESC" + limitedRows(200));
}

qxEconomicFactor qxSaveGame::getFactors() {
  return pList<qxEconomicFactor>(*connection, "SELECT * FROM [factors]").at(0);
}

bool qxSaveGame::updateStock(const qxORDER* assignments, const qxORDER* criteria) {
  return hasTerms(criteria) && updateStockFields(assignments, criteria);
}

bool qxSaveGame::updateStockFields(const qxORDER* assignments, const qxORDER* criteria) {
  return execSQL("UPDATE stock SET " + buildFieldList(assignments, ",") + criteriaClause(criteria));
}

bool qxSaveGame::updateCompany(const qxORDER* assignments, const qxORDER* criteria) {
  return execSQL("UPDATE [company] SET " + buildFieldList(assignments, ",") + criteriaClause(criteria));
}

bool qxSaveGame::updateMarket(const qxORDER* assignments, const qxORDER* criteria) {
  if (assignments == nullptr) return false;
  return execSQL("UPDATE [market] SET " + buildFieldList(assignments, ",") + criteriaClause(criteria));
}

bool qxSaveGame::updateFactors(const qxORDER* assignments) {
  return execSQL("UPDATE [factors] SET " + buildFieldList(assignments, ","));
}

bool qxSaveGame::resetStockDay(const std::string& marketTitle) {
  return execSQL(
      "UPDATE [stock] SET [todayHigh]=0, [todayLow]=0, [tradedVol]=0, [tradedAmount]=0, [openPrice]=0 "
      "WHERE [marketTitle]=" +
      sqlText(marketTitle));
}

bool qxSaveGame::archiveDailyPrices(const std::string& marketTitle) {
  return execSQL(
      "INSERT INTO [dailyPrice] ([symbol],[high],[low],[tradedVol],[tradedAmount],[open],[close]) "
      "SELECT [symbol],[todayHigh],[todayLow],[tradedVol],[tradedAmount],[openprice],[closeprice] "
      "FROM [stock] WHERE MarketTitle=" +
      sqlText(marketTitle));
}

bool qxSaveGame::insertCompanyFinance(const qxFinanceReport* report) {
  return execSQL("INSERT INTO [companyFinance] ([Company],[balance],[incomes],[expenditures]) VALUES(" +
                 sqlText(report->Company) + "," + platform::sqlNumber(report->balance) + "," +
                 platform::sqlNumber(report->incomes) + "," + platform::sqlNumber(report->expenditures) +
                 ")");
}

float qxSaveGame::indexBase(int marketIndex) {
  return marketIndex >= 0 && marketIndex < static_cast<int>(kIndexBases.size())
             ? kIndexBases[static_cast<std::size_t>(marketIndex)]
             : 1.0f;
}

float qxSaveGame::indexBaseOf(const std::string& marketTitle) {
  return indexBase(marketIndexOf(marketTitle));
}

bool qxSaveGame::insertIndex(const std::string& marketTitle, int clock, float mktcap) {
  const float index = domain::clampedFigure(mktcap * kIndexPerLevel / indexBaseOf(marketTitle));
  return execSQL("INSERT INTO [index] (MarketTitle,[clock],[mktcap],[index]) VALUES (" +
                 sqlText(marketTitle) + "," + std::to_string(clock) + "," + platform::sqlNumber(mktcap) +
                 "," + platform::sqlNumber(index) + ")");
}

bool qxSaveGame::recordExchangeRates(const float rates[6]) {
  std::string values;
  for (int i = 0; i < 6; ++i) {
    if (i > 0) values += ", ";
    values += platform::sqlFixed(rates[i], 4);
  }
  const bool stored = execSQL(
      "INSERT INTO exchHistory ([rateExchange_Thai],[rateExchange_London],[rateExchange_Japan],"
      "[rateExchange_Singapore],[rateExchange_NewYork],[rateExchange_Hongkong]) VALUES(" +
      values + ")");
  if (!stored) return false;
  for (int i = 0; i < 6; ++i)
    rateExchange[i] = rates[i];
  writeProfile();
  return true;
}

bool qxSaveGame::countDownFactors() {
  const qxEconomicFactor factors = getFactors();
  // The countdowns stop at their bound instead of running past the range of int.
  const auto countedDown = [](int days) { return std::max(days, 1 - domain::MAX_COUNTDOWN) - 1; };
  const qxORDER assignments{T::numberTerm("pol_nextconsider", countedDown(factors.pol_nextconsider)),
                            T::numberTerm("heal_nextconsider", countedDown(factors.heal_nextconsider)),
                            T::numberTerm("seas_nextconsider", countedDown(factors.seas_nextconsider))};
  return updateFactors(&assignments);
}

bool qxSaveGame::recordPrice(const char* symbol, float price) {
  const std::string quoted = sqlText(symbol);
  const int clock = daycount * 10 + clockTick;
  execSQL("INSERT INTO [price] ([symbol],[clock],[price]) VALUES (" + quoted + "," + std::to_string(clock) +
          "," + platform::sqlNumber(price) + ")");
  // One statement: every SET reads the row as it was, so open, high and low follow the price the stock had
  // before this one, and the new price lands last.
  return execSQL(
      "UPDATE [stock] SET "
      "openPrice=CASE WHEN openPrice=0 OR openPrice=closePrice THEN currentPrice ELSE openPrice END, "
      "todayHigh=CASE WHEN todayHigh=0 OR todayHigh<currentPrice THEN currentPrice ELSE todayHigh END, "
      "todayLow=CASE WHEN todayLow=0 OR todayLow>currentPrice THEN currentPrice ELSE todayLow END, "
      "currentprice=" +
      platform::sqlNumber(price) + " WHERE symbol=" + quoted);
}

}  // namespace Qorvex6
