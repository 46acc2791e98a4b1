#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "DateTime.h"

namespace Qorvex6 {

// One column = value term of a condition or an assignment list. A term carries only the value its
// type names.
class qxSUBORDER {
 public:
  static constexpr int TYPE_NUMBER = 0;
  static constexpr int TYPE_FLAG = 1;
  static constexpr int TYPE_DATE = 12;
  static constexpr int TYPE_TEXT = 15;

  static qxSUBORDER numberTerm(std::string field, double value, char op = '=');
  static qxSUBORDER textTerm(std::string field, std::string value, char op = '=');
  static qxSUBORDER flagTerm(std::string field, bool value, char op = '=');
  static qxSUBORDER flagTerm(std::string field, const char* value, char op = '=') = delete;
  static qxSUBORDER dateTerm(std::string field, platform::DateTime value);

  std::string field;  // column name, optionally qualified ("company.sector")
  int type = TYPE_NUMBER;
  double number = 0;
  std::string text;
  bool flag = false;
  platform::DateTime date;
  char op = 0;  // the caller's operator; every term compares or assigns with '='
};

// A criteria or assignment list; its terms keep the order given.
class qxORDER {
 public:
  qxORDER() = default;
  qxORDER(std::initializer_list<qxSUBORDER> terms)
      : count(static_cast<int>(terms.size())), subOrders(terms) {}

  int count = 0;
  std::vector<qxSUBORDER> subOrders;
};

// Renders the terms joined by the separator, each as column=value followed by one blank: texts quoted
// with every ' doubled, numbers in the general format with '.', flags as 1 or 0, dates as
// 'mm/dd/yyyy'. A term of an unknown type adds nothing but its separator; a null list gives "".
std::string buildFieldList(const qxORDER* list, std::string_view separator);

// " WHERE " and the terms joined by " AND "; nothing for a null list.
std::string criteriaClause(const qxORDER* criteria);

// Whether a criteria list holds a term: the statements that must never touch every row require one.
inline bool hasTerms(const qxORDER* criteria) {
  return criteria != nullptr && criteria->count > 0;
}

// A text as an SQL literal: quoted, with every ' doubled.
std::string sqlText(std::string_view text);

}  // namespace Qorvex6
