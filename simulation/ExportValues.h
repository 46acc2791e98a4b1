#pragma once

#include <optional>
#include <string>

#include "ExportText.h"

namespace Qorvex6 {

// The first value of an export that the load would refuse once it is stored in a game: a number outside
// the domain of the column that holds it, or a symbol held twice (symbols compare without regard to ASCII
// case). Names the field, as "profile.budget_USD" or "portfolio.avg_price (holding 2)"; nothing when
// every value is sound.
std::optional<std::string> firstExportValueOutOfDomain(const ExportRecord& record);

}  // namespace Qorvex6
