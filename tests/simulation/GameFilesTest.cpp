#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>

#include <sys/stat.h>

#include "DbConnection.h"
#include "ExportText.h"
#include "FileOps.h"
#include "GameFixture.h"
#include "PlayerName.h"
#include "Qorvex6class.h"
#include "RecordingHost.h"
#include "TestDatabase.h"
#include "qx_Thread.h"

namespace {

namespace fs = std::filesystem;
using namespace Qorvex6;
using testsupport::readBytes;
using testsupport::writeBytes;

// Every entry of a folder, hidden ones included, sorted bytewise.
std::vector<std::string> entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The plain export of a game "Ann" with its starting cash and one holding ABC (12.5, 100 shares, 3 days).
constexpr const char* kAnnExport =
    "#0 Ann\n#1@1000000.00@5000.00@0.00@0.00@4500.00@40250.00\n#2 0.00\n#3 0.00\n#4 - 0.00\n#5 - 0.00\n"
    "#6 - 0\n#7 1\n@1 ABC 12.500 100 3\n";

void runSql(const fs::path& file, const std::string& sql) {
  platform::DbConnection db;
  db.open(file, testsupport::kPassword);
  db.executeScript(sql);
}

qxShare share(const char* symbol, float avg, double vol) {
  qxShare s;
  std::strcpy(s.symbol, symbol);
  s.avg_price = avg;
  s.vol = vol;
  return s;
}

class GameFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(resources_.path() / "data");
    testsupport::copyTemplate(core_.templatePath());
    fs::create_directories(core_.saveFolder());
  }
  void TearDown() override { platform::setFileFaultHook(nullptr); }

  qxSaveGame& db() { return *core_.database; }
  bool isOpen() { return db().connection->isOpen(); }
  double value(const std::string& sql) { return testsupport::queryValue(db(), sql); }
  std::string save(const std::string& name) { return (core_.saveFolder() / name).string(); }
  std::vector<std::string> saveFiles() { return entries(core_.saveFolder()); }

  // A game "Ann" with two listed holdings and one whose symbol the template does not list, saved.
  void saveAnnWithHoldings() {
    ASSERT_TRUE(core_.createGame(
        "Ann", {share("QUOR", 33.5f, 1000), share("VESR", 100.25f, 20), share("GONE", 2, 5)}));
    db().execSQL("UPDATE portfolio SET heldlength=7 WHERE symbol='QUOR'");
    db().profile.budget[0] = 123456.78;
    db().profile.statHighestBudget = 2000000;
    std::strcpy(db().profile.statHighestProfit_Symbol, "QUOR");
    db().profile.statHighestProfit_Val = 5000.5f;
    db().daycount = 42;
    ASSERT_TRUE(core_.saveGame(save("Ann")));
  }

  testsupport::TempDir resources_, user_;
  testsupport::RecordingHost host_;
  QorvexCore core_{host_, {resources_.path(), user_.path(), {testsupport::saveCheckerProgram()}}};
};

TEST_F(GameFilesTest, NewGameHasTheStartingValuesAndNothingOfTheGameBefore) {
  // A template whose profile differs from the starting values: the starting values must win, the
  // statistics and the wizard flag come from the template.
  runSql(core_.templatePath(),
         "UPDATE profile SET budget_THB=7, daycount=5, clockTick=3, rateExchange_London=2, speed=32,"
         " autoSaveFreq=3, joinDate='05/05/2501', statHighestBudget=99, enableWizard=1;");
  ASSERT_TRUE(core_.createGame("Old", {share("QUOR", 30, 10)}));
  db().insertInbox("old news");

  ASSERT_TRUE(core_.createGame("Ann", {share("VESR", 100, 20)}));

  const qxProfile& p = db().profile;
  EXPECT_STREQ(p.playerName, "Ann");
  const double budgets[6] = {1000000, 5000, 0, 0, 4500, 40250};
  const float rates[6] = {1, 49, 0.4f, 25, 31, 4};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(p.budget[i], budgets[i]) << i;
    EXPECT_EQ(db().rateExchange[i], rates[i]) << i;
  }
  EXPECT_EQ(db().daycount, 0);
  EXPECT_EQ(db().clockTick, 0);
  EXPECT_EQ(db().speed, 0);
  EXPECT_EQ(db().autoSaveFreq, 1);
  EXPECT_EQ(p.joinYear, 2500);
  EXPECT_EQ(p.statHighestBudget, 99);
  EXPECT_TRUE(db().enableWizard);
  // Written to the working copy, holdings included; the previous game left nothing behind.
  EXPECT_EQ(value("SELECT budget_THB FROM profile"), 1000000);
  EXPECT_EQ(value("SELECT daycount FROM profile"), 0);
  EXPECT_EQ(db().connection->query("SELECT playerName FROM profile").at(0, 0).asString(), "Ann");
  EXPECT_EQ(value("SELECT count(*) FROM portfolio"), 1);
  EXPECT_EQ(value("SELECT vol FROM portfolio WHERE symbol='VESR'"), 20);
  EXPECT_EQ(value("SELECT count(*) FROM inbox WHERE Message='old news'"), 0);

  // The template's own export, beside the working copy; the template itself is untouched.
  const std::string plain = decodeExportFile(readBytes(core_.templateExportPath()));
  EXPECT_EQ(plain.substr(0, plain.find("#2")), "#0 \n#1@7.00@5000.00@0.00@0.00@4500.00@40250.00\n");
  EXPECT_FALSE(fs::exists(core_.templatePath().string() + " [backup]"));
  EXPECT_EQ(platform::listFolder(resources_.path() / "data", false), std::vector<std::string>{"wvh.lyf"});
}

