#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <future>
#include <mutex>
#include <string>
#include <vector>

#include "DbConnection.h"
#include "FileOps.h"
#include "GameFixture.h"
#include "Qorvex6class.h"
#include "RecordingHost.h"
#include "TestDatabase.h"

namespace {

namespace fs = std::filesystem;
using namespace Qorvex6;
using namespace std::chrono_literals;

constexpr int USD = 4;

constexpr const char* kFixture =
    "INSERT INTO profile (playerName, budget_THB, budget_USD) VALUES ('Ann', 70000, 4500);"
    "INSERT INTO belonging (ID, productID, boughtValue, currentValue) VALUES (1, 10, 1200, 1000), "
    "(2, 11, 300, 250);";

class HomeActionsTest : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::openFixtureGame(core_, file_, kFixture); }

  qxSaveGame& db() { return *core_.database; }

  // What another connection reads from the file: only what was committed.
  platform::DbValue onDisk(const std::string& sql) {
    platform::DbConnection other;
    other.open(file_, testsupport::kPassword);
    return other.query(sql).at(0, 0);
  }
  std::vector<int> belongingsOnDisk() {
    platform::DbConnection other;
    other.open(file_, testsupport::kPassword);
    const platform::DbResult rows = other.query("SELECT ID FROM belonging ORDER BY ID");
    std::vector<int> ids;
    for (std::size_t i = 0; i < rows.rowCount(); ++i)
      ids.push_back(rows.at(i, 0).asInteger());
    return ids;
  }

  testsupport::TempDir dir_;
  fs::path file_ = dir_.file("game.db");
  testsupport::RecordingHost host_;
  QorvexCore core_{host_};
};

TEST_F(HomeActionsTest, SellingABelongingCreditsFourFifthsOfItsValueInUsd) {
  const BelongingSale sale = core_.sellBelonging(1);

  EXPECT_EQ(sale.outcome, BelongingSale::Sold);
  EXPECT_DOUBLE_EQ(sale.gained, 800);
  EXPECT_DOUBLE_EQ(db().profile.budget[USD], 5300);
  EXPECT_DOUBLE_EQ(db().profile.budget[0], 70000);
  EXPECT_DOUBLE_EQ(onDisk("SELECT budget_USD FROM profile").asFloat(), 5300);
  EXPECT_EQ(belongingsOnDisk(), std::vector<int>{2});

  // Sold once: the same ID is no longer owned, and nothing moves.
  const BelongingSale again = core_.sellBelonging(1);
  EXPECT_EQ(again.outcome, BelongingSale::NotOwned);
  EXPECT_EQ(again.gained, 0);
  EXPECT_DOUBLE_EQ(db().profile.budget[USD], 5300);
  EXPECT_DOUBLE_EQ(onDisk("SELECT budget_USD FROM profile").asFloat(), 5300);
  EXPECT_EQ(belongingsOnDisk(), std::vector<int>{2});
}

