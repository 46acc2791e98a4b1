// The shop's product pictures imlProduct_<ID>, one per row of the product table.

#pragma once

#include "SkinPaint.h"

namespace skins {

void addProductPictures(Painters& painters);

}  // namespace skins