TEST_F(GameFilesTest, NewGameNeedsAUsableTemplateAndAValidName) {
  const std::string original = readBytes(core_.templatePath());
  struct Case {
    const char* what;
    std::function<void()> spoil;
  } cases[] = {
      {"missing", [&] { fs::remove(core_.templatePath()); }},
      {"version 700", [&] { runSql(core_.templatePath(), "UPDATE profile SET version=700;"); }},
      {"version 600 (no row)", [&] { runSql(core_.templatePath(), "DELETE FROM profile;"); }},
      {"plain text", [&] { writeBytes(core_.templatePath(), "#0 not a database\n"); }},
      {"other password",
       [&] {
         fs::remove(core_.templatePath());
         platform::DbConnection::create(core_.templatePath(), "another key");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeBytes(core_.templatePath(), original);
    ASSERT_TRUE(core_.createGame("Old", {share("QUOR", 30, 10)}));
    c.spoil();

    EXPECT_FALSE(core_.createGame("Ann"));
    EXPECT_FALSE(isOpen() && std::string(db().profile.playerName) == "Ann");
    EXPECT_FALSE(fs::exists(core_.templatePath().string() + " [backup]"));
  }

  writeBytes(core_.templatePath(), original);
  for (const char* name : {"", ".", "..", "../x", "a/b", "a\\b", "C:", "{x}", "tab\there", "x.exp"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(core_.createGame(std::string(name)));
  }
  // Without a name the template's game is open, and the result is false.
  EXPECT_FALSE(core_.createGame(std::nullopt));
  EXPECT_TRUE(isOpen());
  EXPECT_EQ(value("SELECT count(*) FROM portfolio"), 0);
}

TEST_F(GameFilesTest, SaveThenLoadGivesTheSameGame) {
  saveAnnWithHoldings();
  db().insertInbox("kept");  // after the save: must not come back
  ASSERT_TRUE(core_.createGame("Bob"));

  ASSERT_TRUE(core_.loadGame(save("Ann")));

  EXPECT_STREQ(db().profile.playerName, "Ann");
  EXPECT_DOUBLE_EQ(db().profile.budget[0], 123456.78);
  EXPECT_EQ(db().daycount, 42);
  EXPECT_STREQ(db().profile.statHighestProfit_Symbol, "QUOR");
  EXPECT_FLOAT_EQ(db().profile.statHighestProfit_Val, 5000.5f);
  EXPECT_EQ(value("SELECT count(*) FROM portfolio"), 3);
  EXPECT_EQ(value("SELECT heldlength FROM portfolio WHERE symbol='QUOR'"), 7);
  EXPECT_EQ(value("SELECT count(*) FROM inbox WHERE Message='kept'"), 0);

  // Loading writes the export; loading again gives the same bytes.
  const std::string exported = readBytes(save("Ann.exp"));
  ASSERT_FALSE(exported.empty());
  ASSERT_TRUE(core_.loadGame(save("Ann")));
  EXPECT_EQ(readBytes(save("Ann.exp")), exported);
  EXPECT_EQ(saveFiles(), (std::vector<std::string>{"Ann", "Ann.exp"}));
}

TEST_F(GameFilesTest, AFailedSaveLeavesThePreviousSaveWhole) {
  saveAnnWithHoldings();
  const std::string before = readBytes(save("Ann"));

  for (const char* failing : {"create", "write", "sync", "close", "rename"}) {
    SCOPED_TRACE(failing);
    platform::setFileFaultHook([failing](std::string_view step, const fs::path& file) {
      return step == failing && file.filename() == "Ann" ? EIO : 0;
    });
    db().profile.budget[0] = 1;
    EXPECT_FALSE(core_.saveGame(save("Ann")));
    EXPECT_EQ(readBytes(save("Ann")), before);
    EXPECT_EQ(saveFiles(), std::vector<std::string>{"Ann"}) << "no temporary file left";
  }
  platform::setFileFaultHook(nullptr);

  // A profile that cannot be written (month 13) fails the save before the file is touched.
  db().profile.joinMonth = 13;
  EXPECT_FALSE(core_.saveGame(save("Ann")));
  EXPECT_EQ(readBytes(save("Ann")), before);

  // Paths outside Save/ or not named by a valid player name are refused.
  db().profile.joinMonth = 1;
  for (const fs::path& path :
       {user_.path() / "Ann", core_.saveFolder() / ".." / "Ann", core_.saveFolder() / "sub" / "Ann",
        core_.saveFolder() / "x.exp", core_.saveFolder() / ""}) {
    SCOPED_TRACE(path.string());
    EXPECT_FALSE(core_.saveGame(path.string()));
  }
  EXPECT_FALSE(fs::exists(user_.path() / "Ann"));
  EXPECT_EQ(core_.savePath("Ann"), core_.saveFolder() / "Ann");
  EXPECT_TRUE(core_.savePath("../x").empty());

  ASSERT_TRUE(core_.loadGame(save("Ann")));
  EXPECT_DOUBLE_EQ(db().profile.budget[0], 123456.78);
}

// What a refused load must leave alone: the file named as the save, the running game in memory and on
// disk, and the working copy's folder.
struct LoadWitness {
  fs::file_type type;
  std::string save;  // the bytes of a regular file
  std::string workingCopy;
  std::vector<std::string> dataFolder;
  std::string playerName;
  double budget = 0;
  int daycount = 0;

  bool operator==(const LoadWitness&) const = default;
};

TEST_F(GameFilesTest, AHostileOrDamagedSaveIsRefusedAndTheRunningGameGoesOn) {
  const std::string original = readBytes(core_.templatePath());
  std::string corrupt = original;
  std::memset(corrupt.data() + 100, 'x', 200);
  // A copy of the template with `sql` run on it.
  const auto templateWith = [&](const std::string& sql) {
    return [&original, sql](const fs::path& f) {
      writeBytes(f, original);
      runSql(f, sql);
    };
  };
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
    const char* reason;  // what the trace names
  } cases[] = {
      {"missing", [](const fs::path&) {}, "not a regular file"},
      {"a FIFO", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }, "not a regular file"},
      {"a symbolic link to a sound save",
       [&](const fs::path& f) {
         writeBytes(user_.file("elsewhere"), original);
         fs::create_symlink(user_.file("elsewhere"), f);
       },
       "not a regular file"},
      {"plain text", [](const fs::path& f) { writeBytes(f, "hello"); }, "is not a database"},
      {"a damaged first page", [&](const fs::path& f) { writeBytes(f, corrupt); }, "is not a database"},
      {"saved, then a page damaged near its end",
       [&](const fs::path& f) {
         saveAnnWithHoldings();
         std::string bytes = readBytes(f);
         std::memset(bytes.data() + bytes.size() - 700, 'x', 400);
         writeBytes(f, bytes);
       },
       "the quick check finds"},
      {"other password", [](const fs::path& f) { platform::DbConnection::create(f, "another key"); },
       "is not a database"},
      {"version 570", templateWith("UPDATE profile SET version=570;"), "refused version 570"},
      {"version 770", templateWith("UPDATE profile SET version=770;"), "refused version 770"},
      {"a table replaced by a view",
       templateWith("DROP TABLE inbox; CREATE VIEW inbox AS SELECT 1 AS ID, 0 AS isRead, '' AS Message;"),
       "a view inbox"},
      {"an endless recursive view",
       templateWith("DROP TABLE market; CREATE VIEW market AS WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL "
                    "SELECT x + 1 FROM n) SELECT 'Thai' AS title, x AS mktCap FROM n;"),
       "a view market"},
      {"a trigger",
       templateWith(
           "CREATE TRIGGER slow AFTER UPDATE ON profile BEGIN SELECT count(*) FROM price a, price b; "
           "END;"),
       "a trigger slow"},
      {"a trigger in a save that would be migrated",
       templateWith("UPDATE profile SET version=700; CREATE TRIGGER slow AFTER UPDATE ON profile BEGIN "
                    "SELECT 1; END;"),
       "a trigger slow"},
      // The engine's schema parser crashes on this text; a sound engine would name the table.
      {"a table made by AS SELECT",
       templateWith("PRAGMA writable_schema=ON; UPDATE sqlite_master SET sql='CREATE TABLE inbox AS SELECT 1 "
                    "AS ID, 0 AS isRead, '''' AS Message' WHERE name='inbox'; PRAGMA writable_schema=OFF;"),
       "the check ended with"},
      {"a virtual table in a save that would be migrated",
       templateWith("UPDATE profile SET version=700; PRAGMA writable_schema=ON; UPDATE sqlite_master SET "
                    "sql='CREATE VIRTUAL TABLE inbox USING nowhere' WHERE name='inbox'; PRAGMA "
                    "writable_schema=OFF;"),
       "table inbox is not made from columns"},
      {"an extra table", templateWith("CREATE TABLE extra (x INTEGER);"), "an unknown table extra"},
      {"WAL journal mode", templateWith("PRAGMA journal_mode=WAL;"), "the journal mode is WAL"},
      {"a column dropped",
       templateWith("DROP TABLE inbox; CREATE TABLE inbox (ID INTEGER PRIMARY KEY AUTOINCREMENT, isRead "
                    "INTEGER DEFAULT 0);"),
       "table inbox has no column Message"},
      {"a column retyped",
       templateWith(
           "DROP TABLE portfolio; CREATE TABLE portfolio (symbol TEXT COLLATE NOCASE, avg_price REAL, "
           "vol REAL, heldlength TEXT, marketTitle TEXT COLLATE NOCASE);"),
       "column portfolio.heldlength is declared 'TEXT', not 'INTEGER'"},
  };
  std::vector<std::string> trace;
  QorvexCore::setTraceSink([&trace](std::string_view line) { trace.emplace_back(line); });
  const auto witness = [&](const fs::path& file) {
    LoadWitness w;
    w.type = fs::symlink_status(file).type();
    if (w.type == fs::file_type::regular) w.save = readBytes(file);
    w.workingCopy = readBytes(core_.workingCopyPath());
    w.dataFolder = entries(core_.workingCopyPath().parent_path());
    w.playerName = db().profile.playerName;
    w.budget = db().profile.budget[0];
    w.daycount = db().daycount;
    return w;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string& f : saveFiles())
      fs::remove(core_.saveFolder() / f);
    const fs::path file = save("Ann");
    c.make(file);
    ASSERT_TRUE(core_.createGame("Old"));
    db().profile.budget[0] = 777;  // a change in memory only, not yet written
    db().daycount = 3;
    const LoadWitness before = witness(file);
    trace.clear();

    EXPECT_FALSE(core_.loadGame(file.string()));

    EXPECT_EQ(witness(file), before);
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(db().connection->query("SELECT playerName FROM profile").at(0, 0).asString(), "Old");
    EXPECT_FALSE(fs::exists(file.string() + " [backup]"));
    const bool named = std::any_of(trace.begin(), trace.end(), [&](const std::string& line) {
      return line.find(c.reason) != std::string::npos;
    });
    EXPECT_TRUE(named) << ::testing::PrintToString(trace);
  }
  QorvexCore::setTraceSink(nullptr);
  ASSERT_TRUE(core_.createGame("Old"));
  EXPECT_FALSE(core_.loadGame((user_.path() / "data" / "sharp.dde").string())) << "not in Save/";
  EXPECT_TRUE(isOpen());
}

