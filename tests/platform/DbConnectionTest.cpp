#include <gtest/gtest.h>

#include <sqlcipher/sqlite3.h>

#include <fstream>
#include <thread>
#include <vector>

#include "DbConnection.h"
#include "DbDataset.h"
#include "DbError.h"
#include "TestDatabase.h"

namespace {

using platform::DbConnection;
using platform::DbDataset;
using platform::DbTransaction;

constexpr const char* kTable =
    "CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT COLLATE NOCASE, v REAL);"
    "INSERT INTO t (name, v) VALUES ('a', 1), ('b', 2), ('c', NULL);";

class DbConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_.file("game.db");
    DbConnection::create(file_, testsupport::kPassword);
    db_.open(file_, testsupport::kPassword);
    db_.executeScript(kTable);
  }

  testsupport::TempDir dir_;
  std::filesystem::path file_;
  DbConnection db_;
};

TEST(DbConnectionOpen, FailuresReachTheCallerAndNeverCreateAFile) {
  testsupport::TempDir dir;
  DbConnection db;

  const auto missing = dir.file("missing.db");
  EXPECT_THROW(db.open(missing, testsupport::kPassword), platform::ProviderError);
  EXPECT_FALSE(std::filesystem::exists(missing));

  const auto plain = dir.file("plain.txt");
  std::ofstream(plain) << "this is not a database, only some text that fills a page or so.\n";
  EXPECT_THROW(db.open(plain, testsupport::kPassword), platform::ProviderError);

  const auto game = dir.file("game.db");
  DbConnection::create(game, testsupport::kPassword);
  EXPECT_THROW(db.open(game, "wrong"), platform::ProviderError);
  EXPECT_FALSE(db.isOpen());
  EXPECT_THROW(DbConnection::create(game, testsupport::kPassword), platform::ProviderError);

  db.open(game, testsupport::kPassword);
  EXPECT_TRUE(db.isOpen());
  db.close();
  EXPECT_FALSE(db.isOpen());
  EXPECT_THROW(db.execute("DELETE FROM sqlite_master"), platform::ProviderError);
}

TEST(DbConnectionOpen, TheFileIsEncrypted) {
  testsupport::TempDir dir;
  const auto game = dir.file("game.db");
  DbConnection::create(game, testsupport::kPassword);
  {
    DbConnection db;
    db.open(game, testsupport::kPassword);
    db.executeScript("CREATE TABLE secret (x TEXT); INSERT INTO secret VALUES ('plainly readable');");
  }
  std::ifstream in(game, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes.find("SQLite format 3"), std::string::npos);
  EXPECT_EQ(bytes.find("plainly readable"), std::string::npos);
}

TEST_F(DbConnectionTest, AReadOnlyHandleReadsAndNeverWrites) {
  db_.close();
  const std::string before = testsupport::readBytes(file_);
  DbConnection reader;
  reader.open(file_, testsupport::kPassword, DbConnection::Access::ReadOnly);
  EXPECT_EQ(reader.query("SELECT count(*) FROM t").at(0, 0).asInteger(), 3);
  EXPECT_THROW(reader.execute("UPDATE t SET v=5"), platform::ProviderError);
  reader.close();
  EXPECT_EQ(testsupport::readBytes(file_), before);
}