TEST_F(HomeActionsTest, AFailedSaleChangesNothingAndTheNextOneGoesThrough) {
  struct Case {
    const char* what;
    const char* setUp;
    const char* tearDown;
  } cases[] = {
      {"the row cannot be deleted",
       "CREATE TRIGGER kept BEFORE DELETE ON belonging BEGIN SELECT RAISE(ABORT, 'kept'); END;",
       "DROP TRIGGER kept;"},
      {"the profile cannot be written",
       "CREATE TRIGGER locked BEFORE UPDATE ON profile BEGIN SELECT RAISE(ABORT, 'locked'); END;",
       "DROP TRIGGER locked;"},
      {"the engine aborts the transaction",
       "CREATE TRIGGER aborted BEFORE UPDATE ON profile BEGIN SELECT RAISE(ROLLBACK, 'aborted'); END;",
       "DROP TRIGGER aborted;"},
      {"the profile has no row", "DELETE FROM profile;",
       "INSERT INTO profile (playerName, budget_THB, budget_USD) VALUES ('Ann', 70000, 4500);"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    db().connection->executeScript(c.setUp);

    const BelongingSale sale = core_.sellBelonging(1);

    EXPECT_EQ(sale.outcome, BelongingSale::Failed);
    EXPECT_EQ(sale.gained, 0);
    EXPECT_DOUBLE_EQ(db().profile.budget[USD], 4500);
    EXPECT_EQ(belongingsOnDisk(), (std::vector<int>{1, 2}));
    EXPECT_EQ(db().getBelongings(nullptr).count(), 2) << "the delete was rolled back";
    db().connection->executeScript(c.tearDown);
    EXPECT_DOUBLE_EQ(onDisk("SELECT budget_USD FROM profile").asFloat(), 4500);
  }

  // A profile that cannot be rendered (month 13) fails before any statement of it runs.
  db().profile.joinMonth = 13;
  EXPECT_EQ(core_.sellBelonging(2).outcome, BelongingSale::Failed);
  EXPECT_DOUBLE_EQ(db().profile.budget[USD], 4500);
  EXPECT_EQ(belongingsOnDisk(), (std::vector<int>{1, 2}));
  db().profile.joinMonth = 1;

  // No transaction or lock was left behind.
  EXPECT_EQ(core_.sellBelonging(2).outcome, BelongingSale::Sold);
  EXPECT_DOUBLE_EQ(onDisk("SELECT budget_USD FROM profile").asFloat(), 4700);
  EXPECT_EQ(belongingsOnDisk(), std::vector<int>{1});
}

TEST_F(HomeActionsTest, ASaleWithoutAnOpenGameFailsWithoutThrowing) {
  db().closeDatabase();
  BelongingSale sale{BelongingSale::Sold, 1};
  EXPECT_NO_THROW(sale = core_.sellBelonging(1));
  EXPECT_EQ(sale.outcome, BelongingSale::Failed);
  EXPECT_DOUBLE_EQ(db().profile.budget[USD], 4500);
}

TEST_F(HomeActionsTest, RenameChecksTheWholeNameAndWritesIt) {
  struct Case {
    std::string name;
    RenameResult result;
  } cases[] = {
      {"abcdefghijklmnopqrstuvwx/yz", RenameResult::Invalid},  // '/' is the 25th byte
      {"Ann:2", RenameResult::Invalid},
      {"{Ann}", RenameResult::Invalid},
      {std::string(32, 'n'), RenameResult::Invalid},
      {"", RenameResult::Invalid},
      {"Ann", RenameResult::Unchanged},
      {"ann", RenameResult::Renamed},
      {std::string(31, 'n'), RenameResult::Renamed},
      {"Bob", RenameResult::Renamed},
  };
  std::string expected = "Ann";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(core_.renamePlayer(c.name), c.result);
    if (c.result == RenameResult::Renamed) expected = c.name;
    EXPECT_EQ(db().profile.playerName, expected);
    EXPECT_EQ(onDisk("SELECT playerName FROM profile").asString(), expected);
  }
}

TEST_F(HomeActionsTest, AFailedRenameKeepsTheOldName) {
  db().connection->executeScript(
      "CREATE TRIGGER locked BEFORE UPDATE ON profile BEGIN SELECT RAISE(ABORT, 'locked'); END;");
  EXPECT_EQ(core_.renamePlayer("Bob"), RenameResult::Failed);
  EXPECT_STREQ(db().profile.playerName, "Ann");
  EXPECT_EQ(onDisk("SELECT playerName FROM profile").asString(), "Ann");

  db().connection->executeScript("DROP TRIGGER locked;");
  EXPECT_EQ(core_.renamePlayer("Bob"), RenameResult::Renamed);
  EXPECT_EQ(onDisk("SELECT playerName FROM profile").asString(), "Bob");
}