TEST_F(GameFilesTest, TheTemplateAndASaveAfterPlayStillLoad) {
  // The template as it ships, under the name a new game gives it.
  writeBytes(save("Tpl"), readBytes(core_.templatePath()));
  runSql(save("Tpl"), "UPDATE profile SET playerName='Tpl';");
  ASSERT_TRUE(core_.loadGame(save("Tpl")));

  ASSERT_TRUE(core_.createGame("Ann", {share("QUOR", 33.5f, 1000)}));
  {
    TickOptions serial;
    serial.serial = true;
    qxTickRunner runner(core_, serial);
    while (db().daycount < 1)
      runner.runTick();
  }
  ASSERT_TRUE(core_.placeOrder(true, "VESR", "Thai", 1, 10));
  ASSERT_TRUE(core_.saveGame(save("Ann")));
  const double prices = value("SELECT count(*) FROM price");
  ASSERT_TRUE(core_.createGame("Other"));

  ASSERT_TRUE(core_.loadGame(save("Ann")));
  EXPECT_STREQ(db().profile.playerName, "Ann");
  EXPECT_EQ(db().daycount, 1);
  EXPECT_EQ(value("SELECT count(*) FROM price"), prices);
  EXPECT_EQ(value("SELECT count(*) FROM queue WHERE symbol='VESR'"), 1);
  EXPECT_EQ(entries(core_.workingCopyPath().parent_path()),
            (std::vector<std::string>{"sharp.dde", "wvh.lyf.exp"}))
      << "no checked copy left behind";
}

