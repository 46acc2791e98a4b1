#include <gtest/gtest.h>

#include "Qorvex6criteria.h"

namespace {

using Qorvex6::buildFieldList;
using Qorvex6::qxORDER;
using T = Qorvex6::qxSUBORDER;

TEST(BuildFieldList, RendersTermsInOrderWithTheirSeparator) {
  struct Case {
    const char* name;
    qxORDER list;
    const char* separator;
    std::string expected;
  };
  T unknown = T::numberTerm("x", 1);
  unknown.type = 7;
  const Case cases[] = {
      {"empty list", qxORDER{}, " AND ", ""},
      {"condition", qxORDER{T::textTerm("symbol", "ABC"), T::numberTerm("status", 4)}, " AND ",
       "symbol='ABC'  AND status=4 "},
      {"assignments", qxORDER{T::numberTerm("a", 1), T::numberTerm("b", 2)}, ",", "a=1 ,b=2 "},
      {"numbers", qxORDER{T::numberTerm("a", 2.5), T::numberTerm("b", 1e8), T::numberTerm("c", 0.000001)},
       ",", "a=2.5 ,b=100000000 ,c=1E-6 "},
      {"flags", qxORDER{T::flagTerm("passed", true), T::flagTerm("wishlist", false)}, " AND ",
       "passed=1  AND wishlist=0 "},
      {"date", qxORDER{T::dateTerm("joinDate", platform::encodeDate(2012, 3, 5))}, ",",
       "joinDate='03/05/2012' "},
      {"quote doubled", qxORDER{T::textTerm("playerName", "O'Neil")}, ",", "playerName='O''Neil' "},
      {"unknown type", qxORDER{T::numberTerm("a", 1), unknown, T::numberTerm("b", 2)}, ",", "a=1 ,,b=2 "},
      {"qualified column", qxORDER{T::numberTerm("company.sector", 3)}, " AND ", "company.sector=3 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(buildFieldList(&c.list, c.separator), c.expected);
  }
  EXPECT_EQ(buildFieldList(nullptr, " AND "), "");
}

TEST(BuildFieldList, TermsCarryOnlyTheirOwnValue) {
  const qxORDER list{T::textTerm("symbol", "X"), T::flagTerm("f", true)};
  EXPECT_EQ(list.count, 2);
  EXPECT_EQ(list.subOrders[0].type, T::TYPE_TEXT);
  EXPECT_EQ(list.subOrders[0].flag, false);
  EXPECT_EQ(list.subOrders[1].type, T::TYPE_FLAG);
  EXPECT_EQ(list.subOrders[1].text, "");
}

}  // namespace