TEST_F(HomeActionsTest, SaleAndRenameWaitForTheGameLock) {
  std::unique_lock lock(host_.gameLock());
  auto sale = std::async(std::launch::async, [this] { return core_.sellBelonging(1); });
  auto rename = std::async(std::launch::async, [this] { return core_.renamePlayer("Bob"); });
  EXPECT_EQ(sale.wait_for(100ms), std::future_status::timeout);
  EXPECT_EQ(rename.wait_for(0ms), std::future_status::timeout);
  EXPECT_DOUBLE_EQ(db().profile.budget[USD], 4500);
  EXPECT_STREQ(db().profile.playerName, "Ann");
  lock.unlock();
  EXPECT_EQ(sale.get().outcome, BelongingSale::Sold);
  EXPECT_EQ(rename.get(), RenameResult::Renamed);
}

TEST_F(HomeActionsTest, NewestExchangeRatesInAscendingOrder) {
  const auto london = [](const pList<qxExchangeRate>& rows) {
    std::vector<int> values;
    for (const qxExchangeRate& row : rows.items)
      values.push_back(static_cast<int>(row.rateExchange_London));
    return values;
  };
  db().execSQL(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5) "
      "INSERT INTO exchHistory (rateExchange_London) SELECT i FROM n");
  EXPECT_EQ(london(core_.getExchangeHistory(9)), (std::vector<int>{1, 2, 3, 4, 5}));

  db().execSQL(
      "WITH RECURSIVE n(i) AS (SELECT 6 UNION ALL SELECT i + 1 FROM n WHERE i < 20) "
      "INSERT INTO exchHistory (rateExchange_London) SELECT i FROM n");
  EXPECT_EQ(london(core_.getExchangeHistory(9)), (std::vector<int>{12, 13, 14, 15, 16, 17, 18, 19, 20}));
  EXPECT_EQ(london(core_.getExchangeHistory(1)), std::vector<int>{20});
  EXPECT_TRUE(core_.getExchangeHistory(0).items.empty());
  EXPECT_EQ(core_.getExchangeHistory().count(), 20);
  EXPECT_EQ(core_.getExchangeHistory().first().rateExchange_London, 1);
}

// With the engine told to return unordered rows backwards, only an explicit order survives.
TEST_F(HomeActionsTest, HomeListsHaveAnOrderOfTheirOwn) {
  db().connection->executeScript(
      "INSERT INTO stock (id, symbol, marketTitle, wishlist) VALUES (3, 'CEE', 'Thai', 1), "
      "(1, 'AYE', 'Thai', 1), (2, 'BEE', 'Thai', 0), (7, 'DEE', 'Thai', 1);"
      "INSERT INTO portfolio (symbol, marketTitle, heldlength) VALUES ('P1', 'Thai', 5), "
      "('P2', 'Thai', 9), ('P3', 'Thai', 5), ('P4', 'Thai', 5);"
      "INSERT INTO milestone (id, type, description) VALUES (2, 'b', 'second'), (1, 'a', 'first'), "
      "(3, 'c', 'third');"
      "PRAGMA reverse_unordered_selects=1;");

  std::vector<std::string> wishlist, portfolio, milestones;
  for (const qxStockInfo& s : core_.getWishlist().items)
    wishlist.emplace_back(s.symbol);
  for (const qxShare& s : core_.getPortfolio().items)
    portfolio.emplace_back(s.symbol);
  for (const qxMilestoneInfo& m : db().getMilestoneInfos(nullptr))
    milestones.emplace_back(m.type);
  EXPECT_EQ(wishlist, (std::vector<std::string>{"AYE", "CEE", "DEE"}));
  EXPECT_EQ(portfolio, (std::vector<std::string>{"P2", "P1", "P3", "P4"}));
  EXPECT_EQ(milestones, (std::vector<std::string>{"a", "b", "c"}));
}