TEST_F(GameFilesTest, ASoundSaveThatCannotBeMovedIntoPlaceLeavesTheRunningGame) {
  saveAnnWithHoldings();
  ASSERT_TRUE(core_.createGame("Old"));
  db().daycount = 3;
  const std::string workingCopy = readBytes(core_.workingCopyPath());
  platform::setFileFaultHook([this](std::string_view step, const fs::path& file) {
    return step == "rename" && file == core_.workingCopyPath() ? EIO : 0;
  });

  EXPECT_FALSE(core_.loadGame(save("Ann")));

  platform::setFileFaultHook(nullptr);
  EXPECT_TRUE(isOpen());
  EXPECT_EQ(db().connection->query("SELECT playerName FROM profile").at(0, 0).asString(), "Old");
  EXPECT_EQ(db().daycount, 3);
  EXPECT_EQ(readBytes(core_.workingCopyPath()), workingCopy);
  EXPECT_EQ(entries(core_.workingCopyPath().parent_path()),
            (std::vector<std::string>{"sharp.dde", "wvh.lyf.exp"}));
}

TEST_F(GameFilesTest, ACheckerThatHangsIsStoppedAndTheSaveRefused) {
  const fs::path hanging = user_.file("hanging-checker");
  writeBytes(hanging, "#!/bin/sh\nexec sleep 30\n");
  fs::permissions(hanging, fs::perms::owner_all);
  QorvexCore core{host_, {resources_.path(), user_.path(), {hanging, std::chrono::milliseconds(300)}}};
  writeBytes(save("Ann"), readBytes(core_.templatePath()));
  ASSERT_TRUE(core.createGame("Old"));

  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(core.loadGame(save("Ann")));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(core.database->connection->isOpen());
  EXPECT_STREQ(core.database->profile.playerName, "Old");
}

