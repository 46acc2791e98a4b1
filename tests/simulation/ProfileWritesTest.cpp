// The core's writes for the transfer dialog, the shop and the Setting page, on games from the template.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <mutex>
#include <string>
#include <vector>

#include "DbConnection.h"
#include "GameFixture.h"
#include "Qorvex6class.h"
#include "RecordingHost.h"
#include "TestDatabase.h"

namespace {

namespace fs = std::filesystem;
using namespace Qorvex6;
using namespace std::chrono_literals;

constexpr int THB = 0;
constexpr int USD = 4;

class ProfileWritesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(resources_.path() / "data");
    testsupport::copyTemplate(core_.templatePath());
    ASSERT_TRUE(core_.createGame(std::string("Ann")));
    host_.clear();
  }

  qxSaveGame& db() { return *core_.database; }
  double& budget(int i) { return db().profile.budget[i]; }

  // What another connection reads from the working copy: only what was committed.
  platform::DbResult onDisk(const std::string& sql) {
    platform::DbConnection other;
    other.open(core_.workingCopyPath(), testsupport::kPassword);
    return other.query(sql);
  }
  double diskValue(const std::string& sql) { return onDisk(sql).at(0, 0).asFloat(); }
  std::vector<std::string> popupTitles() {
    std::vector<std::string> titles;
    for (const auto& p : host_.popups())
      titles.push_back(p.title + ": " + p.text);
    return titles;
  }
  qxProductInfo product(int id) {
    for (int category : {256, 1536, 2048})
      for (const qxProductInfo& p : core_.getProducts(category).items)
        if (p.ID == id) return p;
    ADD_FAILURE() << "no product " << id;
    return {};
  }
  void lockProfile() {
    db().connection->executeScript(
        "CREATE TRIGGER locked BEFORE UPDATE ON profile BEGIN SELECT RAISE(ABORT, 'locked'); END;");
  }

  testsupport::TempDir resources_, user_;
  testsupport::RecordingHost host_;
  QorvexCore core_{host_, {resources_.path(), user_.path(), {testsupport::saveCheckerProgram()}}};
};

// --- Transfer -----------------------------------------------------------------------------------------

TEST_F(ProfileWritesTest, TransferQuoteAndItsBoundaries) {
  const TransferQuote quote = core_.quoteTransfer(1000, USD, THB);
  EXPECT_EQ(quote.debit, 1001);
  EXPECT_EQ(quote.credit, 31000);
  EXPECT_EQ(core_.quoteTransfer(300, USD, THB).debit, 300.3);

  struct Case {
    double amount;
    int from, to;
    double fromBudget;
    bool allowed;
  } cases[] = {
      {1000, USD, THB, 1001, false},  // the debit equals the budget
      {1000, USD, THB, 1001.01, true}, {300, USD, THB, 300.3, false}, {300, USD, THB, 300.31, true},
      {1000, USD, USD, 1e9, false},  // the same account
      {0, USD, THB, 1e9, false},     // no amount chosen
      {0, THB, THB, 1e9, false},       {100, -1, THB, 1e9, false},    {100, USD, 6, 1e9, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.amount) + " " + std::to_string(c.from) + ">" + std::to_string(c.to) +
                 " of " + std::to_string(c.fromBudget));
    EXPECT_EQ(QorvexCore::transferAllowed(c.amount, c.from, c.to,
                                          core_.quoteTransfer(c.amount, c.from, c.to).debit, c.fromBudget),
              c.allowed);
  }
}

TEST_F(ProfileWritesTest, ATransferMovesTheMoneyInMemoryAndOnDisk) {
  ASSERT_EQ(budget(USD), 4500);
  const double thb = budget(THB);

  EXPECT_EQ(core_.transferMoney(1000, USD, THB), TransferResult::Transferred);
  EXPECT_DOUBLE_EQ(budget(USD), 3499);
  EXPECT_DOUBLE_EQ(budget(THB), thb + 31000);
  EXPECT_DOUBLE_EQ(diskValue("SELECT budget_USD FROM profile"), 3499);
  EXPECT_DOUBLE_EQ(diskValue("SELECT budget_THB FROM profile"), thb + 31000);
  EXPECT_TRUE(host_.popups().empty());

  // Checked against the live budget, not a preview: 3,499 no longer covers 3,500 and its fee.
  EXPECT_EQ(core_.transferMoney(3500, USD, THB), TransferResult::Refused);
  EXPECT_EQ(core_.transferMoney(100, USD, USD), TransferResult::Refused);
  EXPECT_DOUBLE_EQ(diskValue("SELECT budget_USD FROM profile"), 3499);

  // No amount is no transfer: nothing is written.
  db().profile.statHighestBudget = 12345;
  EXPECT_EQ(core_.transferMoney(0, USD, THB), TransferResult::Refused);
  EXPECT_DOUBLE_EQ(budget(USD), 3499);
  EXPECT_NE(diskValue("SELECT statHighestBudget FROM profile"), 12345);
}

