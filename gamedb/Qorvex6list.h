#pragma once

#include <string>
#include <vector>

#include "DbConnection.h"
#include "DbDataset.h"

namespace Qorvex6 {

// The records of one query, read completely when the list is made. A snapshot: later writes do not
// show in it. Element access never fails: a position outside the list gives a default record.
template <typename T>
class pList {
 public:
  pList() = default;

  // Runs the query on the connection; its error reaches the caller and no partial list is made.
  pList(platform::DbConnection& db, const std::string& sql) : connection(&db) {
    platform::DbDataset dataSet(db, sql);
    dataSet.open();
    items.reserve(static_cast<std::size_t>(dataSet.recordCount()));
    while (!dataSet.eof()) {
      items.emplace_back(dataSet);
      dataSet.next();
    }
  }

  virtual ~pList() = default;
  pList(const pList&) = default;
  pList& operator=(const pList&) = default;
  pList(pList&&) noexcept = default;
  pList& operator=(pList&&) noexcept = default;

  virtual T get(int index) const {
    return index >= 0 && index < count() ? items[static_cast<std::size_t>(index)] : T{};
  }
  virtual T at(int index) const { return get(index); }
  virtual T last() const { return get(count() - 1); }
  virtual T first() const { return get(0); }

  int count() const { return static_cast<int>(items.size()); }
  void clear() { items.clear(); }

  platform::DbConnection* connection = nullptr;  // the connection the query ran on; not owned
  std::vector<T> items;
};

}  // namespace Qorvex6
