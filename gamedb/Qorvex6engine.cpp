#include "Qorvex6engine.h"

#include "DbError.h"
#include "Qorvex6domain.h"

namespace Qorvex6 {

pSingleField::pSingleField(platform::DbConnection& db, const std::string& sql)
    : dataSet(std::make_unique<platform::DbDataset>(db, sql)), connection(&db) {
  dataSet->open();
}

float pSingleField::getFloat(int row, const std::string& column) {
  if (!dataSet->active()) dataSet->open();
  dataSet->first();
  dataSet->moveBy(row);
  if (dataSet->eof()) return 0;
  return domain::narrowed(dataSet->fieldByName(column).asFloat());
}

qxSaveGame::qxSaveGame() : connection(std::make_unique<platform::DbConnection>()) {}

qxSaveGame::~qxSaveGame() {
  closeDatabase();
}

bool qxSaveGame::openDatabase(const std::string& path, const std::string& databasePassword,
                              platform::DbConnection::Access access) {
  connection->open(path, databasePassword, access);
  return connection->isOpen();
}

bool qxSaveGame::closeDatabase() {
  connection->close();
  return !connection->isOpen();
}

int qxSaveGame::readVersion() {
  try {
    platform::DbDataset dataSet(*connection, "SELECT * FROM [profile]");
    dataSet.open();
    return dataSet.fieldByName("version").asInteger();
  } catch (const platform::DatabaseError&) {
    return 600;
  }
}

bool qxSaveGame::execSQL(const std::string& sql) {
  try {
    return connection->execute(sql) > 0;
  } catch (const std::exception& e) {
    trace(std::string("execSQL: ") + e.what());
    return false;
  }
}

float qxSaveGame::readSingleFloat(const std::string& sql, const std::string& column) {
  pSingleField field(*connection, sql);
  return field.getFloat(0, column);
}

void qxSaveGame::setTrace(platform::DbConnection::TraceSink sink) {
  connection->setTrace(std::move(sink));
}

void qxSaveGame::trace(std::string_view line) const {
  connection->trace(line);
}

}  // namespace Qorvex6
