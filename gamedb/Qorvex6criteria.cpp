#include "Qorvex6criteria.h"

#include <algorithm>

#include "NumberText.h"

namespace Qorvex6 {

qxSUBORDER qxSUBORDER::numberTerm(std::string field, double value, char op) {
  qxSUBORDER t;
  t.field = std::move(field);
  t.type = TYPE_NUMBER;
  t.number = value;
  t.op = op;
  return t;
}

qxSUBORDER qxSUBORDER::textTerm(std::string field, std::string value, char op) {
  qxSUBORDER t;
  t.field = std::move(field);
  t.type = TYPE_TEXT;
  t.text = std::move(value);
  t.op = op;
  return t;
}

qxSUBORDER qxSUBORDER::flagTerm(std::string field, bool value, char op) {
  qxSUBORDER t;
  t.field = std::move(field);
  t.type = TYPE_FLAG;
  t.flag = value;
  t.op = op;
  return t;
}

qxSUBORDER qxSUBORDER::dateTerm(std::string field, platform::DateTime value) {
  qxSUBORDER t;
  t.field = std::move(field);
  t.type = TYPE_DATE;
  t.date = value;
  return t;
}

std::string sqlText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '\'';
  for (const char c : text) {
    out += c;
    if (c == '\'') out += '\'';
  }
  out += '\'';
  return out;
}

std::string buildFieldList(const qxORDER* list, std::string_view separator) {
  if (list == nullptr) return {};
  std::string out;
  const int n = std::min(list->count, static_cast<int>(list->subOrders.size()));
  for (int i = 0; i < n; ++i) {
    const qxSUBORDER& term = list->subOrders[static_cast<std::size_t>(i)];
    switch (term.type) {
      case qxSUBORDER::TYPE_TEXT:
        out += term.field + "=" + sqlText(term.text) + " ";
        break;
      case qxSUBORDER::TYPE_NUMBER:
        out += term.field + "=" + platform::sqlNumber(term.number) + " ";
        break;
      case qxSUBORDER::TYPE_FLAG:
        out += term.field + (term.flag ? "=1 " : "=0 ");
        break;
      case qxSUBORDER::TYPE_DATE:
        out += term.field + "='" + platform::formatMonthDayYear(term.date) + "' ";
        break;
      default:
        break;
    }
    if (i != n - 1) out += separator;
  }
  return out;
}

std::string criteriaClause(const qxORDER* criteria) {
  return criteria == nullptr ? std::string() : " WHERE " + buildFieldList(criteria, " AND ");
}

}  // namespace Qorvex6
