#include "DbConnection.h"

#include <sqlcipher/sqlite3.h>

#include <memory>

#include "DbError.h"

namespace platform {
namespace {

// A busy COMMIT waits the busy timeout on each attempt.
constexpr int kCommitAttempts = 3;

bool isBlank(const char* text, const char* end) {
  for (; text < end && *text != '\0'; ++text) {
    if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n' && *text != ';') return false;
  }
  return true;
}

DbValue readCell(sqlite3_stmt* stmt, int column) {
  switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
      return DbValue(static_cast<std::int64_t>(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
      return DbValue(sqlite3_column_double(stmt, column));
    case SQLITE_NULL:
      return DbValue();
    default: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
      return DbValue(
          std::string(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, column))));
    }
  }
}

// Runs trusted statements; a failure throws with `context` before the engine's message.
void runScript(sqlite3* db, const char* sql, const std::string& context) {
  char* error = nullptr;
  const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
  if (rc != SQLITE_OK) {
    const std::string message = error ? error : sqlite3_errstr(rc);
    sqlite3_free(error);
    throw ProviderError(context + message, rc);
  }
}

void keyAndProbe(sqlite3* db, std::string_view password) {
  if (sqlite3_key(db, password.data(), static_cast<int>(password.size())) != SQLITE_OK) {
    throw ProviderError(std::string("cannot set the database key: ") + sqlite3_errmsg(db),
                        sqlite3_extended_errcode(db));
  }
  // Reading the schema decrypts page 1: a wrong key or a file that is not a database fails here.
  runScript(db, "SELECT count(*) FROM sqlite_master", "");
}

sqlite3* openHandle(const std::filesystem::path& file, int flags) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close(db);
    throw ProviderError("cannot open " + file.string() + ": " + message, rc);
  }
  sqlite3_extended_result_codes(db, 1);
  return db;
}

}  // namespace

void DbConnection::StatementCloser::operator()(sqlite3_stmt* stmt) const noexcept {
  sqlite3_finalize(stmt);
}

DbConnection::~DbConnection() {
  close();
}

void DbConnection::open(const std::filesystem::path& file, std::string_view password, Access access) {
  std::lock_guard lock(mutex_);
  close();
  sqlite3* db = openHandle(file, access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
  try {
    keyAndProbe(db, password);
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  sqlite3_busy_timeout(db, 5000);
  db_ = db;
  file_ = file;
}

void DbConnection::close() noexcept {
  std::lock_guard lock(mutex_);
  if (db_ == nullptr) return;
  sqlite3_close_v2(db_);
  db_ = nullptr;
  file_.clear();
  transactionDepth_ = 0;
}

bool DbConnection::isOpen() const {
  std::lock_guard lock(mutex_);
  return db_ != nullptr;
}

void DbConnection::create(const std::filesystem::path& file, std::string_view password) {
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) {
    throw ProviderError("cannot create " + file.string() + ": the file exists", SQLITE_CANTOPEN);
  }
  sqlite3* db = openHandle(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  try {
    keyAndProbe(db, password);
    // An empty file opens with any key; writing the first page seals it with this one.
    runScript(db, "CREATE TABLE qorvex_seal (x); DROP TABLE qorvex_seal;",
              "cannot create " + file.string() + ": ");
  } catch (...) {
    sqlite3_close(db);
    std::error_code removeError;
    std::filesystem::remove(file, removeError);
    throw;
  }
  sqlite3_close(db);
}

sqlite3* DbConnection::handleOrThrow() const {
  if (db_ == nullptr) throw ProviderError("the database is not open", SQLITE_MISUSE);
  return db_;
}

void DbConnection::fail(std::string_view what, int code) const {
  std::string message(what);
  message += ": ";
  message += db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
  throw ProviderError(message, code);
}

DbConnection::Statement DbConnection::prepareOne(sqlite3* db, std::string_view sql) {
  statements_.fetch_add(1, std::memory_order_relaxed);
  sqlite3_stmt* raw = nullptr;
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, &tail);
  Statement stmt(raw);
  if (rc != SQLITE_OK) fail("cannot prepare statement", rc);
  if (!stmt) throw ProviderError("empty statement", SQLITE_MISUSE);
  if (!isBlank(tail, sql.data() + sql.size())) {
    throw ProviderError("characters found after the end of the statement", SQLITE_MISUSE);
  }
  return stmt;
}

int DbConnection::execute(std::string_view sql) {
  std::lock_guard lock(mutex_);
  sqlite3* db = handleOrThrow();
  Statement stmt = prepareOne(db, sql);
  int rc = SQLITE_OK;
  const int before = sqlite3_total_changes(db);
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) fail("statement failed", rc);
  return sqlite3_total_changes(db) - before;
}