TEST_F(DbConnectionTest, RowsAffectedCountOnlyWhatTheStatementChanged) {
  struct Case {
    const char* sql;
    int rows;
  } cases[] = {
      {"UPDATE t SET v = 5 WHERE name = 'zzz'", 0},
      {"UPDATE t SET v = 5 WHERE name IN ('a', 'b')", 2},
      {"SELECT * FROM t", 0},  // right after a change: the engine's last-statement count would say 2
      {"INSERT INTO t (name) SELECT name FROM t WHERE 0", 0},
      {"INSERT INTO t (name) SELECT name FROM t", 3},
      {"DELETE FROM t", 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    EXPECT_EQ(db_.execute(c.sql), c.rows);
  }
}

TEST_F(DbConnectionTest, RejectsTextsThatAreNotOneValidStatement) {
  for (const char* sql : {"UPDATE t SET v = 1; DELETE FROM t", "UPDATE [t] SET status=0  WHERE ", "", "  ;  ",
                          "SELECT TOP 2 * FROM t", "UPDATE t SET v = \\NAN"}) {
    SCOPED_TRACE(sql);
    EXPECT_THROW(db_.execute(sql), platform::ProviderError);
  }
  EXPECT_EQ(db_.query("SELECT count(*) AS n FROM t WHERE v = 1").at(0, 0).asInteger(), 1) << "nothing ran";
  EXPECT_EQ(db_.execute("UPDATE t SET v = 9 WHERE id = 1;  "), 1) << "the connection still works";
}

TEST_F(DbConnectionTest, DatasetReadsForwardWithCaseInsensitiveNames) {
  DbDataset ds(db_, "SELECT * FROM t ORDER BY id");
  EXPECT_FALSE(ds.active());
  EXPECT_THROW(ds.fieldByName("name"), platform::DatabaseError);
  ds.open();
  ASSERT_EQ(ds.recordCount(), 3);
  EXPECT_EQ(ds.fieldByName("NAME").asString(), "a");
  ds.next();
  EXPECT_DOUBLE_EQ(ds.fieldByName("V").asFloat(), 2);
  ds.next();
  EXPECT_TRUE(ds.fieldByName("v").isNull());
  EXPECT_EQ(ds.fieldByName("v").asInteger(), 0);
  EXPECT_FALSE(ds.fieldByName("v").asBoolean());
  EXPECT_EQ(ds.fieldByName("v").asString(), "");
  ds.next();
  EXPECT_TRUE(ds.eof());
  EXPECT_TRUE(ds.fieldByName("name").isNull()) << "no current row reads as NULL";
  EXPECT_THROW(ds.fieldByName("nope"), platform::DatabaseError);
  ds.first();
  ds.moveBy(10);
  EXPECT_EQ(ds.fieldByName("name").asString(), "c") << "a move stops at the last row";
}

TEST_F(DbConnectionTest, TransactionsCommitOrRollBackAsAWhole) {
  {
    DbTransaction tx(db_);
    db_.execute("UPDATE t SET v = 100");
    {
      DbTransaction nested(db_);
      db_.execute("DELETE FROM t WHERE name = 'a'");
      EXPECT_TRUE(nested.commit());
    }
  }  // rolled back: never committed
  EXPECT_EQ(db_.query("SELECT count(*) FROM t WHERE v = 100 OR name = 'a'").at(0, 0).asInteger(), 1);

  const auto commitsBefore = db_.commitCount();
  {
    DbTransaction tx(db_);
    db_.execute("UPDATE t SET v = 100");
    EXPECT_THROW(db_.execute("UPDATE nowhere SET x = 1"), platform::ProviderError);  // fails alone
    EXPECT_TRUE(tx.commit());
  }
  EXPECT_EQ(db_.commitCount(), commitsBefore + 1);
  EXPECT_EQ(db_.query("SELECT count(*) FROM t WHERE v = 100").at(0, 0).asInteger(), 3);

  // A busy commit is tried again while the transaction is still open; a commit that fails otherwise
  // rolls back and says so, and so does one that stays busy.
  const struct {
    std::vector<int> faults;  // one per attempt, then none
    bool committed;
    std::size_t attempts;
  } cases[] = {{{SQLITE_BUSY}, true, 2},
               {{SQLITE_BUSY, SQLITE_BUSY}, true, 3},
               {{SQLITE_IOERR_WRITE}, false, 1},
               {{SQLITE_FULL}, false, 1},
               {{SQLITE_BUSY, SQLITE_BUSY, SQLITE_BUSY}, false, 3}};
  int value = 200;
  for (const auto& c : cases) {
    std::size_t attempts = 0;
    db_.setCommitFaultHook(
        [&] { return attempts < c.faults.size() ? c.faults[attempts++] : (++attempts, 0); });
    bool committed = false;
    {
      DbTransaction tx(db_);
      db_.execute("UPDATE t SET v = " + std::to_string(++value));
      committed = tx.commit();
    }
    db_.setCommitFaultHook(nullptr);
    EXPECT_EQ(committed, c.committed) << c.faults.size() << " faults from " << c.faults[0];
    EXPECT_EQ(attempts, c.attempts) << c.faults.size() << " faults from " << c.faults[0];
    EXPECT_EQ(db_.query("SELECT count(*) FROM t WHERE v = " + std::to_string(value)).at(0, 0).asInteger(),
              c.committed ? 3 : 0);
  }
}

TEST_F(DbConnectionTest, ThreadsShareOneHandleSafely) {
  constexpr int kThreads = 6;
  constexpr int kRounds = 40;
  std::vector<std::thread> threads;
  std::atomic<int> inserted{0};
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kRounds; ++i) {
        if (t % 2 == 0) {
          inserted += db_.execute("INSERT INTO t (name, v) VALUES ('w', " + std::to_string(i) + ")");
        } else {
          DbDataset ds(db_, "SELECT * FROM t");
          ds.open();
          EXPECT_GE(ds.recordCount(), 3);
          DbTransaction tx(db_);
          db_.execute("UPDATE t SET v = v + 1 WHERE name = 'a'");
          tx.commit();
        }
      }
    });
  }
  for (auto& th : threads)
    th.join();
  EXPECT_EQ(inserted.load(), kThreads / 2 * kRounds);
  EXPECT_EQ(db_.query("SELECT count(*) FROM t WHERE name = 'w'").at(0, 0).asInteger(),
            kThreads / 2 * kRounds);
  EXPECT_EQ(db_.query("SELECT v FROM t WHERE name = 'a'").at(0, 0).asInteger(), 1 + kThreads / 2 * kRounds);
}

}  // namespace