TEST_F(GameFilesTest, OlderAndNewerSavesAreMigratedThroughTheirExport) {
  struct Case {
    const char* what;
    bool backupTaken;
    std::function<void(const fs::path&)> make;
  } cases[] = {
      {"no version column (600)", true,
       [](const fs::path& f) {
         platform::DbConnection::create(f, testsupport::kPassword);
         runSql(f, "CREATE TABLE profile (playerName TEXT); INSERT INTO profile VALUES ('Ann');");
       }},
      {"version 700", false,
       [this](const fs::path& f) {
         writeBytes(f, readBytes(core_.templatePath()));
         runSql(f, "UPDATE profile SET version=700;");
       }},
  };
  // The template's clock is not a new game's: a migrated game must get the starting values.
  runSql(core_.templatePath(), "UPDATE profile SET daycount=9, rateExchange_London=2;");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string& f : saveFiles())
      fs::remove(core_.saveFolder() / f);
    saveAnnWithHoldings();
    ASSERT_TRUE(core_.exportGame(save("Ann.exp")));
    fs::remove(save("Ann"));
    c.make(save("Ann"));
    const std::string oldSave = readBytes(save("Ann"));
    if (c.backupTaken) writeBytes(save("Ann [backup]"), "someone else's");

    ASSERT_TRUE(core_.loadGame(save("Ann")));

    const std::string backup = save(c.backupTaken ? "Ann [backup 2]" : "Ann [backup]");
    EXPECT_EQ(readBytes(backup), oldSave);
    EXPECT_NE(readBytes(save("Ann")), oldSave) << "the migrated game is saved in its place";
    if (c.backupTaken) {
      EXPECT_EQ(readBytes(save("Ann [backup]")), "someone else's");
    }

    EXPECT_TRUE(isOpen());
    EXPECT_STREQ(db().profile.playerName, "Ann");
    EXPECT_DOUBLE_EQ(db().profile.budget[0], 123456.78);
    EXPECT_EQ(db().profile.statHighestBudget, 2000000);
    EXPECT_STREQ(db().profile.statHighestProfit_Symbol, "QUOR ");
    EXPECT_EQ(db().daycount, 0);
    EXPECT_EQ(db().rateExchange[1], 49);
    EXPECT_EQ(value("SELECT daycount FROM profile"), 0);
    EXPECT_EQ(value("SELECT budget_THB FROM profile"), 123456.78);
    // The listed holdings come back with their market; the unlisted one is skipped.
    EXPECT_EQ(value("SELECT count(*) FROM portfolio"), 2);
    EXPECT_EQ(value("SELECT vol FROM portfolio WHERE symbol='QUOR' AND marketTitle='Thai'"), 1000);
    EXPECT_EQ(value("SELECT vol FROM portfolio WHERE symbol='VESR' AND marketTitle='Thai'"), 20);
  }
}