DbResult DbConnection::query(std::string_view sql) {
  std::lock_guard lock(mutex_);
  sqlite3* db = handleOrThrow();
  Statement stmt = prepareOne(db, sql);
  int rc = SQLITE_OK;
  DbResult result;
  const int columns = sqlite3_column_count(stmt.get());
  result.columns.reserve(static_cast<std::size_t>(columns));
  for (int c = 0; c < columns; ++c) {
    const char* name = sqlite3_column_name(stmt.get(), c);
    result.columns.emplace_back(name ? name : "");
  }
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    for (int c = 0; c < columns; ++c)
      result.cells.push_back(readCell(stmt.get(), c));
  }
  if (rc != SQLITE_DONE) fail("query failed", rc);
  return result;
}

void DbConnection::executeScript(std::string_view sql) {
  std::lock_guard lock(mutex_);
  runScript(handleOrThrow(), std::string(sql).c_str(), "script failed: ");
}

void DbConnection::setTrace(TraceSink sink) {
  std::lock_guard lock(mutex_);
  trace_ = std::move(sink);
}

void DbConnection::trace(std::string_view line) const {
  std::lock_guard lock(mutex_);
  if (trace_) trace_(line);
}

void DbConnection::setCommitFaultHook(std::function<int()> hook) {
  std::lock_guard lock(mutex_);
  commitFault_ = std::move(hook);
}

DbTransaction::DbTransaction(DbConnection& connection) : connection_(connection), lock_(connection.mutex_) {
  if (connection_.transactionDepth_++ > 0) return;
  outermost_ = true;
  try {
    connection_.execute("BEGIN");
  } catch (const DbError& e) {
    // Without a transaction the work still runs, one statement at a time.
    connection_.trace(std::string("BEGIN failed: ") + e.what());
    outermost_ = false;
  }
}

DbTransaction::~DbTransaction() {
  if (!finished_) rollback();
}

bool DbTransaction::commit() {
  if (finished_) return false;
  finished_ = true;
  if (connection_.transactionDepth_ > 0) --connection_.transactionDepth_;
  if (!outermost_) return true;
  sqlite3* db = connection_.db_;
  if (db == nullptr || sqlite3_get_autocommit(db)) {
    connection_.trace("the engine aborted the transaction; the statements after it ran in autocommit");
    return false;
  }
  for (int attempt = 1;; ++attempt) {
    try {
      if (const int fault = connection_.commitFault_ ? connection_.commitFault_() : 0; fault != 0)
        throw ProviderError(std::string("statement failed: ") + sqlite3_errstr(fault), fault);
      connection_.execute("COMMIT");
      break;
    } catch (const DbError& e) {
      // A busy COMMIT leaves the transaction open: another reader still holds the file.
      const auto* engineError = dynamic_cast<const ProviderError*>(&e);
      const bool busy = engineError != nullptr && (engineError->code() & 0xff) == SQLITE_BUSY &&
                        !sqlite3_get_autocommit(db);
      if (busy && attempt < kCommitAttempts) {
        connection_.trace(std::string("COMMIT busy, trying again: ") + e.what());
        continue;
      }
      connection_.trace(std::string("COMMIT failed, the transaction is rolled back: ") + e.what());
      if (!sqlite3_get_autocommit(db)) {
        try {
          connection_.execute("ROLLBACK");
        } catch (const DbError& rollbackError) {
          connection_.trace(std::string("ROLLBACK failed: ") + rollbackError.what());
        }
      }
      return false;
    }
  }
  connection_.commits_.fetch_add(1, std::memory_order_relaxed);
  return true;
}

void DbTransaction::rollback() noexcept {
  if (finished_) return;
  finished_ = true;
  if (connection_.transactionDepth_ > 0) --connection_.transactionDepth_;
  if (!outermost_) return;
  sqlite3* db = connection_.db_;
  if (db == nullptr || sqlite3_get_autocommit(db)) return;
  try {
    connection_.execute("ROLLBACK");
  } catch (const DbError& e) {
    connection_.trace(std::string("ROLLBACK failed: ") + e.what());
  }
}

}  // namespace platform
