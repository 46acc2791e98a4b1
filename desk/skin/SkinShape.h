#pragma once

#include <QBitmap>
#include <QImage>
#include <QRegion>

#include "SkinList.h"

namespace desk {

// The region of a shaped window's picture: every pixel but the (near-)white ones around the shape.
// JPEG blurs pure white, so a pixel whose three channels are all at or above the threshold counts as white.
QRegion shapeOf(const QImage& picture, int whiteThreshold = skins::kShapeWhiteThreshold);

}  // namespace desk
