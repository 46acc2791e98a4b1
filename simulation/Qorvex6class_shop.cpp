#include <exception>
#include <mutex>
#include <string>

#include "Qorvex6class.h"

namespace Qorvex6 {
namespace {

using T = qxSUBORDER;

constexpr int USD = 4;
constexpr int VEHICLES = 256;
constexpr int ASSETS = 1536;

}  // namespace

pList<qxProductInfo> QorvexCore::getProducts(int category) {
  const qxORDER criteria{T::numberTerm("category", category)};
  return database->getProducts(&criteria);
}

Purchase QorvexCore::buyProduct(const qxProductInfo* product) {
  std::lock_guard lock(host().gameLock());
  double& budget = database->profile.budget[USD];
  try {
    if (database->getBelongings(nullptr).count() >= MAX_BELONGINGS) return {Purchase::TooMany, budget};
  } catch (const std::exception& e) {
    debugLog(std::string("buyProduct failed: ") + e.what());
    return {Purchase::Failed, budget};
  }
  if (product == nullptr) return {Purchase::NoProduct, budget};
  if (!(budget > product->saleprice)) return {Purchase::TooExpensive, budget};

  const bool bought = changeProfile("buyProduct", [product](qxSaveGame& db) {
    // Charged only once the belonging is there.
    if (!db.insertBelonging(product)) return false;
    db.profile.budget[USD] -= product->saleprice;
    return db.writeProfile();
  });
  if (!bought) return {Purchase::Failed, budget};

  try {
    if (product->category == VEHICLES && !isMilestonePassed(11))
      awardMilestone(11);
    else if (product->category == ASSETS && !isMilestonePassed(12))
      awardMilestone(12);
  } catch (const std::exception& e) {
    debugLog(std::string("buyProduct: milestones: ") + e.what());
  }
  return {Purchase::Bought, budget};
}

}  // namespace Qorvex6
