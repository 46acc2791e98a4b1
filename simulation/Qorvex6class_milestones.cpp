#include <optional>
#include <string>
#include <vector>

#include "AsciiText.h"
#include "Qorvex6class.h"
#include "Qorvex6domain.h"

namespace Qorvex6 {
namespace {

using T = qxSUBORDER;

constexpr int USD = 4;

// The flag of a milestone as last loaded. An id the loaded table does not cover counts as passed:
// there is nothing to award for it.
bool isPassed(const qxSaveGame& db, int id) {
  const std::vector<bool>& passed = db.profile.milestones.passed;
  if (id <= 0 || static_cast<std::size_t>(id) >= passed.size()) return true;
  return passed[static_cast<std::size_t>(id)];
}

}  // namespace

bool QorvexCore::isMilestonePassed(int id) const {
  return isPassed(*database, id);
}

void QorvexCore::awardMilestone(int id) {
  const qxORDER byId{T::numberTerm("ID", id)};
  const std::vector<qxMilestoneInfo> infos = database->getMilestoneInfos(&byId);
  if (infos.empty()) return;
  const std::string description = infos.front().description;

  // Nothing is announced for a pass that was not stored: the next evaluation tries again.
  if (!database->passMilestone(id)) {
    debugLog("awardMilestone: milestone " + std::to_string(id) + " could not be marked passed");
    return;
  }
  database->loadMilestones();
  host().postPopup("Achievement", description, 0);
  addInbox("You achieved a milestone:\n" + description);
}

void QorvexCore::checkCycleMilestones() {
  const auto award = [this](int id, bool condition) {
    if (!isPassed(*database, id) && condition) awardMilestone(id);
  };

  const double cash = database->totalBudget();
  award(1, cash >= 1000000.0);
  award(2, cash >= 10000000.0);
  award(3, cash >= 100000000.0);

  bool pending = false;
  for (const int id : {6, 7, 8, 13, 16, 17, 18, 20})
    pending = pending || !isPassed(*database, id);
  if (!pending) return;

  const pList<qxShare> holdings = getPortfolio();
  const int n = holdings.count();
  int japan = 0;
  bool heldLong = false;
  int marketSum = 0;
  for (const qxShare& holding : holdings.items) {
    // Market titles compare without case, as the database compares them.
    if (platform::equalsNoCase(holding.marketTitle, "JAPAN")) ++japan;
    if (holding.heldlength >= 100) heldLong = true;
    const int m = marketIndexOf(holding.marketTitle);
    if (m >= 0) marketSum += 1 << m;
  }

  award(6, n >= 11);
  award(7, n >= 26);
  award(8, heldLong);
  award(13, japan >= 8);
  // Valued once, and only when a milestone still needs it.
  std::optional<double> value;
  const auto portfolioValue = [&] {
    if (!value) value = getPortfolioValue();
    return *value;
  };
  if (!isPassed(*database, 16)) award(16, portfolioValue() > 500000.0);
  award(17, n >= 6 && marketSum >= 63);
  if (!isPassed(*database, 18)) award(18, portfolioValue() >= cash);
  award(20, n >= 20);
}

void QorvexCore::checkSaleMilestones(double profitUSD, const std::string& marketTitle, int heldlength) {
  const auto award = [this](int id, bool condition) {
    if (!isPassed(*database, id) && condition) awardMilestone(id);
  };
  award(9, profitUSD > 1000000.0);
  award(10, profitUSD > 5000000.0);
  award(14, platform::equalsNoCase(marketTitle, "THAI"));
  award(21, profitUSD > 0 && heldlength < 2);
  award(22, profitUSD > 0 && heldlength >= 30);
}

void QorvexCore::checkPurchaseMilestones(const std::string& symbol) {
  if (isPassed(*database, 23)) return;
  const qxORDER criteria{T::numberTerm("wishlist", 1), T::textTerm("symbol", symbol)};
  if (database->getStocks(&criteria).count() >= 1) awardMilestone(23);
}

std::string QorvexCore::getRank() {
  return getRank(getPortfolioValue());
}

std::string QorvexCore::getRank(double portfolioValue) {
  const double stars = database->profile.milestones.totalStars * 1.25;
  double cashUSD = 0;
  for (int i = 0; i < 6; ++i)
    cashUSD += convertCurrency(database->profile.budget[i], i, USD);

  double assets = 0.001 * portfolioValue * 2.5 + 0.00004 * (portfolioValue + cashUSD);
  const pList<qxBelonging> belongings = database->getBelongings(nullptr);
  if (belongings.count() > 0) {
    double bought = 0;
    for (const qxBelonging& belonging : belongings.items)
      bought += belonging.boughtValue;
    assets += 0.0001 * bought * 1.25;
  }

  const float score = domain::narrowed(0.6 * stars + 0.4 * assets);
  if (score < 1.5f) return "Starter";
  if (score < 3.0f) return "Novice";
  if (score < 5.0f) return "Trader";
  if (score < 10.0f) return "Skilled Trader";
  if (score < 30.0f) return "Professional";
  if (score < 45.0f) return "Expert";
  return "Legendary Trader";
}

}  // namespace Qorvex6
