#pragma once

#include <string>
#include <string_view>

#include "DbConnection.h"

namespace platform {

// A forward-read dataset over one query, read completely when opened. Column names match without
// regard to case.
class DbDataset {
 public:
  DbDataset(DbConnection& connection, std::string sql);

  bool active() const noexcept { return active_; }
  void open();  // runs the query (again); throws ProviderError
  void close() noexcept;

  void first() noexcept { row_ = 0; }
  void next() noexcept;
  bool eof() const noexcept { return row_ >= rowCount(); }
  int recordCount() const noexcept { return static_cast<int>(rowCount()); }
  void moveBy(int rows) noexcept;  // forward, stopping at the last row

  // The column's value in the current row; a NULL value when there is no current row. Throws
  // DatabaseError when the dataset is not open or has no such column.
  const DbValue& fieldByName(std::string_view name) const;

 private:
  std::size_t rowCount() const noexcept { return result_.rowCount(); }

  DbConnection& connection_;
  std::string sql_;
  DbResult result_;
  std::size_t row_ = 0;
  bool active_ = false;
};

}  // namespace platform
