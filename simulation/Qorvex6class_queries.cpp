#include <array>

#include "Qorvex6class.h"
#include "Qorvex6domain.h"

namespace Qorvex6 {
namespace {

using T = qxSUBORDER;

constexpr int USD = 4;

// "&&" is the caption escape of one '&'; the window shell decides how to show it.
constexpr std::array<const char*, 16> kSectorNames = {"Unknown",
                                                      "Industry",
                                                      "Agriculture / Food",
                                                      "Mining",
                                                      "Medical Services",
                                                      "Commerce",
                                                      "Assurance",
                                                      "Technologies",
                                                      "Property && Construction",
                                                      "Bank && Finance",
                                                      "Communication",
                                                      "Power",
                                                      "Vehicles",
                                                      "Media && Publishing",
                                                      "Textile && Clothings",
                                                      "Transportation"};

// A market index outside the six currencies counts as THB.
int currencyIndex(int market) {
  return market >= 0 && market < 6 ? market : 0;
}

}  // namespace

char QorvexCore::getCurrencySymbol(int market) {
  switch (market) {
    case 0:
      return 'B';
    case 1:
      return 'P';
    case 2:
      return 'Y';
    default:
      return '$';
  }
}

std::string QorvexCore::formatMoney(double amount, int currency, bool whole) const {
  return database->formatMoney(amount, currency, whole);
}

double QorvexCore::getPortfolioValue() {
  double total = 0;
  for (const qxShare& holding : database->getPortfolio(nullptr).items) {
    const double price = getCurrentPrice(holding.symbol);
    total += convertCurrency(price * holding.vol, marketIndexOf(holding.marketTitle), USD);
  }
  return total;
}

double QorvexCore::getPortfolioCost() {
  const pList<qxShare> holdings = database->getPortfolio(nullptr);
  double total = 0;
  for (int i = 0; i < holdings.count(); ++i) {
    const qxShare holding = holdings.at(i);
    total += convertCurrency(static_cast<double>(holding.avg_price) * holding.vol,
                             marketIndexOf(holding.marketTitle), USD);
  }
  return total;
}

qxCompanyInfo QorvexCore::getCompanyInfo(const std::string& symbol) {
  const qxORDER criteria{T::textTerm("symbol", symbol)};
  return database->getCompanies(&criteria).at(0);
}

qxStockInfo QorvexCore::getStockInfo(const std::string& symbol) {
  const qxORDER criteria{T::textTerm("symbol", symbol)};
  return database->getStocks(&criteria).at(0);
}

pList<qxStockPrice> QorvexCore::getPriceHistory(const std::string& symbol) {
  const qxORDER criteria{T::textTerm("symbol", symbol)};
  return database->getPrices(&criteria, 0);
}

float QorvexCore::getCurrentPrice(const std::string& symbol) {
  return getPrice(getStockInfo(symbol));
}

float QorvexCore::getPrice(const qxStockInfo& stock) {
  return stock.currentPrice != 0 ? stock.currentPrice : stock.closeprice;
}

pList<qxStockHistory> QorvexCore::getDailyHistory(const std::string& symbol) {
  const qxORDER criteria{T::textTerm("symbol", symbol)};
  return database->getDailyPrices(&criteria);
}

std::string QorvexCore::getSectorName(int sector) {
  if (sector < 0 || sector >= static_cast<int>(kSectorNames.size())) return "--";
  return kSectorNames[static_cast<std::size_t>(sector)];
}

double QorvexCore::convertCurrency(double amount, int from, int to) const {
  const float fromRate = database->rateExchange[currencyIndex(from)];
  const float toRate = database->rateExchange[currencyIndex(to)];
  if (!(toRate > 0)) return 0;
  return static_cast<double>(domain::narrowed(fromRate * amount)) / toRate;
}

pList<qxExchangeRate> QorvexCore::getExchangeHistory() {
  return database->getExchangeHistory(nullptr);
}

pList<qxExchangeRate> QorvexCore::getExchangeHistory(int newest) {
  return database->getNewestExchangeRates(newest);
}

pList<qxShare> QorvexCore::getPortfolio() {
  return database->getPortfolio(nullptr);
}

pList<qxShare> QorvexCore::getPortfolioByMarket(const std::string& title) {
  const qxORDER criteria{T::textTerm("marketTitle", title)};
  return database->getPortfolio(&criteria);
}

pList<qxStockInfo> QorvexCore::getWishlist() {
  const qxORDER criteria{T::numberTerm("wishlist", 1)};
  return database->getStocksByID(&criteria);
}

pList<qxStockWithCompany> QorvexCore::getStocksWithCompany(const std::string& title, int sector) {
  if (sector >= 1) {
    const qxORDER criteria{T::numberTerm("company.sector", sector), T::textTerm("stock.marketTitle", title)};
    return database->getStocksWithCompany(&criteria);
  }
  const qxORDER criteria{T::textTerm("stock.marketTitle", title)};
  return database->getStocksWithCompany(&criteria);
}

qxMarketInfo QorvexCore::getMarketInfo(const std::string& title) {
  const qxORDER criteria{T::textTerm("title", title)};
  return database->getMarkets(&criteria).at(0);
}

pList<qxMktIndex> QorvexCore::getIndexHistory(const std::string& title, bool newestFirst, int limit) {
  const qxORDER criteria{T::textTerm("MarketTitle", title)};
  if (limit > 0) return database->getNewestIndexHistory(&criteria, limit, newestFirst);
  return database->getIndexHistory(&criteria, newestFirst);
}

pList<qxMktCap> QorvexCore::getMktCapHistory(const std::string& title, bool newestFirst, int limit) {
  const qxORDER criteria{T::textTerm("MarketTitle", title)};
  return database->getMktCapHistory(&criteria, newestFirst, limit);
}

qxShare QorvexCore::getShare(const std::string& symbol) {
  const qxORDER criteria{T::textTerm("symbol", symbol)};
  const pList<qxShare> rows = database->getPortfolio(&criteria);
  return rows.count() == 1 ? rows.at(0) : qxShare{};
}

double QorvexCore::getHeldVolume(const std::string& symbol) {
  return getShare(symbol).vol;
}

pList<qxInbox> QorvexCore::getInbox(bool unreadOnly) {
  if (!unreadOnly) return database->getInbox(nullptr);
  const qxORDER criteria{T::numberTerm("isRead", 0)};
  return database->getInbox(&criteria);
}

bool QorvexCore::markInboxRead(int id) {
  const qxORDER assignment{T::numberTerm("isRead", 1)};
  const qxORDER criteria{T::numberTerm("ID", id)};
  return database->updateInbox(&assignment, &criteria);
}

void QorvexCore::addInbox(const std::string& message) {
  database->insertInbox(message.c_str());
}

}  // namespace Qorvex6
