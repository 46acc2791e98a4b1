#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "DbError.h"
#include "Qorvex6domain.h"
#include "Qorvex6engine.h"

namespace Qorvex6 {
namespace {

using namespace domain;

// A number in SQL text, read back as the same double.
std::string exactNumber(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

// True for the values of the column's domain: a stored number (text never is one; NaN and infinities
// fail the range) or a NULL where 0 is allowed.
std::string inDomainTest(const ColumnDomain& c) {
  const std::string name = std::string("[") + c.column + "]";
  const bool zeroAllowed = c.low <= 0 && 0 <= c.high;
  std::string test = "(typeof(" + name + ") IN ('integer','real'" + (zeroAllowed ? ",'null'" : "") + ") AND ";
  if (c.codes != nullptr) return test + "IFNULL(" + name + ",0) IN (" + c.codes + "))";
  return test + "IFNULL(" + name + ",0) BETWEEN " + exactNumber(widenedLow(c.low)) + " AND " +
         exactNumber(widenedHigh(c.high)) + ")";
}

// One row with a flag per column: whether all its values lie in its domain. Aggregates over the whole
// column: text and blobs sort above every number, so a column holds none when its maximum is a number.
std::string soundColumnsQuery(const TableDomain& t) {
  std::string flags;
  for (const ColumnDomain& c : t.columns) {
    const std::string name = std::string("[") + c.column + "]";
    std::string ok = "(typeof(max(" + name + ")) IN ('integer','real','null')";
    if (c.codes != nullptr) {
      ok += " AND total(IFNULL(" + name + ",0) NOT IN (" + c.codes + "))=0";
    } else {
      ok += " AND (min(" + name + ") IS NULL OR min(" + name + ")>=" + exactNumber(widenedLow(c.low)) + ")";
      ok += " AND (max(" + name + ") IS NULL OR max(" + name + ")<=" + exactNumber(widenedHigh(c.high)) + ")";
    }
    if (!(c.low <= 0 && 0 <= c.high)) ok += " AND count(" + name + ")=count(*)";
    flags += (flags.empty() ? "" : ", ") + ok + ")";
  }
  return "SELECT " + flags + " FROM [" + t.table + "]";
}

// The first row whose value of the column lies outside its domain.
std::string firstRowOutOfDomainQuery(const char* table, const ColumnDomain& c) {
  return std::string("SELECT rowid FROM [") + table + "] WHERE NOT " + inDomainTest(c) +
         " ORDER BY rowid LIMIT 1";
}

}  // namespace

std::optional<std::string> qxSaveGame::firstValueOutOfDomain() {
  for (const TableDomain& t : tableDomains()) {
    const platform::DbResult sound = connection->query(soundColumnsQuery(t));
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
      if (sound.at(0, i).asInteger() != 0) continue;
      const platform::DbResult row = connection->query(firstRowOutOfDomainQuery(t.table, t.columns[i]));
      const std::string at = row.rowCount() == 0 ? "" : " (row " + row.at(0, 0).asString() + ")";
      return std::string(t.table) + "." + t.columns[i].column + at;
    }
  }
  return std::nullopt;
}

std::string qxSaveGame::storedPlayerName() {
  const platform::DbResult row = connection->query("SELECT playerName FROM [profile] LIMIT 1");
  return row.rowCount() == 0 ? std::string() : row.at(0, 0).asString();
}

void qxSaveGame::checkProfileDomain(platform::DbDataset& row) {
  for (const ColumnDomain& d : profileDomains()) {
    double v = 0;
    try {
      v = row.fieldByName(d.column).asFloat();
    } catch (const platform::DatabaseError&) {
      v = NAN;  // a text that is no number
    }
    if (!inDomain(d, v)) throw platform::DatabaseError(std::string("profile.") + d.column + " out of range");
  }
}

}  // namespace Qorvex6