TEST_F(ProfileWritesTest, TransferMilestonesAtTheirBoundsAndOnlyOnce) {
  budget(THB) = 1e10;
  struct Case {
    double thb;  // 31 THB to the dollar
    std::vector<std::string> awarded;
  } cases[] = {
      {30999000, {}},
      {31000000,
       {"Achievement: Make one money transfer that delivers an amount worth at least USD 1,000,000."}},
      {310000000,
       {"Achievement: Make one money transfer that delivers an amount worth at least USD 10,000,000."}},
      {620000000, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.thb);
    host_.clear();
    ASSERT_EQ(core_.transferMoney(c.thb, THB, USD), TransferResult::Transferred);
    EXPECT_EQ(popupTitles(), c.awarded);
  }
  EXPECT_TRUE(core_.isMilestonePassed(4));
  EXPECT_TRUE(core_.isMilestonePassed(5));
  EXPECT_EQ(diskValue("SELECT COUNT(*) FROM milestone WHERE passed = 1 AND id IN (4, 5)"), 2);
}

TEST_F(ProfileWritesTest, OneTransferCanAwardBothMilestones) {
  budget(THB) = 1e10;
  ASSERT_EQ(core_.transferMoney(400000000, THB, USD), TransferResult::Transferred);
  EXPECT_EQ(host_.popups().size(), 2u);
  EXPECT_TRUE(core_.isMilestonePassed(4));
  EXPECT_TRUE(core_.isMilestonePassed(5));
}

TEST_F(ProfileWritesTest, AFailedTransferMovesNothingAndAwardsNothing) {
  budget(THB) = 1e9;
  ASSERT_TRUE(db().writeProfile());
  lockProfile();

  EXPECT_EQ(core_.transferMoney(400000000, THB, USD), TransferResult::Failed);
  EXPECT_EQ(budget(THB), 1e9);
  EXPECT_EQ(budget(USD), 4500);
  EXPECT_EQ(diskValue("SELECT budget_THB FROM profile"), 1e9);
  EXPECT_EQ(diskValue("SELECT budget_USD FROM profile"), 4500);
  EXPECT_TRUE(host_.popups().empty());
  EXPECT_FALSE(core_.isMilestonePassed(4));

  db().connection->executeScript("DROP TRIGGER locked;");
  EXPECT_EQ(core_.transferMoney(1000, USD, THB), TransferResult::Transferred);
  EXPECT_DOUBLE_EQ(diskValue("SELECT budget_USD FROM profile"), 3499);
}

// --- Shop ---------------------------------------------------------------------------------------------

