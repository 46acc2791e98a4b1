#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <string>

#include "AsciiText.h"
#include "NumberText.h"
#include "Qorvex6domain.h"
#include "Qorvex6engine.h"

namespace Qorvex6 {
namespace {

using T = qxSUBORDER;

}  // namespace

pList<qxQueue> qxSaveGame::getQueue(const qxORDER* criteria) {
  return pList<qxQueue>(*connection, "SELECT * FROM [queue]" + criteriaClause(criteria) +
                                         " ORDER BY [symbol] ASC,[price] DESC");
}

pList<qxShare> qxSaveGame::getPortfolio(const qxORDER* criteria) {
  return pList<qxShare>(*connection, "SELECT * FROM [portfolio]" + criteriaClause(criteria) +
                                         " ORDER BY [heldlength] DESC, rowid");
}

int qxSaveGame::countPortfolio(const qxORDER* criteria) {
  return connection->query("SELECT count(*) FROM [portfolio]" + criteriaClause(criteria))
      .at(0, 0)
      .asInteger();
}

pList<qxBelonging> qxSaveGame::getBelongings(const qxORDER* criteria) {
  return pList<qxBelonging>(*connection,
                            "SELECT * FROM [belonging]" + criteriaClause(criteria) + " ORDER BY [ID]");
}

pList<qxProductInfo> qxSaveGame::getProducts(const qxORDER* criteria) {
  return pList<qxProductInfo>(*connection,
                              "SELECT * FROM [product]" + criteriaClause(criteria) + " ORDER BY [ID]");
}

pList<qxInbox> qxSaveGame::getInbox(const qxORDER* criteria) {
  return pList<qxInbox>(*connection, "SELECT * FROM [inbox]" + criteriaClause(criteria) + " ORDER BY [ID]");
}

bool qxSaveGame::insertQueue(const qxQueue* row) {
  if (row->qty == 0) return false;
  return execSQL(
      "INSERT INTO [queue] ([symbol],[marketTitle],[price],[qty],[clocktick],[isUserReq],[isBid]) VALUES (" +
      sqlText(row->symbol) + "," + sqlText(row->marketTitle) + "," + platform::sqlNumber(row->price) + "," +
      platform::sqlNumber(row->qty) + "," + std::to_string(row->clockTick) + "," +
      (row->isUserReq ? "1" : "0") + "," + (row->isBid ? "-1" : "0") + ")");
}

bool qxSaveGame::deleteQueue(const qxORDER* criteria) {
  return execSQL("DELETE FROM [queue] " + criteriaClause(criteria));
}

bool qxSaveGame::clearMarketQueue(const std::string& marketTitle) {
  return execSQL("DELETE FROM [queue] WHERE MarketTitle=" + sqlText(marketTitle));
}

bool qxSaveGame::insertPortfolio(const qxShare* share) {
  return execSQL("INSERT INTO portfolio ([symbol],[avg_price],[vol],[heldlength],[marketTitle]) VALUES(" +
                 sqlText(share->symbol) + "," + platform::sqlNumber(share->avg_price) + "," +
                 platform::sqlNumber(share->vol) + "," + std::to_string(share->heldlength) + "," +
                 sqlText(share->marketTitle) + ")");
}

bool qxSaveGame::updatePortfolio(const qxORDER* assignments, const qxORDER* criteria) {
  // Never every holding at once: without criteria nothing changes.
  return hasTerms(criteria) &&
         execSQL("UPDATE portfolio SET " + buildFieldList(assignments, ",") + criteriaClause(criteria));
}

bool qxSaveGame::deletePortfolio(const qxORDER* criteria) {
  return hasTerms(criteria) && execSQL("DELETE FROM portfolio" + criteriaClause(criteria));
}

bool qxSaveGame::insertBelonging(const qxProductInfo* product) {
  return execSQL("INSERT INTO belonging  \t\t\t([productID],[boughtValue],[currentValue]) \t\t\tVALUES(" +
                 std::to_string(product->ID) + ", " + platform::sqlFixed(product->saleprice, 0) + ", " +
                 platform::sqlFixed(product->saleprice, 0) + ")");
}

bool qxSaveGame::deleteBelongings(const qxORDER* criteria) {
  return execSQL("DELETE FROM [belonging] " + criteriaClause(criteria));
}

bool qxSaveGame::deleteBelonging(int id) {
  try {
    return connection->execute("DELETE FROM [belonging] WHERE [ID]=" + std::to_string(id)) == 1;
  } catch (const std::exception& e) {
    trace(std::string("deleteBelonging: ") + e.what());
    return false;
  }
}

bool qxSaveGame::insertInbox(const char* message) {
  return execSQL("INSERT INTO [inbox] ([Message]) VALUES (" + sqlText(message) + ")");
}

bool qxSaveGame::updateInbox(const qxORDER* assignments, const qxORDER* criteria) {
  return execSQL("UPDATE [inbox] SET " + buildFieldList(assignments, ",") + criteriaClause(criteria));
}

bool qxSaveGame::countDownDividends() {
  return execSQL("UPDATE [stock] SET div_dayleft=div_dayleft-1 WHERE \t\t\t\t\tdiv_dayleft>0");
}

bool qxSaveGame::resetDividendCountdown() {
  return execSQL(
      "UPDATE [stock] SET div_dayleft=div_numdays, \t\t\t\t\t[status]=0 WHERE \t\t\t\t\tdiv_dayleft<=0");
}

bool qxSaveGame::payDividends(std::string& message) {
  // The payments and the profile writes of one day stand or fall together.
  platform::DbTransaction transaction(*connection);
  const pList<qxShare> holdings = getPortfolio(nullptr);
  if (holdings.count() == 0) return false;

  double budgetBefore[6];
  std::memcpy(budgetBefore, profile.budget, sizeof budgetBefore);
  std::string paid;
  double totalThb = 0;
  try {
    for (const qxShare& holding : holdings.items) {
      if (holding.heldlength <= 30) continue;
      const int m = marketIndexOf(holding.marketTitle);
      if (m < 0) continue;  // no budget to pay into
      const qxORDER bySymbol{T::textTerm("symbol", holding.symbol)};
      const qxStockInfo stock = getStocks(&bySymbol).first();
      if (!stock.isLoaded || stock.div_dayleft > 0) continue;
      if (stock.vol <= 0) continue;  // no shares to divide the dividend among
      const float share = domain::narrowed(holding.vol / stock.vol);
      const qxCompanyInfo company = getCompanies(&bySymbol).first();
      const double pay = company.balance * stock.div_yield * 0.01 * share;
      if (!std::isfinite(pay)) continue;
      totalThb += pay * rateExchange[m];
      profile.budget[m] += pay;
      paid += std::string(holding.symbol) + " pays you " + formatMoney(pay, m, false) + ".  ";
    }
    // One profile write for the whole day's payments.
    if (!paid.empty()) writeProfile();
  } catch (...) {
    // The transaction rolls back; the budgets in memory follow it.
    std::memcpy(profile.budget, budgetBefore, sizeof budgetBefore);
    throw;
  }
  transaction.commit();
  message = std::move(paid);
  return totalThb > 0;
}

bool qxSaveGame::ageHoldings() {
  platform::DbTransaction transaction(*connection);
  const pList<qxShare> holdings = getPortfolio(nullptr);
  if (holdings.count() == 0) return false;

  // The longest-held holding, counting the day about to be added.
  const qxShare longest = holdings.first();
  const int days = std::min(longest.heldlength, domain::MAX_DAYS - 1) + 1;
  if (days > std::trunc(profile.statLongestHolding_Val)) {
    profile.statLongestHolding_Val = static_cast<float>(days);
    platform::copyBounded(profile.statLongestHolding_Symbol, longest.symbol);
    writeProfile();
  }
  // Days held stop at their bound, so an aged holding always reads back.
  const bool aged =
      execSQL("UPDATE portfolio SET [heldlength]=[heldlength]+1 WHERE [vol]>0 AND [heldlength]<" +
              std::to_string(domain::MAX_DAYS));
  transaction.commit();
  return aged;
}

}  // namespace Qorvex6
