#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// Base of every failure the database layer reports.
class DbError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The dataset itself refused: no such column, dataset not open, a value that is not of the asked kind.
class DatabaseError : public DbError {
 public:
  using DbError::DbError;
};

// The engine refused: open, key, prepare or step failed. Carries SQLite's extended result code.
class ProviderError : public DbError {
 public:
  ProviderError(const std::string& message, int code) : DbError(message), code_(code) {}
  int code() const noexcept { return code_; }

 private:
  int code_;
};

}  // namespace platform
