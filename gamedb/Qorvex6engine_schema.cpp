#include <algorithm>
#include <exception>
#include <string>
#include <string_view>
#include <system_error>

#include "AsciiText.h"
#include "DbError.h"
#include "FileOps.h"
#include "Qorvex6engine.h"

namespace Qorvex6 {
namespace {

// A small reader of the start of a CREATE statement: words, quoted names and single characters, with
// white space and comments skipped.
class SqlWords {
 public:
  explicit SqlWords(std::string_view text) : text_(text) {}

  // Takes the next word when it is `word` (without regard to ASCII case).
  bool takeKeyword(std::string_view word) {
    skipBlank();
    const std::size_t end = wordEnd(at_);
    if (end == at_ || !platform::equalsNoCase(text_.substr(at_, end - at_), word)) return false;
    at_ = end;
    return true;
  }

  // Takes a name: a bare word or one quoted by "", [], `` or ''.
  bool takeName() {
    skipBlank();
    if (at_ >= text_.size()) return false;
    const char open = text_[at_];
    const char close = open == '[' ? ']' : open;
    if (open == '"' || open == '[' || open == '`' || open == '\'') {
      for (std::size_t i = at_ + 1; i < text_.size(); ++i) {
        if (text_[i] != close) continue;
        if (close != ']' && i + 1 < text_.size() && text_[i + 1] == close) {
          ++i;  // a doubled quote stands for itself
          continue;
        }
        at_ = i + 1;
        return true;
      }
      return false;
    }
    const std::size_t end = wordEnd(at_);
    if (end == at_) return false;
    at_ = end;
    return true;
  }

