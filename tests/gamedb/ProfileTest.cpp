#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "AsciiText.h"
#include "DbError.h"
#include "Qorvex6engine.h"
#include "TestDatabase.h"

namespace {

using namespace Qorvex6;

constexpr const char* kProfileRow =
    "INSERT INTO profile (version, playerName, joinDate, rateExchange_NewYork) VALUES (670, 'P', "
    "'01/01/2500', 31);"
    "INSERT INTO milestone (id, passed, star) VALUES (1, 0, 1), (2, 1, 2);";

class ProfileTest : public ::testing::Test {
 protected:
  void open(std::string_view fixture = kProfileRow) {
    file_ = dir_.file("game.db");
    testsupport::createGameDatabase(file_, fixture);
    ASSERT_TRUE(game_.openDatabase(file_.string(), testsupport::kPassword));
  }
  std::string column(const std::string& name) {
    return game_.connection->query("SELECT " + name + " FROM profile").at(0, 0).asString();
  }

  testsupport::TempDir dir_;
  std::filesystem::path file_;
  qxSaveGame game_;
};

// Sets a comma-decimal locale for the scope, the way a desktop session may.
class CommaLocale {
 public:
  CommaLocale() {
    const char* old = std::setlocale(LC_ALL, nullptr);
    saved_ = old ? old : "C";
    active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  }
  ~CommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
  bool active() const { return active_; }

 private:
  std::string saved_;
  bool active_ = false;
};

TEST_F(ProfileTest, RoundTripKeepsEveryValueUnderACommaLocale) {
  CommaLocale locale;
  if (!locale.active()) GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
  open();
  game_.readProfile();

  platform::copyBounded(game_.profile.playerName, "O'Neil d'Arc");
  const double budgets[6] = {1000000.25, 5000.5, 0, 12.125, 4500, 40250.75};
  for (int i = 0; i < 6; ++i)
    game_.profile.budget[i] = budgets[i];
  const float rates[6] = {1, 49.3f, 0.4f, 25.125f, 31.7f, 4.05f};
  for (int i = 0; i < 6; ++i)
    game_.rateExchange[i] = rates[i];
  game_.profile.joinYear = 2501;
  game_.profile.joinMonth = 2;
  game_.profile.joinDay = 28;
  game_.autoUpdate = false;
  game_.enableLargeDB = true;
  game_.enableWizard = true;
  game_.autoSaveFreq = 3;
  game_.speed = 32;
  game_.timelineMode = 1;
  game_.daycount = 412;
  game_.clockTick = 19;
  platform::copyBounded(game_.profile.statHighestProfit_Symbol, "WIN'S");
  game_.profile.statHighestProfit_Val = 1234.5f;
  platform::copyBounded(game_.profile.statHighestLoss_Symbol, "LOSS");
  game_.profile.statHighestLoss_Val = -99.25f;
  platform::copyBounded(game_.profile.statLongestHolding_Symbol, "LONG");
  game_.profile.statLongestHolding_Val = 77;
  game_.profile.statHighestBudget = 123456.789;
  game_.profile.statHighestPortVal = 9.87654321e9;
  ASSERT_TRUE(game_.writeProfile());

  qxSaveGame again;
  again.openDatabase(file_.string(), testsupport::kPassword);
  again.readProfile();
  const qxProfile& p = again.profile;
  EXPECT_STREQ(p.playerName, "O'Neil d'Arc");
  for (int i = 0; i < 6; ++i) {
    EXPECT_DOUBLE_EQ(p.budget[i], budgets[i]) << i;
    EXPECT_FLOAT_EQ(again.rateExchange[i], rates[i]) << i;
  }
  EXPECT_EQ(p.joinYear, 2501);
  EXPECT_EQ(p.joinMonth, 2);
  EXPECT_EQ(p.joinDay, 28);
  EXPECT_FALSE(again.autoUpdate);
  EXPECT_TRUE(again.enableLargeDB);
  EXPECT_TRUE(again.enableWizard);
  EXPECT_EQ(again.autoSaveFreq, 3);
  EXPECT_EQ(again.speed, 32);
  EXPECT_EQ(again.timelineMode, 1);
  EXPECT_EQ(again.daycount, 412);
  EXPECT_EQ(again.clockTick, 19);
  EXPECT_STREQ(p.statHighestProfit_Symbol, "WIN'S");
  EXPECT_FLOAT_EQ(p.statHighestProfit_Val, 1234.5f);
  EXPECT_STREQ(p.statHighestLoss_Symbol, "LOSS");
  EXPECT_FLOAT_EQ(p.statHighestLoss_Val, -99.25f);
  EXPECT_STREQ(p.statLongestHolding_Symbol, "LONG");
  EXPECT_FLOAT_EQ(p.statLongestHolding_Val, 77);
  EXPECT_DOUBLE_EQ(p.statHighestBudget, 123456.789);
  EXPECT_DOUBLE_EQ(p.statHighestPortVal, 9.87654321e9);
  EXPECT_EQ(p.milestones.totalStars, 2);
  EXPECT_EQ(p.milestones.passed, (std::vector<bool>{false, false, true}));
}

TEST_F(ProfileTest, DatesFollowTheCalendarRules) {
  struct Case {
    const char* stored;
    int year;
  } cases[] = {{"03/15/2555", 2012}, {"03/15/2549", 2549}, {"03/15/2550", 2007}, {"2500-03-15", 2500}};
  open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    ASSERT_TRUE(game_.execSQL(std::string("UPDATE profile SET joinDate='") + c.stored + "'"));
    game_.readProfile();
    EXPECT_EQ(game_.profile.joinYear, c.year);
    EXPECT_EQ(game_.profile.joinMonth, 3);
    EXPECT_EQ(game_.profile.joinDay, 15);
  }
  // The debut is the day the profile is read: pinned, so the test holds across midnight.
  struct PinnedToday {
    PinnedToday() {
      platform::setTodaySource([] { return platform::CivilDate{2028, 2, 29}; });
    }
    ~PinnedToday() { platform::setTodaySource(nullptr); }
  } pinned;
  ASSERT_TRUE(game_.execSQL("UPDATE profile SET debutDate='07/04/1999'"));
  game_.readProfile();
  EXPECT_EQ(game_.profile.debutYear, 2028);
  EXPECT_EQ(game_.profile.debutMonth, 2);
  EXPECT_EQ(game_.profile.debutDay, 29);
  ASSERT_TRUE(game_.writeProfile());
  EXPECT_EQ(column("debutDate"), "02/29/2012") << "the stored debut always carries the year 2012";
}

