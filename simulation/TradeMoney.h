// The money of one trade: the price as the order dialog lists it, times the quantity, in whole cents. The
// dialog's sub-total, its budget check, the settlement and the settlement's message all use this figure;
// the order book keeps matching on the step's own single-precision value.

#pragma once

#include <cmath>

namespace Qorvex6 {

// A price step is listed with five decimals up to 0.03, with three above.
inline int listedPriceDecimals(float price) {
  return price <= 0.03f ? 5 : 3;
}

// The price in units of its last listed decimal (35.6200027 -> 35620).
inline double listedPriceUnits(float price) {
  return std::round(static_cast<double>(price) * std::pow(10.0, listedPriceDecimals(price)));
}

// The price as it is listed (35.6200027 -> 35.62).
inline double listedPrice(float price) {
  return listedPriceUnits(price) / std::pow(10.0, listedPriceDecimals(price));
}

// The listed price times the quantity, rounded to the cent with halves away from zero.
inline double tradeAmount(float price, double qty) {
  const double unitsPerCent = std::pow(10.0, listedPriceDecimals(price) - 2);
  return std::round(listedPriceUnits(price) * qty / unitsPerCent) / 100;
}

}  // namespace Qorvex6
