#include <exception>
#include <mutex>
#include <string>

#include "Qorvex6class.h"

namespace Qorvex6 {
namespace {

constexpr int USD = 4;
constexpr int ACCOUNTS = 6;

}  // namespace

TransferQuote QorvexCore::quoteTransfer(double amount, int from, int to) const {
  // x 1001 / 1000 rather than x 1.001, which lands below the decimal (1000 x 1.001 = 1000.9999...).
  return {amount * 1001 / 1000, convertCurrency(amount, from, to)};
}

bool QorvexCore::transferAllowed(double amount, int from, int to, double debit, double fromBudget) {
  if (from < 0 || from >= ACCOUNTS || to < 0 || to >= ACCOUNTS || from == to) return false;
  return amount > 0 && debit < fromBudget;
}

TransferResult QorvexCore::transferMoney(double amount, int from, int to) {
  std::lock_guard lock(host().gameLock());
  TransferQuote quote;
  try {
    if (from < 0 || from >= ACCOUNTS || !(amount >= 0)) return TransferResult::Refused;
    quote = quoteTransfer(amount, from, to);
    if (!transferAllowed(amount, from, to, quote.debit, database->profile.budget[from]))
      return TransferResult::Refused;
  } catch (const std::exception& e) {
    debugLog(std::string("transferMoney failed: ") + e.what());
    return TransferResult::Failed;
  }
  const bool moved = changeProfile("transferMoney", [&](qxSaveGame& db) {
    db.profile.budget[from] -= quote.debit;
    db.profile.budget[to] += quote.credit;
    return db.writeProfile();
  });
  if (!moved) return TransferResult::Failed;

  // The money has moved; a milestone that cannot be stored now is not the transfer's failure.
  try {
    const double worthUSD = convertCurrency(quote.credit, to, USD);
    if (!isMilestonePassed(4) && worthUSD >= 1000000.0) awardMilestone(4);
    if (!isMilestonePassed(5) && worthUSD >= 10000000.0) awardMilestone(5);
  } catch (const std::exception& e) {
    debugLog(std::string("transferMoney: milestones: ") + e.what());
  }
  return TransferResult::Transferred;
}

}  // namespace Qorvex6