  bool takeChar(char c) {
    skipBlank();
    if (at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }

 private:
  static bool isWordChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || u >= 0x80;
  }
  std::size_t wordEnd(std::size_t from) const {
    while (from < text_.size() && isWordChar(text_[from]))
      ++from;
    return from;
  }
  void skipBlank() {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
        ++at_;
      } else if (text_.substr(at_, 2) == "--") {
        const std::size_t end = text_.find('\n', at_);
        at_ = end == std::string_view::npos ? text_.size() : end + 1;
      } else if (text_.substr(at_, 2) == "/*") {
        const std::size_t end = text_.find("*/", at_ + 2);
        at_ = end == std::string_view::npos ? text_.size() : end + 2;
      } else {
        return;
      }
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

// Whether the stored text of a table is CREATE [TEMP] TABLE [IF NOT EXISTS] [schema.]name ( ... : a table
// made from a column list, not from a query (AS SELECT) nor by a module (VIRTUAL).
bool declaresColumns(std::string_view sql) {
  SqlWords words(sql);
  if (!words.takeKeyword("CREATE")) return false;
  if (!words.takeKeyword("TEMP")) words.takeKeyword("TEMPORARY");
  if (!words.takeKeyword("TABLE")) return false;
  if (words.takeKeyword("IF") && !(words.takeKeyword("NOT") && words.takeKeyword("EXISTS"))) return false;
  if (!words.takeName()) return false;
  if (words.takeChar('.') && !words.takeName()) return false;
  return words.takeChar('(');
}

// The first fault of a quick check's report, without the lines that only name the database.
std::string firstFault(std::string_view report) {
  std::string_view line;
  while (!report.empty()) {
    const std::size_t end = report.find('\n');
    line = report.substr(0, end);
    report = end == std::string_view::npos ? std::string_view() : report.substr(end + 1);
    if (line.substr(0, 3) != "***") break;
  }
  return "the quick check finds: " + std::string(line);
}

// A name as an SQL identifier in double quotes.
std::string quotedName(std::string_view name) {
  std::string quoted = "\"";
  for (char c : name) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + '"';
}

const qxTableShape* findTable(const std::vector<qxTableShape>& tables, std::string_view name) {
  const auto it = std::find_if(tables.begin(), tables.end(),
                               [&](const qxTableShape& t) { return platform::equalsNoCase(t.name, name); });
  return it == tables.end() ? nullptr : &*it;
}

const qxTableShape::Column* findColumn(const qxTableShape& table, std::string_view name) {
  const auto it =
      std::find_if(table.columns.begin(), table.columns.end(),
                   [&](const qxTableShape::Column& c) { return platform::equalsNoCase(c.name, name); });
  return it == table.columns.end() ? nullptr : &*it;
}

std::string columnDifference(const qxTableShape& expected, const qxTableShape& found) {
  for (const qxTableShape::Column& column : expected.columns) {
    const qxTableShape::Column* match = findColumn(found, column.name);
    if (match == nullptr) return "table " + expected.name + " has no column " + column.name;
    if (!platform::equalsNoCase(match->type, column.type)) {
      return "column " + expected.name + "." + column.name + " is declared '" + match->type + "', not '" +
             column.type + "'";
    }
  }
  for (const qxTableShape::Column& column : found.columns) {
    if (findColumn(expected, column.name) == nullptr)
      return "table " + expected.name + " has an unknown column " + column.name;
  }
  return {};
}

}  // namespace

std::string tableShapeDifference(const std::vector<qxTableShape>& expected,
                                 const std::vector<qxTableShape>& found) {
  for (const qxTableShape& table : expected) {
    const qxTableShape* match = findTable(found, table.name);
    if (match == nullptr) return "no table " + table.name;
    if (std::string difference = columnDifference(table, *match); !difference.empty()) return difference;
  }
  for (const qxTableShape& table : found) {
    if (findTable(expected, table.name) == nullptr) return "an unknown table " + table.name;
  }
  return {};
}

std::string qxSaveGame::findUnsafeSchema() {
  const platform::DbResult mode = connection->query("PRAGMA journal_mode");
  if (mode.rowCount() == 1 && platform::equalsNoCase(mode.at(0, 0).asString(), "wal"))
    return "the journal mode is WAL";

  const platform::DbResult entries = connection->query("SELECT type, name, sql FROM sqlite_master");
  for (std::size_t row = 0; row < entries.rowCount(); ++row) {
    const std::string type = entries.at(row, 0).asString();
    const std::string name = entries.at(row, 1).asString();
    if (type == "index") continue;
    if (type != "table") return "a " + type + " " + name;
    if (!declaresColumns(entries.at(row, 2).asString())) return "table " + name + " is not made from columns";
  }

  const platform::DbResult check = connection->query("PRAGMA quick_check");
  if (check.rowCount() == 0) return "the quick check gives no answer";
  if (const std::string found = check.at(0, 0).asString(); found != "ok") return firstFault(found);
  return {};
}

std::vector<qxTableShape> qxSaveGame::readTableShapes() {
  const platform::DbResult names =
      connection->query("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
  std::vector<qxTableShape> tables;
  for (std::size_t row = 0; row < names.rowCount(); ++row) {
    qxTableShape table;
    table.name = names.at(row, 0).asString();
    // Columns: cid, name, type, notnull, dflt_value, pk.
    const platform::DbResult columns = connection->query("PRAGMA table_info(" + quotedName(table.name) + ")");
    for (std::size_t c = 0; c < columns.rowCount(); ++c)
      table.columns.push_back({columns.at(c, 1).asString(), columns.at(c, 2).asString()});
    tables.push_back(std::move(table));
  }
  return tables;
}

qxSaveCheck checkSaveFile(const std::string& save, const std::string& templateFile) {
  qxSaveCheck result;
  try {
    std::error_code ec;
    if (!platform::isRegularFile(save, ec)) {
      result.fault = "not a regular file: " + ec.message();
      return result;
    }
    qxSaveGame game;
    game.openDatabase(save, DATABASE_PASSWORD);
    result.fault = game.findUnsafeSchema();
    if (!result.fault.empty()) return result;
    result.version = game.readVersion();

    qxSaveGame model;
    model.openDatabase(templateFile, DATABASE_PASSWORD, platform::DbConnection::Access::ReadOnly);
    // Older and newer saves are only read for their version; the game's own version must be the game's.
    if (result.version == model.readVersion())
      result.fault = tableShapeDifference(model.readTableShapes(), game.readTableShapes());
  } catch (const std::exception& e) {
    result.fault = e.what();
  }
  return result;
}

}  // namespace Qorvex6