TEST_F(ProfileWritesTest, ProductsOfACategoryInQueryOrder) {
  std::vector<int> ids;
  for (const qxProductInfo& p : core_.getProducts(256).items)
    ids.push_back(p.ID);
  EXPECT_EQ(ids, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(core_.getProducts(1536).count(), 8);
  EXPECT_EQ(core_.getProducts(7).count(), 0);
}

TEST_F(ProfileWritesTest, APurchaseNeedsMoreThanThePrice) {
  const qxProductInfo scooter = product(0);
  ASSERT_EQ(scooter.saleprice, 1850);
  budget(USD) = 1850;
  const Purchase refused = core_.buyProduct(&scooter);
  EXPECT_EQ(refused.outcome, Purchase::TooExpensive);
  EXPECT_EQ(refused.budget, 1850);
  EXPECT_EQ(diskValue("SELECT COUNT(*) FROM belonging"), 0);

  budget(USD) = 1851;
  const Purchase bought = core_.buyProduct(&scooter);
  EXPECT_EQ(bought.outcome, Purchase::Bought);
  EXPECT_EQ(bought.budget, 1);
  EXPECT_EQ(budget(USD), 1);
  EXPECT_EQ(diskValue("SELECT budget_USD FROM profile"), 1);
  const platform::DbResult rows = onDisk("SELECT productID, boughtValue, currentValue FROM belonging");
  ASSERT_EQ(rows.rowCount(), 1u);
  EXPECT_EQ(rows.at(0, 0).asInteger(), 0);
  EXPECT_EQ(rows.at(0, 1).asFloat(), 1850);
  EXPECT_EQ(rows.at(0, 2).asFloat(), 1850);

  EXPECT_EQ(core_.buyProduct(nullptr).outcome, Purchase::NoProduct);
}

TEST_F(ProfileWritesTest, TheEleventhBelongingIsRefused) {
  budget(USD) = 1e6;
  const qxProductInfo bangle = product(16);
  for (int i = 0; i < QorvexCore::MAX_BELONGINGS; ++i)
    ASSERT_EQ(core_.buyProduct(&bangle).outcome, Purchase::Bought) << i;
  const double left = budget(USD);

  const qxProductInfo scooter = product(0);
  for (const qxProductInfo* p : {&bangle, &scooter, static_cast<const qxProductInfo*>(nullptr)})
    EXPECT_EQ(core_.buyProduct(p).outcome, Purchase::TooMany);
  EXPECT_EQ(budget(USD), left);
  EXPECT_EQ(diskValue("SELECT COUNT(*) FROM belonging"), 10);
}

TEST_F(ProfileWritesTest, ShopMilestonesForTheFirstVehicleAndTheFirstAsset) {
  budget(USD) = 1e6;
  const std::string wheels = "Achievement: Buy a vehicle in the shop.";
  const std::string landlord = "Achievement: Buy an asset in the shop.";
  struct Case {
    int product;
    std::vector<std::string> awarded;
  } cases[] = {
      {16, {}},         // jewellery never
      {8, {landlord}},  // an asset first, while no vehicle was bought
      {9, {}},         {0, {wheels}}, {1, {}}, {17, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    host_.clear();
    const qxProductInfo p = product(c.product);
    ASSERT_EQ(core_.buyProduct(&p).outcome, Purchase::Bought);
    EXPECT_EQ(popupTitles(), c.awarded);
  }
}

TEST_F(ProfileWritesTest, AFailedPurchaseChargesNothing) {
  const qxProductInfo scooter = product(0);
  struct Case {
    const char* what;
    const char* setUp;
    const char* tearDown;
  } cases[] = {
      {"the belonging cannot be added",
       "CREATE TRIGGER full BEFORE INSERT ON belonging BEGIN SELECT RAISE(ABORT, 'full'); END;",
       "DROP TRIGGER full;"},
      {"the profile cannot be written",
       "CREATE TRIGGER locked BEFORE UPDATE ON profile BEGIN SELECT RAISE(ABORT, 'locked'); END;",
       "DROP TRIGGER locked;"},
      {"the engine aborts the transaction",
       "CREATE TRIGGER aborted BEFORE UPDATE ON profile BEGIN SELECT RAISE(ROLLBACK, 'aborted'); END;",
       "DROP TRIGGER aborted;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    db().connection->executeScript(c.setUp);
    EXPECT_EQ(core_.buyProduct(&scooter).outcome, Purchase::Failed);
    EXPECT_EQ(budget(USD), 4500);
    EXPECT_EQ(db().getBelongings(nullptr).count(), 0);
    EXPECT_FALSE(core_.isMilestonePassed(11));
    db().connection->executeScript(c.tearDown);
    EXPECT_EQ(diskValue("SELECT budget_USD FROM profile"), 4500);
    EXPECT_EQ(diskValue("SELECT COUNT(*) FROM belonging"), 0);
  }
  EXPECT_TRUE(host_.popups().empty());
  EXPECT_EQ(core_.buyProduct(&scooter).outcome, Purchase::Bought);
  EXPECT_EQ(diskValue("SELECT budget_USD FROM profile"), 2650);
}

// --- Settings -----------------------------------------------------------------------------------------

TEST_F(ProfileWritesTest, SettingsRoundTripAndAFailedWriteKeepsTheOldOnes) {
  const GameSettings stored = core_.settings();
  EXPECT_EQ(stored, (GameSettings{true, false, false, 1, 0}));

  const GameSettings wanted{false, true, true, 3, 1};
  ASSERT_TRUE(core_.applySettings(wanted));
  EXPECT_EQ(core_.settings(), wanted);
  db().autoSaveFreq = 0;
  db().readProfile();
  EXPECT_EQ(core_.settings(), wanted) << "read back from disk";

  lockProfile();
  EXPECT_FALSE(core_.applySettings(stored));
  EXPECT_EQ(core_.settings(), wanted);
  EXPECT_EQ(diskValue("SELECT autoSaveFreq FROM profile"), 3);
}

TEST_F(ProfileWritesTest, TheWritesWaitForTheGameLock) {
  std::unique_lock lock(host_.gameLock());
  const qxProductInfo scooter = product(0);
  auto transfer = std::async(std::launch::async, [this] { return core_.transferMoney(1000, USD, THB); });
  auto purchase = std::async(std::launch::async, [&] { return core_.buyProduct(&scooter).outcome; });
  auto settings = std::async(std::launch::async, [this] { return core_.applySettings({}); });
  EXPECT_EQ(transfer.wait_for(100ms), std::future_status::timeout);
  EXPECT_EQ(purchase.wait_for(0ms), std::future_status::timeout);
  EXPECT_EQ(settings.wait_for(0ms), std::future_status::timeout);
  EXPECT_EQ(budget(USD), 4500);
  lock.unlock();
  EXPECT_EQ(transfer.get(), TransferResult::Transferred);
  EXPECT_EQ(purchase.get(), Purchase::Bought);
  EXPECT_TRUE(settings.get());
  EXPECT_DOUBLE_EQ(diskValue("SELECT budget_USD FROM profile"), 4500 - 1001 - 1850);
}

}  // namespace
