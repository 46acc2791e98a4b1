#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "DbValue.h"

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

// A query result read completely into memory: no statement stays open once a query returns.
struct DbResult {
  std::vector<std::string> columns;
  std::vector<DbValue> cells;  // row-major, columns.size() per row

  std::size_t rowCount() const { return columns.empty() ? 0 : cells.size() / columns.size(); }
  const DbValue& at(std::size_t row, std::size_t column) const {
    return cells[row * columns.size() + column];
  }
};

// One encrypted SQLite database handle. Every statement and query, and a whole transaction, runs under
// one recursive mutex, so the handle is never used by two threads at once. The mutex is the innermost
// lock: nothing waits for another lock while holding it.
class DbConnection {
 public:
  using TraceSink = std::function<void(std::string_view)>;

  DbConnection() = default;
  ~DbConnection();
  DbConnection(const DbConnection&) = delete;
  DbConnection& operator=(const DbConnection&) = delete;

  enum class Access { ReadWrite, ReadOnly };

  // Opens an existing file with the password; a missing file is never created. A probe read makes a
  // wrong password or a file that is not a database fail here. Closes a handle opened before. A
  // read-only handle never writes the file, and a file without write permission opens with it.
  // Throws ProviderError.
  void open(const std::filesystem::path& file, std::string_view password, Access access = Access::ReadWrite);
  void close() noexcept;
  bool isOpen() const;

  // Creates a new, empty encrypted database; fails when the file exists. Throws ProviderError.
  static void create(const std::filesystem::path& file, std::string_view password);

  // One statement that returns no rows; a text holding more than one statement is an error. Returns the
  // number of rows it inserted, updated or deleted. Throws ProviderError.
  int execute(std::string_view sql);

  // One statement whose rows are read completely. Throws ProviderError.
  DbResult query(std::string_view sql);

  // Several trusted statements, as a schema or seed script. Throws ProviderError.
  void executeScript(std::string_view sql);

  // Where a transaction that the engine aborted is reported; empty by default.
  void setTrace(TraceSink sink);
  void trace(std::string_view line) const;

  std::recursive_mutex& mutex() const noexcept { return mutex_; }

  // Test seam: asked before each attempt to commit an outermost transaction; a non-zero SQLite result
  // code fails that attempt as the engine would (SQLITE_BUSY leaves the transaction open). Empty (the
  // default) lets every commit run.
  void setCommitFaultHook(std::function<int()> hook);

  // Counters for measuring: statements and queries run, transactions committed.
  std::uint64_t statementCount() const noexcept { return statements_.load(std::memory_order_relaxed); }
  std::uint64_t commitCount() const noexcept { return commits_.load(std::memory_order_relaxed); }

 private:
  friend class DbTransaction;

  struct StatementCloser {
    void operator()(sqlite3_stmt* stmt) const noexcept;
  };
  using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

  // Prepares exactly one statement. Throws ProviderError.
  Statement prepareOne(sqlite3* db, std::string_view sql);
  sqlite3* handleOrThrow() const;
  [[noreturn]] void fail(std::string_view what, int code) const;

  mutable std::recursive_mutex mutex_;
  sqlite3* db_ = nullptr;
  std::filesystem::path file_;
  TraceSink trace_;
  std::function<int()> commitFault_;
  int transactionDepth_ = 0;
  std::atomic<std::uint64_t> statements_{0};
  std::atomic<std::uint64_t> commits_{0};
};

// Holds the connection's mutex and one transaction for its lifetime. Nested transactions on the same
// thread join the outermost one. Without commit() the transaction is rolled back.
class DbTransaction {
 public:
  explicit DbTransaction(DbConnection& connection);
  ~DbTransaction();
  DbTransaction(const DbTransaction&) = delete;
  DbTransaction& operator=(const DbTransaction&) = delete;

  // Commits the outermost transaction (a nested one only marks itself done); a commit that meets a busy
  // database is tried again. Returns false, after a trace line, when the engine had already aborted the
  // transaction or the commit failed and the transaction was rolled back: then not all of its work is
  // on disk.
  bool commit();
  void rollback() noexcept;

 private:
  DbConnection& connection_;
  std::unique_lock<std::recursive_mutex> lock_;
  bool outermost_ = false;
  bool finished_ = false;
};

}  // namespace platform
