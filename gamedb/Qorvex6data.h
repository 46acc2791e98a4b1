#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class DbDataset;
}

namespace Qorvex6 {

using Dataset = platform::DbDataset;

// Records copied from query rows. Each is a plain value: a default record is all zero, a record built
// from a dataset copies its current row (opening the dataset when it is not open, never moving it), and
// text fields keep at most their capacity less one character.

struct qxQueue {
  int ID = 0;
  char symbol[10] = {};
  char marketTitle[10] = {};
  float price = 0;
  float qty = 0;
  bool isUserReq = false;
  bool isBid = false;
  bool isCompleted = false;
  int clockTick = 0;

  qxQueue() = default;
  explicit qxQueue(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

struct qxCompanyInfo {
  char company[255] = {};
  char symbol[13] = {};
  int sector = 0;
  double balance = 0;

  qxCompanyInfo() = default;
  explicit qxCompanyInfo(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

struct qxStockInfo {
  int id = 0;
  char symbol[16] = {};
  char company[255] = {};
  char marketTitle[21] = {};
  double vol = 0;
  float par_value = 0;
  char symbolCopy[255] = {};
  bool isLoaded = false;
  int div_numdays = 0;
  float div_perShare = 0;
  int div_dayleft = 0;
  float div_yield = 0;
  double tradedAmount = 0;
  double tradedVol = 0;
  float currentPrice = 0;
  float closeprice = 0;
  float closepriceY = 0;
  float openPrice = 0;
  float todayhigh = 0;
  float todaylow = 0;
  float wk52high = 0;
  float wk52low = 0;
  float pe = 0;
  float eps = 0;
  float beta = 0;
  bool wishlist = false;
  int status = 0;
  std::uint8_t trend = 0;
  int popularity = 0;

  qxStockInfo() = default;
  explicit qxStockInfo(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

struct qxStockWithCompany {
  qxStockInfo stock;
  qxCompanyInfo company;

  qxStockWithCompany() = default;
  explicit qxStockWithCompany(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

struct qxEconomicFactor {
  float pol_stability = 0;
  int pol_status = 0;
  int pol_nextconsider = 0;
  float heal_stability = 0;
  int heal_status = 0;
  int heal_nextconsider = 0;
  float seas_stability = 0;
  int seas_status = 0;
  int seas_nextconsider = 0;
  float ecoLevel = 0;

  qxEconomicFactor() = default;
  explicit qxEconomicFactor(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

// One monthly result of a company; built by the game core, never read from a row.
struct qxFinanceReport {
  double balance = 0;
  double incomes = 0;
  double expenditures = 0;
  std::string Company;
};

struct qxMarketInfo {
  char title[16] = {};
  double wk52high = 0;
  double wk52low = 0;
  int cycleOpen = 0;
  int cycleClose = 0;
  double mktCap = 0;

  qxMarketInfo() = default;
  explicit qxMarketInfo(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

struct qxShare {
  char symbol[12] = {};
  float avg_price = 0;
  double vol = 0;
  int heldlength = 0;
  char marketTitle[12] = {};

  qxShare() = default;
  explicit qxShare(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

struct qxProductInfo {
  int ID = 0;
  char brandname[20] = {};
  char brandserie[20] = {};
  char company[256] = {};
  float saleprice = 0;
  int category = 0;

  qxProductInfo() = default;
  explicit qxProductInfo(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

struct qxBelonging {
  bool instAvailable = false;
  int instMonthLeft = 0;
  float instValue = 0;
  int ID = 0;
  int ageDays = 0;
  float boughtValue = 0;
  float currentValue = 0;
  int productID = 0;

  qxBelonging() = default;
  explicit qxBelonging(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

struct qxStockPrice {
  float price = 0;

  qxStockPrice() = default;
  explicit qxStockPrice(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

struct qxMktCap {
  float mktcap = 0;

  qxMktCap() = default;
  explicit qxMktCap(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

struct qxMktIndex {
  float index = 0;

  qxMktIndex() = default;
  explicit qxMktIndex(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

// New York comes second here, unlike the market index order.
struct qxExchangeRate {
  float rateExchange_Thai = 0;
  float rateExchange_NewYork = 0;
  float rateExchange_London = 0;
  float rateExchange_Japan = 0;
  float rateExchange_Singapore = 0;
  float rateExchange_Hongkong = 0;

  qxExchangeRate() = default;
  explicit qxExchangeRate(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

struct qxStockHistory {
  int ID = 0;
  char symbol[12] = {};
  float high = 0;
  float low = 0;
  float open = 0;
  float close = 0;
  double tradedVol = 0;
  double tradedAmount = 0;

  qxStockHistory() = default;
  explicit qxStockHistory(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

struct qxInbox {
  int ID = 0;
  bool isRead = false;
  char Message[131] = {};

  qxInbox() = default;
  explicit qxInbox(Dataset& row) { loadRow(row); }
  void loadRow(Dataset& row);
};

// Star total and passed flags of all milestones. Built from every row of a query ordered by id;
// element 0 of `passed` stands for no milestone, element i for milestone i.
struct qxMilestone {
  int totalStars = 0;
  std::vector<bool> passed;

  qxMilestone() = default;
  explicit qxMilestone(Dataset& rows);  // walks all rows and leaves the dataset at its end
};

struct qxMilestoneInfo {
  char type[15] = {};
  char description[255] = {};
};

// Market index of one of the six titles, compared exactly; -1 for any other title.
int marketIndexOf(const std::string& title);
// Writes the title of market index 0..5 into text; any other index leaves text as it was.
void marketTitleOf(std::string& text, int index);

}  // namespace Qorvex6