// A game played from the template with real saves in Save/.
class HomeSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(resources_.path() / "data");
    testsupport::copyTemplate(core_.templatePath());
    fs::create_directories(core_.saveFolder());
  }

  std::string save(const std::string& name) { return core_.savePath(name).string(); }
  std::vector<std::string> saveFiles() { return platform::listFolder(core_.saveFolder(), false); }
  std::string bytes(const std::string& name) {
    std::string content;
    std::error_code ec;
    platform::readFile(core_.savePath(name), std::size_t{1} << 26, content, ec);
    return content;
  }
  // A saved game of that name, loaded so that its export lies beside it.
  void playSaved(const std::string& name) {
    ASSERT_TRUE(core_.createGame(name));
    ASSERT_TRUE(core_.saveGame(save(name)));
    ASSERT_TRUE(core_.loadGame(save(name)));
  }

  testsupport::TempDir resources_, user_;
  testsupport::RecordingHost host_;
  QorvexCore core_{host_, {resources_.path(), user_.path(), {testsupport::saveCheckerProgram()}}};
};

TEST_F(HomeSaveTest, SavingUnderTheNewNameRemovesTheOldSave) {
  playSaved("Ann");
  ASSERT_EQ(saveFiles(), (std::vector<std::string>{"Ann", "Ann.exp"}));

  ASSERT_EQ(core_.renamePlayer("Bob"), RenameResult::Renamed);
  EXPECT_EQ(saveFiles(), (std::vector<std::string>{"Ann", "Ann.exp"})) << "a rename alone deletes nothing";
  ASSERT_TRUE(core_.saveGame(save("Bob")));
  EXPECT_EQ(saveFiles(), std::vector<std::string>{"Bob"});

  // The game goes on under the new name: saving it again removes nothing more.
  ASSERT_TRUE(core_.saveGame(save("Bob")));
  ASSERT_TRUE(core_.loadGame(save("Bob")));
  EXPECT_STREQ(core_.database->profile.playerName, "Bob");
  EXPECT_EQ(saveFiles(), (std::vector<std::string>{"Bob", "Bob.exp"}));
}

TEST_F(HomeSaveTest, OnlyTheNameLastLoadedOrSavedUnderIsRemoved) {
  playSaved("Bob");
  const std::string bob = bytes("Bob");
  playSaved("Ann");

  EXPECT_EQ(core_.renamePlayer("Bob"), RenameResult::Taken) << "Bob's save is another game's";
  ASSERT_EQ(core_.renamePlayer("Cy"), RenameResult::Renamed);
  ASSERT_TRUE(core_.saveGame(save("Cy")));
  EXPECT_EQ(saveFiles(), (std::vector<std::string>{"Bob", "Bob.exp", "Cy"}));
  EXPECT_EQ(bytes("Bob"), bob);

  // A new game has no save yet: the older game's save of its name is not its own to remove.
  ASSERT_TRUE(core_.createGame("Bob"));
  ASSERT_EQ(core_.renamePlayer("Dee"), RenameResult::Renamed);
  ASSERT_TRUE(core_.saveGame(save("Dee")));
  EXPECT_EQ(saveFiles(), (std::vector<std::string>{"Bob", "Bob.exp", "Cy", "Dee"}));
  EXPECT_EQ(bytes("Bob"), bob);
}

TEST_F(HomeSaveTest, AFailedSaveKeepsTheOldSave) {
  playSaved("Ann");
  ASSERT_EQ(core_.renamePlayer("Bob"), RenameResult::Renamed);
  fs::create_directory(core_.savePath("Bob"));

  EXPECT_FALSE(core_.saveGame(save("Bob")));
  EXPECT_EQ(saveFiles(), (std::vector<std::string>{"Ann", "Ann.exp"}));
  EXPECT_TRUE(fs::is_directory(core_.savePath("Bob")));

  // Once the save goes through, the old one goes.
  fs::remove(core_.savePath("Bob"));
  ASSERT_TRUE(core_.saveGame(save("Bob")));
  EXPECT_EQ(saveFiles(), std::vector<std::string>{"Bob"});
}

}  // namespace
