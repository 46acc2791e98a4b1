#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "DateTime.h"

namespace platform {

// One cell of a query result, copied out of the engine. NULL reads as 0, false, "" and day 0.
class DbValue {
 public:
  DbValue() = default;
  explicit DbValue(std::int64_t v) : value_(v) {}
  explicit DbValue(double v) : value_(v) {}
  explicit DbValue(std::string v) : value_(std::move(v)) {}

  bool isNull() const noexcept { return std::holds_alternative<std::monostate>(value_); }

  // Conversions throw DatabaseError for a text that is not of the asked kind.
  std::int64_t asInt64() const;
  std::int32_t asInteger() const;  // the low 32 bits of the stored integer
  double asFloat() const;
  bool asBoolean() const;  // any non-zero number is true
  std::string asString() const;
  DateTime asDateTime() const;

 private:
  std::variant<std::monostate, std::int64_t, double, std::string> value_;
};

}  // namespace platform
