#include <exception>
#include <mutex>
#include <string>

#include "DbConnection.h"
#include "Qorvex6class.h"

namespace Qorvex6 {
namespace {

using T = qxSUBORDER;

constexpr int WISHLIST_MILESTONE = 19;
constexpr int WISHLIST_FOR_MILESTONE = 18;

}  // namespace

bool QorvexCore::setWishlist(const std::string& symbol, bool on) {
  try {
    std::lock_guard lock(host().gameLock());
    platform::DbTransaction transaction(*database->connection);
    const qxORDER assignment{T::numberTerm("wishlist", on ? 1 : 0)};
    const qxORDER criteria{T::textTerm("symbol", symbol)};
    if (!database->updateStockFields(&assignment, &criteria)) return false;
    const std::vector<bool>& passed = database->profile.milestones.passed;
    // A milestone the loaded table does not hold has nothing to award.
    const bool awarded = WISHLIST_MILESTONE >= static_cast<int>(passed.size()) || passed[WISHLIST_MILESTONE];
    if (!awarded && getWishlist().count() >= WISHLIST_FOR_MILESTONE) awardMilestone(WISHLIST_MILESTONE);
    if (transaction.commit()) return true;
    database->loadMilestones();
    debugLog("setWishlist: the mark of " + symbol + " was not committed");
  } catch (const std::exception& e) {
    debugLog(std::string("setWishlist failed: ") + e.what());
  } catch (...) {
    debugLog("setWishlist failed");
  }
  return false;
}

bool QorvexCore::placeOrder(bool bid, const std::string& symbol, const std::string& marketTitle, float price,
                            float qty) {
  try {
    std::lock_guard lock(host().gameLock());
    return bid ? addBid(symbol, marketTitle, price, qty, true)
               : addOffer(symbol, marketTitle, price, qty, true);
  } catch (const std::exception& e) {
    debugLog(std::string("placeOrder failed: ") + e.what());
  } catch (...) {
    debugLog("placeOrder failed");
  }
  return false;
}

}  // namespace Qorvex6
