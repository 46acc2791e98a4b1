// The Shop and Setting pages' pictures: the shop's category entries with their highlights, and the
// Setting page's gear.

#pragma once

#include "SkinPaint.h"

namespace skins {

void addShopPictures(Painters& painters);

}  // namespace skins
