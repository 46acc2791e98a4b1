#include <cmath>
#include <stdexcept>

#include "AsciiText.h"
#include "Qorvex6domain.h"
#include "Qorvex6engine.h"

namespace Qorvex6 {
namespace {

// Years of the Buddhist era become Gregorian years.
std::uint16_t gregorianYear(int year) {
  return static_cast<std::uint16_t>(year >= 2550 ? year - 543 : year);
}

}  // namespace

bool qxSaveGame::syncProfile(std::uint16_t mode) {
  switch (mode) {
    case PROFILE_WRITE:
      writeProfile();
      return true;
    case PROFILE_READ:
      readProfile();
      return true;
    default:
      return false;
  }
}

const char* qxSaveGame::budgetColumn(int market) {
  static constexpr const char* kBudgets[6] = {"budget_THB", "budget_GBP", "budget_JPY",
                                              "budget_SGD", "budget_USD", "budget_HKD"};
  return kBudgets[market];
}

bool qxSaveGame::writeProfile() {
  using T = qxSUBORDER;
  // Budgets and the amount statistics grow with sales, transfers, dividends and pay: kept in range here, in
  // memory too, so that the game goes on with what it stored. A non-finite one is a fault, never written.
  // Written only when out of range: the windows read the budgets while a tick writes the profile.
  const auto keep = [](double& amount) {
    if (std::isfinite(amount) && amount != domain::clampedAmount(amount))
      amount = domain::clampedAmount(amount);
  };
  for (double& budget : profile.budget)
    keep(budget);
  keep(profile.statHighestBudget);
  keep(profile.statHighestPortVal);
  platform::DateTime joinDate, debutDate;
  try {
    joinDate = platform::encodeDate(profile.joinYear, profile.joinMonth, profile.joinDay);
    debutDate = platform::encodeDate(2012, profile.debutMonth, profile.debutDay);
  } catch (const std::invalid_argument& e) {
    trace(std::string("writeProfile: ") + e.what());
    return false;
  }
  const qxORDER terms{
      T::textTerm("playerName", profile.playerName),
      T::numberTerm("budget_THB", profile.budget[0]),
      T::numberTerm("budget_GBP", profile.budget[1]),
      T::numberTerm("budget_USD", profile.budget[4]),
      T::numberTerm("budget_SGD", profile.budget[3]),
      T::numberTerm("budget_JPY", profile.budget[2]),
      T::numberTerm("budget_HKD", profile.budget[5]),
      T::dateTerm("joinDate", joinDate),
      T::dateTerm("debutDate", debutDate),
      T::numberTerm("timelineMode", timelineMode),
      T::numberTerm("dayCount", daycount),
      T::numberTerm("clockTick", clockTick),
      T::numberTerm("speed", speed),
      T::flagTerm("autoUpdate", autoUpdate),
      T::flagTerm("enableLargeDB", enableLargeDB),
      T::flagTerm("enableWizard", enableWizard),
      T::numberTerm("autoSaveFreq", autoSaveFreq),
      T::numberTerm("rateExchange_Thai", rateExchange[0]),
      T::numberTerm("rateExchange_London", rateExchange[1]),
      T::numberTerm("rateExchange_NewYork", rateExchange[4]),
      T::numberTerm("rateExchange_Singapore", rateExchange[3]),
      T::numberTerm("rateExchange_Japan", rateExchange[2]),
      T::numberTerm("rateExchange_Hongkong", rateExchange[5]),
      T::numberTerm("statHighestProfit_Val", profile.statHighestProfit_Val),
      T::textTerm("statHighestProfit_Symbol", profile.statHighestProfit_Symbol),
      T::numberTerm("statHighestLoss_Val", profile.statHighestLoss_Val),
      T::textTerm("statHighestLoss_Symbol", profile.statHighestLoss_Symbol),
      T::numberTerm("statLongestHolding_Val", profile.statLongestHolding_Val),
      T::textTerm("statLongestHolding_Symbol", profile.statLongestHolding_Symbol),
      T::numberTerm("statHighestBudget", profile.statHighestBudget),
      T::numberTerm("statHighestPortVal", profile.statHighestPortVal),
  };
  return execSQL("UPDATE [profile] SET " + buildFieldList(&terms, ","));
}

void qxSaveGame::readProfile() {
  platform::DbDataset row(*connection, "SELECT * FROM [profile]");
  row.open();
  checkProfileDomain(row);
  const auto field = [&row](const char* name) -> const platform::DbValue& { return row.fieldByName(name); };

  platform::copyBounded(profile.playerName, field("playerName").asString());
  for (int i = 0; i < 6; ++i)
    profile.budget[i] = field(budgetColumn(i)).asFloat();
  autoUpdate = field("autoUpdate").asBoolean();
  enableLargeDB = field("enableLargeDB").asBoolean();
  enableWizard = field("enableWizard").asBoolean();
  autoSaveFreq = field("autoSaveFreq").asInteger();
  speed = field("speed").asInteger();
  timelineMode = field("timelineMode").asInteger();
  daycount = static_cast<std::uint16_t>(field("daycount").asInteger());
  clockTick = static_cast<std::uint16_t>(field("clockTick").asInteger());
  static constexpr const char* kRates[6] = {"rateExchange_Thai",    "rateExchange_London",
                                            "rateExchange_Japan",   "rateExchange_Singapore",
                                            "rateExchange_NewYork", "rateExchange_HongKong"};
  for (int i = 0; i < 6; ++i)
    rateExchange[i] = static_cast<float>(field(kRates[i]).asFloat());
  platform::copyBounded(profile.statHighestProfit_Symbol, field("statHighestProfit_Symbol").asString());
  platform::copyBounded(profile.statHighestLoss_Symbol, field("statHighestLoss_Symbol").asString());
  platform::copyBounded(profile.statLongestHolding_Symbol, field("statLongestHolding_Symbol").asString());
  profile.statHighestProfit_Val = static_cast<float>(field("statHighestProfit_Val").asFloat());
  profile.statHighestLoss_Val = static_cast<float>(field("statHighestLoss_Val").asFloat());
  profile.statLongestHolding_Val = static_cast<float>(field("statLongestHolding_Val").asFloat());
  profile.statHighestBudget = field("statHighestBudget").asFloat();
  profile.statHighestPortVal = field("statHighestPortVal").asFloat();

  const platform::CivilDate join = platform::decodeDate(field("joinDate").asDateTime());
  profile.joinYear = gregorianYear(join.year);
  profile.joinMonth = static_cast<std::uint16_t>(join.month);
  profile.joinDay = static_cast<std::uint16_t>(join.day);
  const platform::CivilDate today = platform::localToday();
  profile.debutYear = gregorianYear(today.year);
  profile.debutMonth = static_cast<std::uint16_t>(today.month);
  profile.debutDay = static_cast<std::uint16_t>(today.day);

  loadMilestones();
}

void qxSaveGame::loadMilestones() {
  platform::DbDataset rows(*connection, "SELECT * FROM [milestone] ORDER BY [id] ASC");
  profile.milestones = qxMilestone(rows);
}

std::vector<qxMilestoneInfo> qxSaveGame::getMilestoneInfos(const qxORDER* criteria) {
  platform::DbDataset rows(*connection,
                           "SELECT * FROM [milestone]" + criteriaClause(criteria) + " ORDER BY [ID]");
  rows.open();
  std::vector<qxMilestoneInfo> infos;
  for (; !rows.eof(); rows.next()) {
    qxMilestoneInfo info;
    platform::copyBounded(info.type, rows.fieldByName("type").asString());
    platform::copyBounded(info.description, rows.fieldByName("description").asString());
    infos.push_back(info);
  }
  return infos;
}

bool qxSaveGame::passMilestone(int id) {
  return execSQL("UPDATE milestone SET \t\t[passed]=1 WHERE \t\t[ID]=" + std::to_string(id));
}

}  // namespace Qorvex6
