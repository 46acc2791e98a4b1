#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "Qorvex6class.h"
#include "TestDatabase.h"

namespace testsupport {

// The six exchanges' market rows.
inline const std::string kSixMarkets =
    "INSERT INTO market (title) VALUES ('Thai'), ('London'), ('Japan'), ('Singapore'), ('NewYork'), "
    "('HongKong');";

// A new game database at `file` with the schema and `fixtureSql`, opened in `core` with its profile read.
inline void openFixtureGame(Qorvex6::QorvexCore& core, const std::filesystem::path& file,
                            std::string_view fixtureSql) {
  createGameDatabase(file, fixtureSql);
  core.database->openDatabase(file.string(), kPassword);
  core.database->readProfile();
}

// The first column of the first row of a query.
inline double queryValue(Qorvex6::qxSaveGame& db, const std::string& sql) {
  return db.connection->query(sql).at(0, 0).asFloat();
}
inline int queryCount(Qorvex6::qxSaveGame& db, const std::string& sql) {
  return db.connection->query(sql).at(0, 0).asInteger();
}

// One row of the portfolio table.
inline void insertHolding(Qorvex6::qxSaveGame& db, const std::string& symbol, const std::string& market,
                          double vol, double avgPrice, int heldlength) {
  db.execSQL("INSERT INTO portfolio (symbol, marketTitle, vol, avg_price, heldlength) VALUES ('" + symbol +
             "', '" + market + "', " + std::to_string(vol) + ", " + std::to_string(avgPrice) + ", " +
             std::to_string(heldlength) + ")");
}

}  // namespace testsupport
