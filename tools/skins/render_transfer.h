// The transfer dialog's pictures: its shaped background and the exchange icon of its header.

#pragma once

#include "SkinPaint.h"

namespace skins {

void addTransferPictures(Painters& painters);

}  // namespace skins