TEST_F(GameFilesTest, AMigrationWithoutAReadableExportIsUndone) {
  struct Case {
    const char* what;
    std::optional<std::string> stored;  // the export file; none for a missing one
  } cases[] = {
      {"missing", std::nullopt},
      {"empty", ""},
      {"garbage", std::string("\x01\x02 not an export\r\n\xff\x00", 20)},
      {"a name, no budgets", encodeExportFile("#0 Ann\n#2 5.00\n#7 0\n")},
      {"five budgets", encodeExportFile("#0 Ann\n#1@1@2@3@4@5\n")},
      {"budgets, no valid name", encodeExportFile("#0 ../x\n#1@1@2@3@4@5@6\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string& f : saveFiles())
      fs::remove(core_.saveFolder() / f);
    saveAnnWithHoldings();
    runSql(save("Ann"), "UPDATE profile SET version=700;");
    const std::string oldSave = readBytes(save("Ann"));
    if (c.stored) writeBytes(save("Ann.exp"), *c.stored);

    EXPECT_FALSE(core_.loadGame(save("Ann")));

    EXPECT_FALSE(isOpen());
    EXPECT_EQ(readBytes(save("Ann")), oldSave);
    const std::vector<std::string> expected =
        c.stored ? std::vector<std::string>{"Ann", "Ann.exp"} : std::vector<std::string>{"Ann"};
    EXPECT_EQ(saveFiles(), expected) << "no backup left";
  }
}

TEST_F(GameFilesTest, LoadingDropsAStaleJournalOfTheOldWorkingCopy) {
  saveAnnWithHoldings();
  ASSERT_TRUE(core_.createGame("Bob"));
  db().closeDatabase();
  const fs::path journal = core_.workingCopyPath().string() + "-journal";
  const fs::path stale = user_.path() / "stale-journal";
  {
    // An unfinished change of Bob's game as a crash leaves it: a hot journal holding Bob's pages.
    platform::DbConnection bob;
    bob.open(core_.workingCopyPath(), testsupport::kPassword);
    bob.execute("PRAGMA synchronous=OFF");  // the journal header is complete from the start
    bob.execute("BEGIN");
    bob.execute("UPDATE profile SET daycount=999");
    fs::copy_file(journal, stale);
    bob.execute("ROLLBACK");
  }
  fs::copy_file(stale, journal);

  ASSERT_TRUE(core_.loadGame(save("Ann")));

  EXPECT_FALSE(fs::exists(journal));
  EXPECT_STREQ(db().profile.playerName, "Ann");
  EXPECT_EQ(db().daycount, 42);
  EXPECT_DOUBLE_EQ(db().profile.budget[0], 123456.78);
  EXPECT_EQ(db().connection->query("SELECT playerName FROM profile").at(0, 0).asString(), "Ann");
  EXPECT_EQ(value("SELECT count(*) FROM portfolio"), 3);
}

TEST_F(GameFilesTest, TheTemporaryFileOfACrashedSaveIsNotListed) {
  saveAnnWithHoldings();
  // The process dies between writing the temporary file and renaming it.
  EXPECT_EXIT(
      {
        platform::setFileFaultHook([](std::string_view step, const fs::path&) {
          if (step == "rename") std::_Exit(0);
          return 0;
        });
        std::error_code ec;
        platform::writeFileAtomic(save("Ann"), "new", ec);
      },
      ::testing::ExitedWithCode(0), "");

  const std::vector<std::string> left = saveFiles();
  ASSERT_EQ(left.size(), 2u);
  EXPECT_TRUE(left[0].starts_with(".Ann.tmp-")) << left[0];
  std::vector<std::string> listed;
  listFolder(core_.saveFolder().string(), &listed, false);
  EXPECT_EQ(listed, std::vector<std::string>{"Ann"});

  // Starting a game removes what killed saves left; a temporary written a moment ago may be a save
  // still running, and a file of another name is no temporary.
  fs::last_write_time(core_.saveFolder() / left[0],
                      fs::file_time_type::clock::now() - std::chrono::minutes(2));
  std::ofstream(core_.saveFolder() / ".Bob.tmp-a1B2c3") << "being written";
  std::ofstream(core_.saveFolder() / ".Ann.tmp-a1B2c") << "not a temporary's name";
  const auto start = [&](const char* how) {
    return how == std::string("load") ? core_.loadGame(save("Ann")) : core_.createGame("Cid");
  };
  for (const char* how : {"load", "new"}) {
    const fs::path crashed = core_.saveFolder() / ".Cid.tmp-zz9Zz9";
    std::ofstream(crashed) << "killed";
    fs::last_write_time(crashed, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    ASSERT_TRUE(start(how)) << how;
    EXPECT_EQ(saveFiles(), (std::vector<std::string>{".Ann.tmp-a1B2c", ".Bob.tmp-a1B2c3", "Ann", "Ann.exp"}))
        << how;
  }
  ASSERT_TRUE(core_.loadGame(save("Ann")));
  EXPECT_EQ(db().daycount, 42);
}

TEST_F(GameFilesTest, TheExportFileIsScrambledTextWithCrLf) {
  ASSERT_TRUE(core_.createGame("Ann", {share("ABC", 12.5f, 100)}));
  db().execSQL("UPDATE portfolio SET heldlength=3");
  ASSERT_TRUE(core_.exportGame(save("Ann.exp")));

  const std::string stored = readBytes(save("Ann.exp"));
  EXPECT_EQ(stored.substr(0, 8), "\x23\x3f\x2f\x47\x68\x68\x0d\x0a");
  const std::string plain = kAnnExport;
  EXPECT_EQ(decodeExportFile(stored), plain);
  EXPECT_EQ(stored, encodeExportFile(plain));
  EXPECT_EQ(std::count(stored.begin(), stored.end(), '\r'), 9);
  EXPECT_EQ(std::count(stored.begin(), stored.end(), '\n'), 9);

  // A file with bare line feeds reads the same.
  std::string bare = stored;
  std::erase(bare, '\r');
  EXPECT_EQ(decodeExportFile(bare), plain);
}

TEST_F(GameFilesTest, ExportAndImportUseAPointUnderACommaLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8 locale";
  struct Restore {
    std::string locale;
    ~Restore() { std::setlocale(LC_ALL, locale.c_str()); }
  } restore{previous};
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");

  ASSERT_TRUE(core_.createGame("Ann", {share("ABC", 12.5f, 100)}));
  db().execSQL("UPDATE portfolio SET heldlength=3");
  db().profile.budget[4] = 4500.25;
  ASSERT_TRUE(core_.exportGame(save("Ann.exp")));
  std::string expected = kAnnExport;
  expected.replace(expected.find("4500.00"), 7, "4500.25");
  EXPECT_EQ(decodeExportFile(readBytes(save("Ann.exp"))), expected);

  std::vector<qxShare> rows;
  ASSERT_TRUE(core_.importGame(save("Ann.exp"), &rows));
  EXPECT_EQ(db().profile.budget[4], 4500.25);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].avg_price, 12.5f);
}

TEST_F(GameFilesTest, TheReaderKeepsItsQuirksAndSkipsOnlyWhatIsBroken) {
  const auto read = [](const std::string& text) {
    ExportRecord r;
    r.playerName = "Before";
    r.statHighestBudget = 77;
    readExportText(text, r);
    return r;
  };
  const std::string rows = "#7 3\n@1 QUOR 1.500 5000000000 4\n@2 BAD x 1 1\n@3 VESR 2.000 7 1\n";

  ExportRecord r = read("#0 An#n\n#1@1@2@3@4@5@6\n#3 9.50\n#4 ABC 1.25\n#5 - 2.00\n#6 AB 3\n" + rows);
  EXPECT_EQ(r.playerName, "An") << "the name ends at '#'";
  EXPECT_EQ(r.budget[5], 6);
  EXPECT_EQ(r.statHighestBudget, 77) << "missing tag 2 keeps the value";
  EXPECT_EQ(r.statHighestPortVal, 9.5) << "the tag after a missing one is still read";
  EXPECT_EQ(r.statHighestProfit_Symbol, "ABC ") << "keeps its closing space";
  EXPECT_EQ(r.statHighestProfit_Val, 1.25f);
  EXPECT_EQ(r.statHighestLoss_Symbol, "");
  EXPECT_EQ(r.statLongestHolding_Symbol, "AB ");
  EXPECT_EQ(r.statLongestHolding_Val, 3);
  ASSERT_EQ(r.holdings.size(), 2u) << "the malformed row alone is skipped";
  EXPECT_EQ(r.holdings[0].symbol, "QUOR");
  EXPECT_EQ(r.holdings[0].vol, 5000000000.0);
  EXPECT_EQ(r.holdings[0].heldlength, 4);
  EXPECT_EQ(r.holdings[1].symbol, "VESR");

  // The reader tells which tags gave all their values.
  ExportRecord tagged;
  EXPECT_EQ(
      readExportText("#0 An#n\n#1@1@2@3@4@5@6\n#3 9.50\n#4 ABC 1.25\n#5 - 2.00\n#6 AB 3\n" + rows, tagged),
      ExportTags("11111011"));
  EXPECT_EQ(readExportText("#0 ../x\n#1@1@2@3@x@5@6\n#2 -\n#4 ABC\n#7 n\n", tagged), ExportTags());

  // Symbols with control bytes are not taken (a NUL would cut the stored text).
  const ExportRecord control = read(std::string("#5 A\0B 2.00\n#7 2\n@1 \x01X 1 1 1\n@2 OK 1 1 1\n", 41));
  EXPECT_EQ(control.statHighestLoss_Symbol, "");
  EXPECT_EQ(control.statHighestLoss_Val, 2);
  ASSERT_EQ(control.holdings.size(), 1u);
  EXPECT_EQ(control.holdings[0].symbol, "OK");

  // Names that are no valid player name are not taken; nor are values that are no numbers.
  for (const char* name : {"../x", "a/b", "", ".", "a:b", "x.exp", "0123456789012345678901234567890123"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(read(std::string("#0 ") + name + "\n#2 inf\n").playerName,
              std::strlen(name) > MAX_PLAYER_NAME ? std::string(name).substr(0, 31) : "Before");
    EXPECT_EQ(read(std::string("#0 ") + name + "\n#2 inf\n").statHighestBudget, 77);
  }

  // A two-letter statistic symbol is written as "-" and comes back empty; the text is stable after one
  // round (the export is lossy by design).
  r.statHighestProfit_Symbol = "AB";
  const std::string once = writeExportText(r);
  EXPECT_NE(once.find("#4 - 1.25\n"), std::string::npos);
  EXPECT_NE(once.find("#6 AB  3\n"), std::string::npos) << "the kept space gives two";
  ExportRecord again;
  readExportText(once, again);
  EXPECT_EQ(writeExportText(again), once);

  ExportRecord none;
  none.playerName = "Ann";
  const std::string empty = writeExportText(none);
  EXPECT_TRUE(empty.ends_with("#7 0\n"));
  EXPECT_TRUE(read(empty).holdings.empty());
}

TEST_F(GameFilesTest, ImportReadsAnExportIntoAFreshGameInMemory) {
  saveAnnWithHoldings();
  ASSERT_TRUE(core_.exportGame(save("Ann.exp")));
  ASSERT_TRUE(core_.createGame("Bob", {share("QUOR", 1, 1)}));

  std::vector<qxShare> rows{share("KEEP", 1, 1)};
  EXPECT_FALSE(core_.importGame(save("Nobody.exp"), &rows));
  EXPECT_STREQ(db().profile.playerName, "Bob") << "a missing export changes nothing";
  EXPECT_EQ(rows.size(), 1u);

  ASSERT_TRUE(core_.importGame(save("Ann.exp"), &rows));
  EXPECT_STREQ(db().profile.playerName, "Ann");
  EXPECT_DOUBLE_EQ(db().profile.budget[0], 123456.78);
  EXPECT_FLOAT_EQ(db().profile.statHighestProfit_Val, 5000.5f);
  ASSERT_EQ(rows.size(), 4u) << "appended to the list; the import itself skips nothing";
  EXPECT_STREQ(rows[1].symbol, "QUOR");
  EXPECT_EQ(rows[1].heldlength, 7);
  EXPECT_FLOAT_EQ(rows[1].avg_price, 33.5f);
  EXPECT_TRUE(std::string(rows[2].symbol) + rows[3].symbol == "VESRGONE" ||
              std::string(rows[2].symbol) + rows[3].symbol == "GONEVESR");
  // The working copy is the template's fresh game; nothing was written to it.
  EXPECT_EQ(value("SELECT count(*) FROM portfolio"), 0);
  EXPECT_EQ(db().connection->query("SELECT playerName FROM profile").at(0, 0).asString(), "");

  // A hostile name in an export is not taken.
  ExportRecord hostile;
  hostile.playerName = "../../x";
  writeBytes(save("Evil.exp"), encodeExportFile(writeExportText(hostile)));
  ASSERT_TRUE(core_.importGame(save("Evil.exp"), nullptr));
  EXPECT_STREQ(db().profile.playerName, "");
}

TEST(GameFilesBytes, ScramblerBinaryDigitsAndReplaceChar) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const auto byte = static_cast<unsigned char>(b);
    const std::string digits = QorvexCore::toBinary(byte);
    ASSERT_EQ(digits.size(), 8u);
    EXPECT_EQ(QorvexCore::fromBinary(digits), byte);
    // The digit form: the first four stay, digits 5..8 become the complements of 8, 7, 6, 5.
    std::string swapped = digits.substr(0, 4);
    for (int i = 7; i >= 4; --i)
      swapped += digits[static_cast<std::size_t>(i)] == '1' ? '0' : '1';
    char c = static_cast<char>(byte);
    QorvexCore::scrambleText(&c, 1);
    EXPECT_EQ(static_cast<unsigned char>(c), QorvexCore::fromBinary(swapped));
    QorvexCore::scrambleText(&c, 1);
    EXPECT_EQ(static_cast<unsigned char>(c), byte) << "scrambling twice gives the byte back";
  }
  EXPECT_EQ(QorvexCore::toBinary(0), "00000000");
  EXPECT_EQ(QorvexCore::toBinary(255), "11111111");
  EXPECT_EQ(QorvexCore::scrambleText(std::string("#0 Ann\n")), "\x23\x3f\x2f\x47\x68\x68\x0a");
  EXPECT_EQ(QorvexCore::scrambleText(std::string("\x0f"
                                                 "A\x0f",
                                                 3)),
            std::string("\x00"
                        "G\x00",
                        3));

  struct Case {
    int length;
    const char* expected;
  } cases[] = {{-1, "a-b-c"}, {0, "a-b-c"}, {2, "a_b-c"}, {5, "a_b_c"}};
  for (const Case& c : cases) {
    char text[] = "a-b-c";
    QorvexCore::replaceChar(text, c.length, '-', '_');
    EXPECT_STREQ(text, c.expected) << c.length;
  }
}

