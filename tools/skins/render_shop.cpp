#include "render_shop.h"

#include <algorithm>

#include <QRadialGradient>

#include "product_art.h"

namespace skins {
namespace {

const QColor kCaption = kTeal.darker(135);

// A category entry of the shop's header: a small drawing of one of its products and the caption; the
// highlight shows the chosen category in the chrome's colours.
QImage categoryEntry(int w, int h, const QString& caption, void (*draw)(QPainter&), bool highlight) {
  QImage image = canvas(w, h, kMint);
  QPainter p(&image);
  smooth(p);
  QPainterPath card;
  card.addRoundedRect(QRectF(2.5, 3.5, w - 5, h - 7), 7, 7);
  if (highlight) {
    p.fillPath(card.translated(0, 1), QColor(170, 196, 182));
    p.fillPath(card, vertical(3, h - 3, kTealLight, kTeal.darker(120)));
    p.setPen(QPen(kGold, 1.5));
    p.drawPath(card);
  } else {
    p.fillPath(card.translated(0, 1), QColor(186, 208, 196));
    p.fillPath(card, vertical(3, h - 3, QColor(246, 250, 245), QColor(214, 230, 219)));
    p.setPen(QPen(kSage, 1));
    p.drawPath(card);
  }
  // The product on a light disc so it reads on either ground.
  const QRectF spot(8, 5, 42, h - 10);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 252, 248));
  p.drawRoundedRect(spot, 6, 6);
  p.save();
  p.translate(spot.left() + 1, spot.top() + 2);
  p.scale((spot.width() - 2) / art::kWidth, (spot.height() - 2) / art::kHeight);
  draw(p);
  p.restore();
  p.setFont(font(17));
  p.setPen(highlight ? kGoldLight : kCaption);
  p.drawText(QRectF(56, 0, w - 60, h - 1), Qt::AlignVCenter | Qt::AlignLeft, caption);
  return image;
}

// A gold gear on the colour of the Setting page's panel.
QImage gear(int w, int h) {
  QImage image = canvas(w, h, QColor(242, 248, 235));
  QPainter p(&image);
  smooth(p);
  p.translate(w / 2.0, h / 2.0);
  const double r = std::min(w, h) / 2.0 - 2;
  QPainterPath body;
  body.setFillRule(Qt::WindingFill);
  for (int i = 0; i < 8; ++i) {
    QPainterPath tooth;
    tooth.addRoundedRect(QRectF(-r * 0.2, -r, r * 0.4, r * 0.5), 2, 2);
    QTransform turn;
    turn.rotate(i * 45.0);
    body.addPath(turn.map(tooth));
  }
  body.addEllipse(QPointF(0, 0), r * 0.72, r * 0.72);
  QPainterPath hole;
  hole.addEllipse(QPointF(0, 0), r * 0.3, r * 0.3);
  QRadialGradient metal(QPointF(-r * 0.3, -r * 0.4), r * 1.6);
  metal.setColorAt(0, kGoldLight);
  metal.setColorAt(0.6, kGold);
  metal.setColorAt(1, kGoldDark);
  p.setPen(QPen(kGoldDark.darker(130), 1));
  p.setBrush(metal);
  p.drawPath(body.subtracted(hole));
  return image;
}

}  // namespace

void addShopPictures(Painters& m) {
  struct Entry {
    const char* control;
    const char* caption;
    void (*draw)(QPainter&);
  };
  const Entry entries[] = {{"Car", "Vehicles", art::drawCityCompact},
                           {"Asset", "Assets", art::drawTownHouse},
                           {"Jew", "Jewellery", art::drawSapphireRing}};
  int number = 1;
  for (const Entry& e : entries) {
    const QString caption = e.caption;
    const auto draw = e.draw;
    m[QString("frmCwShop_submnu") + e.control] = [=](int w, int h) {
      return categoryEntry(w, h, caption, draw, false);
    };
    m[QString("frmCwShop_hil%1").arg(number++)] = [=](int w, int h) {
      return categoryEntry(w, h, caption, draw, true);
    };
  }
  m["frmCwSetting_imgIcon"] = gear;
}

}  // namespace skins
