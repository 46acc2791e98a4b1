#include "Qorvex6data.h"

#include <algorithm>
#include <array>
#include <limits>

#include "AsciiText.h"
#include "DbDataset.h"
#include "Qorvex6domain.h"

namespace Qorvex6 {
namespace {

Dataset& opened(Dataset& row) {
  if (!row.active()) row.open();
  return row;
}

int asInt(Dataset& row, const char* column) {
  return row.fieldByName(column).asInteger();
}
double asDouble(Dataset& row, const char* column) {
  return row.fieldByName(column).asFloat();
}
float asFloat(Dataset& row, const char* column) {
  return domain::narrowed(row.fieldByName(column).asFloat());
}
bool asFlag(Dataset& row, const char* column) {
  return row.fieldByName(column).asBoolean();
}

template <std::size_t N>
void asText(Dataset& row, const char* column, char (&target)[N]) {
  platform::copyBounded(target, row.fieldByName(column).asString());
}

constexpr std::array<const char*, 6> kMarketTitles = {"Thai",      "London",  "Japan",
                                                      "Singapore", "NewYork", "HongKong"};

}  // namespace

void qxQueue::loadRow(Dataset& dataset) {
  Dataset& row = opened(dataset);
  ID = asInt(row, "ID");
  asText(row, "symbol", symbol);
  asText(row, "marketTitle", marketTitle);
  price = asFloat(row, "price");
  qty = asFloat(row, "qty");
  isUserReq = asFlag(row, "isUserReq");
  isBid = asFlag(row, "isBid");
  isCompleted = asFlag(row, "isCompleted");
  clockTick = asInt(row, "clockTick");
}

void qxCompanyInfo::loadRow(Dataset& dataset) {
  Dataset& row = opened(dataset);
  asText(row, "company", company);
  asText(row, "symbol", symbol);
  sector = asInt(row, "sector");
  balance = asDouble(row, "balance");
}

void qxStockInfo::loadRow(Dataset& dataset) {
  Dataset& row = opened(dataset);
  id = asInt(row, "id");
  asText(row, "symbol", symbol);
  asText(row, "company", company);
  asText(row, "marketTitle", marketTitle);
  vol = asDouble(row, "vol");
  par_value = asFloat(row, "par_value");
  platform::copyBounded(symbolCopy, symbol);
  isLoaded = true;
  div_numdays = asInt(row, "div_numdays");
  div_perShare = asFloat(row, "div_perShare");
  div_dayleft = asInt(row, "div_dayleft");
  div_yield = asFloat(row, "div_yield");
  tradedAmount = asDouble(row, "tradedAmount");
  tradedVol = asDouble(row, "tradedVol");
  currentPrice = asFloat(row, "currentPrice");
  closeprice = asFloat(row, "closeprice");
  closepriceY = asFloat(row, "closepriceY");
  openPrice = asFloat(row, "openPrice");
  todayhigh = asFloat(row, "todayhigh");
  todaylow = asFloat(row, "todaylow");
  wk52high = asFloat(row, "wk52high");
  wk52low = asFloat(row, "wk52low");
  pe = asFloat(row, "pe");
  eps = asFloat(row, "eps");
  beta = asFloat(row, "beta");
  wishlist = asInt(row, "wishlist") != 0;
  status = asInt(row, "status");
  trend = static_cast<std::uint8_t>(asInt(row, "trend") & 0xFF);
  popularity = asInt(row, "popularity");
}

void qxStockWithCompany::loadRow(Dataset& dataset) {
  stock.loadRow(dataset);
  company.loadRow(dataset);
}

void qxEconomicFactor::loadRow(Dataset& dataset) {
  Dataset& row = opened(dataset);
  pol_stability = asFloat(row, "pol_stability");
  pol_status = asInt(row, "pol_status");
  pol_nextconsider = asInt(row, "pol_nextconsider");
  heal_stability = asFloat(row, "heal_stability");
  heal_status = asInt(row, "heal_status");
  heal_nextconsider = asInt(row, "heal_nextconsider");
  seas_stability = asFloat(row, "seas_stability");
  seas_status = asInt(row, "seas_status");
  seas_nextconsider = asInt(row, "seas_nextconsider");
  ecoLevel = asFloat(row, "ecoLevel");
}

void qxMarketInfo::loadRow(Dataset& dataset) {
  Dataset& row = opened(dataset);
  asText(row, "title", title);
  wk52high = asDouble(row, "wk52high");
  wk52low = asDouble(row, "wk52low");
  cycleOpen = asInt(row, "cycleOpen");
  cycleClose = asInt(row, "cycleClose");
  mktCap = asDouble(row, "mktCap");
}

void qxShare::loadRow(Dataset& dataset) {
  Dataset& row = opened(dataset);
  asText(row, "symbol", symbol);
  avg_price = asFloat(row, "avg_price");
  vol = asDouble(row, "vol");
  heldlength = asInt(row, "heldlength");
  asText(row, "marketTitle", marketTitle);
}

void qxProductInfo::loadRow(Dataset& dataset) {
  Dataset& row = opened(dataset);
  ID = asInt(row, "ID");
  asText(row, "brandname", brandname);
  asText(row, "brandserie", brandserie);
  asText(row, "company", company);
  saleprice = asFloat(row, "saleprice");
  category = asInt(row, "category");
}

void qxBelonging::loadRow(Dataset& dataset) {
  Dataset& row = opened(dataset);
  instAvailable = asFlag(row, "instAvailable");
  instMonthLeft = asInt(row, "instMonthLeft");
  instValue = asFloat(row, "instValue");
  ID = asInt(row, "ID");
  ageDays = asInt(row, "ageDays");
  boughtValue = asFloat(row, "boughtValue");
  currentValue = asFloat(row, "currentValue");
  productID = asInt(row, "productID");
}

void qxStockPrice::loadRow(Dataset& dataset) {
  price = asFloat(opened(dataset), "price");
}

void qxMktCap::loadRow(Dataset& dataset) {
  mktcap = asFloat(opened(dataset), "mktcap");
}

void qxMktIndex::loadRow(Dataset& dataset) {
  index = asFloat(opened(dataset), "index");
}

void qxExchangeRate::loadRow(Dataset& dataset) {
  Dataset& row = opened(dataset);
  rateExchange_Thai = asFloat(row, "rateExchange_Thai");
  rateExchange_NewYork = asFloat(row, "rateExchange_NewYork");
  rateExchange_London = asFloat(row, "rateExchange_London");
  rateExchange_Japan = asFloat(row, "rateExchange_Japan");
  rateExchange_Singapore = asFloat(row, "rateExchange_Singapore");
  rateExchange_Hongkong = asFloat(row, "rateExchange_Hongkong");
}

void qxStockHistory::loadRow(Dataset& dataset) {
  Dataset& row = opened(dataset);
  ID = asInt(row, "ID");
  asText(row, "symbol", symbol);
  high = asFloat(row, "high");
  low = asFloat(row, "low");
  open = asFloat(row, "open");
  close = asFloat(row, "close");
  tradedVol = asDouble(row, "tradedVol");
  tradedAmount = asDouble(row, "tradedAmount");
}

void qxInbox::loadRow(Dataset& dataset) {
  Dataset& row = opened(dataset);
  ID = asInt(row, "ID");
  isRead = asFlag(row, "isRead");
  asText(row, "Message", Message);
}

qxMilestone::qxMilestone(Dataset& dataset) {
  Dataset& rows = opened(dataset);
  rows.first();
  passed.push_back(false);
  std::int64_t stars = 0;
  while (!rows.eof()) {
    const bool isPassed = asFlag(rows, "passed");
    // Summed wide and capped: a stored star count must not overflow the total.
    if (isPassed) stars += asInt(rows, "star");
    passed.push_back(isPassed);
    rows.next();
  }
  totalStars = static_cast<int>(std::min<std::int64_t>(stars, std::numeric_limits<int>::max()));
}

int marketIndexOf(const std::string& title) {
  for (std::size_t i = 0; i < kMarketTitles.size(); ++i) {
    if (title == kMarketTitles[i]) return static_cast<int>(i);
  }
  return -1;
}

void marketTitleOf(std::string& text, int index) {
  if (index >= 0 && index < static_cast<int>(kMarketTitles.size()))
    text = kMarketTitles[static_cast<std::size_t>(index)];
}

}  // namespace Qorvex6