TEST_F(ProfileTest, SyncProfileModes) {
  open();
  game_.profile.budget[0] = 7;
  EXPECT_FALSE(game_.syncProfile(3));
  EXPECT_EQ(game_.profile.budget[0], 7) << "mode 3 does nothing";
  EXPECT_TRUE(game_.syncProfile(PROFILE_READ));
  EXPECT_EQ(game_.profile.budget[0], 0);
  game_.profile.budget[0] = 55;
  EXPECT_TRUE(game_.syncProfile(PROFILE_WRITE));
  EXPECT_EQ(column("budget_THB"), "55");

  game_.profile.budget[0] = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(game_.writeProfile()) << "a non-finite budget is never written";
  EXPECT_TRUE(game_.syncProfile(PROFILE_WRITE)) << "sync keeps its always-true answer";
  EXPECT_EQ(column("budget_THB"), "55");

  qxSaveGame unread;  // dates never read: nothing valid to write
  unread.openDatabase(file_.string(), testsupport::kPassword);
  EXPECT_FALSE(unread.writeProfile());
  EXPECT_EQ(column("playerName"), "P");
}

TEST_F(ProfileTest, ReadVersionTellsOldDatabasesApart) {
  open();
  EXPECT_EQ(game_.readVersion(), 670);

  qxSaveGame old;
  const auto oldFile = dir_.file("old.db");
  platform::DbConnection::create(oldFile, testsupport::kPassword);
  {
    platform::DbConnection db;
    db.open(oldFile, testsupport::kPassword);
    db.executeScript("CREATE TABLE profile (playerName TEXT); INSERT INTO profile VALUES ('x');");
  }
  old.openDatabase(oldFile.string(), testsupport::kPassword);
  EXPECT_EQ(old.readVersion(), 600);
  old.execSQL("DROP TABLE profile");
  EXPECT_THROW(old.readVersion(), platform::ProviderError) << "a missing table is not an old version";
}

}  // namespace
