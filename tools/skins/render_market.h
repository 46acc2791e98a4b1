// The Market page's pictures and the bid/offer dialog's background.

#pragma once

#include "SkinPaint.h"

namespace skins {

void addMarketPictures(Painters& painters);

}  // namespace skins
