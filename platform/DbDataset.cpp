#include "DbDataset.h"

#include "AsciiText.h"
#include "DbError.h"

namespace platform {
namespace {
const DbValue kNull;
}

DbDataset::DbDataset(DbConnection& connection, std::string sql)
    : connection_(connection), sql_(std::move(sql)) {}

void DbDataset::open() {
  result_ = connection_.query(sql_);
  row_ = 0;
  active_ = true;
}

void DbDataset::close() noexcept {
  result_ = DbResult{};
  row_ = 0;
  active_ = false;
}

void DbDataset::next() noexcept {
  if (row_ < rowCount()) ++row_;
}

void DbDataset::moveBy(int rows) noexcept {
  if (rows <= 0 || rowCount() == 0) return;
  const std::size_t last = rowCount() - 1;
  row_ = std::min(last, row_ + static_cast<std::size_t>(rows));
}

const DbValue& DbDataset::fieldByName(std::string_view name) const {
  if (!active_) throw DatabaseError("cannot read field '" + std::string(name) + "': the dataset is not open");
  for (std::size_t c = 0; c < result_.columns.size(); ++c) {
    if (equalsNoCase(result_.columns[c], name)) return eof() ? kNull : result_.at(row_, c);
  }
  throw DatabaseError("field '" + std::string(name) + "' not found");
}

}  // namespace platform
