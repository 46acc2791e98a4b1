#include "render_products.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QRadialGradient>

#include "product_art.h"

namespace skins {
namespace {

struct Product {
  const char* caption;  // the product's model name (brandserie)
  void (*draw)(QPainter&);
};

// By product ID, as in the shop's product table.
const Product kProducts[] = {
    {"Scooter 125", art::drawScooter},
    {"Tourer 650", art::drawTourer},
    {"City Compact", art::drawCityCompact},
    {"Family Estate 2.0", art::drawFamilyEstate},
    {"Utility 4x4", art::drawUtility4x4},
    {"GT Coupe", art::drawGtCoupe},
    {"Serrant V12", art::drawSupercar},
    {"Cruiser 42", art::drawCruiser},
    {"Parking Bay", art::drawParkingBay},
    {"Studio Flat", art::drawStudioFlat},
    {"Riverside Condo", art::drawRiversideCondo},
    {"Town House", art::drawTownHouse},
    {"Garden Villa", art::drawGardenVilla},
    {"Office Floor", art::drawOfficeFloor},
    {"Beach Resort", art::drawBeachResort},
    {"Private Island", art::drawPrivateIsland},
    {"Silver Bangle", art::drawSilverBangle},
    {"Pearl Earrings", art::drawPearlEarrings},
    {"Gold Chain", art::drawGoldChain},
    {"Sapphire Ring", art::drawSapphireRing},
    {"Diamond Watch", art::drawDiamondWatch},
    {"Ruby Necklace", art::drawRubyNecklace},
    {"Emerald Tiara", art::drawEmeraldTiara},
    {"Blue Diamond", art::drawBlueDiamond},
};

// The largest bold face up to `largest` pixels in which the caption fits the width.
QFont captionFont(const QString& caption, double width, int largest) {
  int pixels = largest;
  while (pixels > 8 && QFontMetricsF(font(pixels)).horizontalAdvance(caption) > width)
    --pixels;
  return font(pixels);
}

// Every product alike: a lit mint stage in a navy frame, the drawing on it, the model name on a
// teal strip at the foot.
QImage productPicture(int w, int h, const Product& product) {
  QImage image = canvas(w, h, kMint);
  QPainter p(&image);
  smooth(p);
  const double strip = h / 5.0;
  const QRectF stage(0, 0, w, h - strip);
  QRadialGradient light(w * 0.5, stage.height() * 0.38, w * 0.72);
  light.setColorAt(0, QColor(252, 254, 250));
  light.setColorAt(0.6, QColor(228, 240, 231));
  light.setColorAt(1, QColor(198, 220, 206));
  p.fillRect(stage, light);

  p.save();
  const double scale = std::min((w - 5) / art::kWidth, (stage.height() - 4) / art::kHeight);
  p.translate((w - art::kWidth * scale) / 2, 3);
  p.scale(scale, scale);
  p.setClipRect(QRectF(0, 0, art::kWidth, art::kHeight));
  product.draw(p);
  p.restore();

  const QRectF band(0, h - strip, w, strip);
  p.fillRect(band, vertical(band.top(), band.bottom(), kTeal, kNavy));
  p.fillRect(QRectF(0, band.top(), w, 1.2), kGold);
  const QString caption = product.caption;
  p.setFont(captionFont(caption, w - 8, 13));
  p.setPen(kGoldLight);
  p.drawText(band.adjusted(0, 0.5, 0, 0), Qt::AlignCenter, caption);
  p.setPen(QPen(kNavy, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
  return image;
}

}  // namespace

void addProductPictures(Painters& m) {
  int id = 0;
  for (const Product& product : kProducts) {
    m[QString("imlProduct_%1").arg(id++)] = [&product](int w, int h) {
      return productPicture(w, h, product);
    };
  }
}

}  // namespace skins