TEST(GameFilesNames, OneValidatorForEveryPlayerName) {
  struct Case {
    std::string name;
    bool valid;
  } cases[] = {
      {"Ann", true},
      {"Ünal Öz", true},
      {"..x", true},
      {"a#b", true},
      {std::string(31, 'n'), true},
      {std::string(32, 'n'), false},
      {"", false},
      {".", false},
      {"..", false},
      {"../x", false},
      {"a/b", false},
      {"a\\b", false},
      {"a:b", false},
      {"{a", false},
      {"a}", false},
      {"a\nb", false},
      {"a\x7f", false},
      {std::string("a\0b", 3), false},
      {"game.exp", false},
      {"x.export", false},
      {"Ann [backup]", false},
      {"Ann [backup 2]", false},
      {"Ann [backup 17]", false},
      {" [backup]", false},
      {"[backup]", true},
      {"Ann [backup] 2", true},
      {"Ann [backup x]", true},
      {"Ann [backup ]", true},
      {"Ann [backup 2", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(isValidPlayerName(c.name), c.valid) << c.name;
}

TEST(GameFilesFolders, ListFolderNamesFilesOrFoldersSorted) {
  testsupport::TempDir dir;
  for (const char* name : {"b", "a", "B", "Ann [backup]", ".notes", ".Ann.tmp-aB3xYz"})
    writeBytes(dir.file(name), "x");
  fs::create_directory(dir.file("c"));
  fs::create_directory(dir.file("A folder"));

  std::vector<std::string> files{"kept"};
  EXPECT_EQ(listFolder(dir.path().string(), &files, false), 0);
  EXPECT_EQ(files, (std::vector<std::string>{"kept", ".notes", "a", "Ann [backup]", "B", "b"}));
  std::vector<std::string> folders;
  listFolder(dir.path().string() + "/", &folders, true);
  EXPECT_EQ(folders, (std::vector<std::string>{"A folder", "c"}));
  std::vector<std::string> missing;
  EXPECT_EQ(listFolder(dir.file("nowhere").string(), &missing, false), 0);
  EXPECT_TRUE(missing.empty());
}

}  // namespace
