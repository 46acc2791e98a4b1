#include "SkinShape.h"

namespace desk {

QRegion shapeOf(const QImage& picture, int whiteThreshold) {
  if (picture.isNull()) return {};
  // A bitmap's black (index 1) pixels belong to the region.
  QImage mask(picture.size(), QImage::Format_MonoLSB);
  mask.setColor(0, qRgb(255, 255, 255));
  mask.setColor(1, qRgb(0, 0, 0));
  mask.fill(0);
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      const QRgb p = line[x];
      const bool white =
          qRed(p) >= whiteThreshold && qGreen(p) >= whiteThreshold && qBlue(p) >= whiteThreshold;
      if (!white) mask.setPixel(x, y, 1);
    }
  }
  return QRegion(QBitmap::fromImage(mask));
}

}  // namespace desk
