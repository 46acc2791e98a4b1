// The jewellery: polished metal and cut stones, each with a glint or two.

#include <cmath>
#include <cstdlib>

#include <QRadialGradient>

#include "product_art.h"

namespace skins::art {
namespace {

const QColor kGoldEdge(130, 88, 20);
const QColor kSilverEdge(96, 104, 116);

// A cut stone seen from the front: an outline of `corners` around c, a flat table in its middle and
// facets between them in alternating light and shade of the stone's colour.
void cutStone(QPainter& p, const QPointF& c, double rx, double ry, int corners, const QColor& colour) {
  QPolygonF outer, table;
  for (int i = 0; i < corners; ++i) {
    const double a = -M_PI / 2 + (i + 0.5) * 2 * M_PI / corners;
    outer << c + QPointF(rx * std::cos(a), ry * std::sin(a));
    table << c + QPointF(rx * 0.55 * std::cos(a), ry * 0.55 * std::sin(a));
  }
  p.save();
  p.setPen(QPen(colour.darker(200), 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (int i = 0; i < corners; ++i) {
    const int j = (i + 1) % corners;
    const QPolygonF facet({outer[i], outer[j], table[j], table[i]});
    const double lightness = 0.5 + 0.5 * std::cos((i + 0.5) * 2 * M_PI / corners + 2.2);
    p.setBrush(i % 2 == 0 ? colour.lighter(100 + int(lightness * 70))
                          : colour.darker(130 - int(lightness * 25)));
    p.drawPolygon(facet);
  }
  QLinearGradient top(table.boundingRect().topLeft(), table.boundingRect().bottomRight());
  top.setColorAt(0, colour.lighter(190));
  top.setColorAt(0.5, colour.lighter(120));
  top.setColorAt(1, colour);
  p.setBrush(top);
  p.drawPolygon(table);
  p.restore();
}

// A round stone with its highlight, for pearls and small gems.
void bead(QPainter& p, const QPointF& c, double r, const QColor& light, const QColor& mid,
          const QColor& dark) {
  QRadialGradient g(c - QPointF(r * 0.35, r * 0.4), r * 1.3);
  g.setColorAt(0, light);
  g.setColorAt(0.45, mid);
  g.setColorAt(1, dark);
  p.setPen(QPen(dark.darker(130), 0.5));
  p.setBrush(g);
  p.drawEllipse(c, r, r);
}

void smallDiamond(QPainter& p, const QPointF& c, double r) {
  bead(p, c, r, Qt::white, QColor(226, 236, 246), QColor(150, 170, 196));
}

}  // namespace

void drawSilverBangle(QPainter& p) {
  // A wide band seen from above its front: outer wall, rim, and the inner wall through the opening.
  groundShadow(p, QPointF(50, 64), 42, 7);
  const QPointF top(50, 36), bottom(50, 46);
  const double rx = 38, ry = 19, inner = 0.84;
  QPainterPath outer;
  outer.addEllipse(top, rx, ry);
  QPainterPath lower;
  lower.addEllipse(bottom, rx, ry);
  QPainterPath hole;
  hole.addEllipse(top, rx * inner, ry * inner);
  const QPainterPath band = outer.united(lower).subtracted(hole);
  p.setPen(QPen(kSilverEdge, 0.8));
  p.setBrush(silver(QPointF(12, 30), QPointF(88, 60)));
  p.drawPath(band);
  // The inner wall at the back of the opening.
  QPainterPath innerWall = hole.subtracted(hole.translated(0, bottom.y() - top.y()));
  p.setBrush(vertical(20, 34, QColor(120, 128, 140), QColor(210, 216, 224)));
  p.drawPath(innerWall);
  // The rim and the front wall's engraving.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 200), 1));
  p.drawEllipse(top, rx - 0.5, ry - 0.5);
  p.setPen(QPen(kSilverEdge, 0.6));
  p.drawEllipse(top, rx * inner, ry * inner);
  for (int i = 1; i < 12; ++i) {
    const double a = M_PI * i / 12;  // front half, left to right
    const QPointF on(50 - rx * 0.995 * std::cos(a), top.y() + ry * std::sin(a) + 5);
    p.setPen(Qt::NoPen);
    p.setBrush(i % 2 == 0 ? QColor(110, 118, 130) : QColor(250, 252, 255));
    p.drawEllipse(on, 1.3, 1.3);
  }
  sparkle(p, QPointF(28, 50), 4.5);
  sparkle(p, QPointF(74, 22), 3.5);
}

void drawPearlEarrings(QPainter& p) {
  // Two drops, each a pearl under a gold cap on a French hook.
  for (const QPointF& pearl : {QPointF(32, 52), QPointF(68, 56)}) {
    groundShadow(p, QPointF(pearl.x() + 2, 73), 14, 3);
    QPainterPath hook;
    hook.moveTo(pearl.x(), pearl.y() - 14);
    hook.lineTo(pearl.x(), pearl.y() - 22);
    hook.cubicTo(pearl.x(), pearl.y() - 40, pearl.x() + 15, pearl.y() - 42, pearl.x() + 13, pearl.y() - 28);
    hook.cubicTo(pearl.x() + 12.5, pearl.y() - 23, pearl.x() + 10, pearl.y() - 19, pearl.x() + 9,
                 pearl.y() - 16);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGoldEdge, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(hook);
    p.setPen(QPen(QColor(250, 214, 120), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(hook);
    QRadialGradient g(pearl - QPointF(4, 5), 17);
    g.setColorAt(0, Qt::white);
    g.setColorAt(0.35, QColor(248, 242, 236));
    g.setColorAt(0.75, QColor(226, 214, 214));
    g.setColorAt(1, QColor(170, 160, 168));
    p.setPen(QPen(QColor(150, 140, 146), 0.6));
    p.setBrush(g);
    p.drawEllipse(pearl, 12, 12.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(pearl - QPointF(4.5, 5), 2.6, 2);
    p.setPen(QPen(kGoldEdge, 0.6));
    p.setBrush(gold(pearl - QPointF(5, 0), pearl + QPointF(5, 0)));
    QPainterPath cap;
    cap.moveTo(pearl.x() - 5, pearl.y() - 10.5);
    cap.quadTo(pearl.x(), pearl.y() - 14.5, pearl.x() + 5, pearl.y() - 10.5);
    cap.quadTo(pearl.x(), pearl.y() - 12, pearl.x() - 5, pearl.y() - 10.5);
    p.drawPath(cap);
    p.drawEllipse(QPointF(pearl.x(), pearl.y() - 14.5), 2, 2);
  }
  sparkle(p, QPointF(24, 44), 3.5);
}

void drawGoldChain(QPainter& p) {
  // A curb chain hanging in a U, its links alternately face-on and edge-on.
  QPainterPath drape;
  drape.moveTo(16, 2);
  drape.cubicTo(12, 46, 34, 70, 50, 70);
  drape.cubicTo(66, 70, 88, 46, 84, 2);
  groundShadow(p, QPointF(50, 74), 26, 3);
  constexpr int kLinks = 30;
  for (int i = 0; i <= kLinks; ++i) {
    const double t = double(i) / kLinks;
    const QPointF at = drape.pointAtPercent(t);
    p.save();
    p.translate(at);
    p.rotate(-drape.angleAtPercent(t));
    if (i % 2 == 0) {
      p.setPen(QPen(gold(QPointF(-4, -4), QPointF(4, 4)), 2.2));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(0, 0), 4.2, 2.9);
      p.setPen(QPen(kGoldEdge, 0.4));
      p.drawEllipse(QPointF(0, 0), 5.3, 4);
    } else {
      p.setPen(QPen(kGoldEdge, 0.5));
      p.setBrush(gold(QPointF(0, -1.5), QPointF(0, 1.5)));
      p.drawRoundedRect(QRectF(-4.6, -1.4, 9.2, 2.8), 1.4, 1.4);
    }
    p.restore();
  }
  sparkle(p, QPointF(30, 58), 4);
  sparkle(p, QPointF(76, 34), 3.5);
}

void drawSapphireRing(QPainter& p) {
  // A gold band seen at a slant, the sapphire held up on its crown.
  groundShadow(p, QPointF(50, 73), 30, 4);
  const QPointF c(50, 54);
  const QRectF band(c.x() - 25, c.y() - 15, 50, 30);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(150, 104, 30), 5.5, Qt::SolidLine, Qt::FlatCap));
  p.drawArc(band, 0, 180 * 16);  // the far half, in shade
  // Setting: a gold basket with four prongs.
  p.setPen(QPen(kGoldEdge, 0.6));
  p.setBrush(gold(QPointF(40, 30), QPointF(60, 44)));
  p.drawPolygon(QPolygonF({{38, 34}, {62, 34}, {56, 42}, {44, 42}}));
  cutStone(p, QPointF(50, 26), 17, 12, 8, QColor(30, 70, 190));
  p.setPen(QPen(kGoldEdge, 0.5));
  p.setBrush(gold(QPointF(0, 10), QPointF(0, 40)));
  for (const QPointF& prong : {QPointF(37, 20), QPointF(63, 20), QPointF(37, 32), QPointF(63, 32)})
    p.drawEllipse(prong, 2, 2);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(gold(band.topLeft(), band.bottomRight()), 6, Qt::SolidLine, Qt::FlatCap));
  p.drawArc(band, 180 * 16, 180 * 16);  // the near half
  p.setPen(QPen(QColor(255, 246, 200, 200), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(band.adjusted(1, 1, -1, -1), 200 * 16, 60 * 16);
  sparkle(p, QPointF(44, 21), 4.5);
  sparkle(p, QPointF(72, 52), 3);
}

void drawDiamondWatch(QPainter& p) {
  // A gold bracelet watch: link straps, a bezel set with diamonds, a cream dial at ten past ten.
  const QPointF c(48, 40);
  const double r = 24;
  p.setPen(QPen(kGoldEdge, 0.5));
  for (int i = 0; i < 4; ++i) {
    const double y = i * 4.6;
    const double inset = 10 - i * 0.6;
    p.setBrush(gold(QPointF(c.x() - 12, 0), QPointF(c.x() + 12, 0)));
    p.drawRoundedRect(QRectF(c.x() - 14 + inset * 0.2, y - 1, 28 - inset * 0.4, 4.2), 1.2, 1.2);
    p.drawRoundedRect(QRectF(c.x() - 14 + inset * 0.2, 80 - y - 3.2, 28 - inset * 0.4, 4.2), 1.2, 1.2);
  }
  // Case and crown.
  p.setBrush(gold(QPointF(c.x() + 24, c.y() - 3), QPointF(c.x() + 24, c.y() + 3)));
  p.drawRoundedRect(QRectF(c.x() + r - 1, c.y() - 3.5, 6, 7), 1.5, 1.5);
  p.setBrush(gold(c - QPointF(r, r), c + QPointF(r, r)));
  p.drawEllipse(c, r, r);
  // Diamonds around the bezel.
  constexpr int kStones = 24;
  for (int i = 0; i < kStones; ++i) {
    const double a = i * 2 * M_PI / kStones;
    smallDiamond(p, c + QPointF(std::cos(a), std::sin(a)) * (r - 3.4), 2.2);
  }
  QRadialGradient dial(c - QPointF(5, 6), r);
  dial.setColorAt(0, QColor(255, 252, 244));
  dial.setColorAt(1, QColor(226, 216, 196));
  p.setPen(QPen(kGoldEdge, 0.6));
  p.setBrush(dial);
  p.drawEllipse(c, r - 6.5, r - 6.5);
  p.setPen(QPen(QColor(150, 110, 40), 1.2, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6;
    const QPointF d(std::cos(a), std::sin(a));
    p.drawLine(c + d * (r - 9.5), c + d * (r - (i % 3 == 0 ? 13 : 11)));
  }
  p.setPen(QPen(QColor(40, 40, 44), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, c + QPointF(-8 * std::sin(M_PI / 3), -8 * std::cos(M_PI / 3)));  // hour, at ten
  p.setPen(QPen(QColor(40, 40, 44), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, c + QPointF(12 * std::sin(M_PI / 3), -12 * std::cos(M_PI / 3)));  // minute, at two
  p.setPen(Qt::NoPen);
  p.setBrush(kGoldEdge);
  p.drawEllipse(c, 1.4, 1.4);
  sparkle(p, c + QPointF(-15, -15), 4.5);
  sparkle(p, c + QPointF(18, 13), 3.5);
}

void drawRubyNecklace(QPainter& p) {
  // A fine chain set with small rubies, a pear-shaped ruby hanging at its lowest point.
  QPainterPath chain;
  chain.moveTo(12, 0);
  chain.cubicTo(12, 36, 34, 52, 50, 52);
  chain.cubicTo(66, 52, 88, 36, 88, 0);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kGoldEdge, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(chain);
  p.setPen(QPen(QColor(250, 214, 120), 1.1, Qt::DotLine, Qt::RoundCap));
  p.drawPath(chain);
  const QColor ruby(200, 16, 40);
  for (double t : {0.2, 0.3, 0.4, 0.6, 0.7, 0.8}) {
    const QPointF at = chain.pointAtPercent(t);
    p.setPen(QPen(kGoldEdge, 0.5));
    p.setBrush(gold(at - QPointF(3, 3), at + QPointF(3, 3)));
    p.drawEllipse(at, 3.2, 3.2);
    bead(p, at, 2.3, QColor(255, 150, 160), ruby, ruby.darker(170));
  }
  groundShadow(p, QPointF(50, 77), 12, 2.5);
  // Bail and the pendant.
  p.setPen(QPen(kGoldEdge, 0.6));
  p.setBrush(gold(QPointF(46, 50), QPointF(54, 58)));
  p.drawEllipse(QPointF(50, 54.5), 2.6, 3.4);
  QPainterPath pear;
  pear.moveTo(50, 56);
  pear.cubicTo(54, 60, 61, 66, 61, 71);
  pear.cubicTo(61, 77, 55, 79.5, 50, 79.5);
  pear.cubicTo(45, 79.5, 39, 77, 39, 71);
  pear.cubicTo(39, 66, 46, 60, 50, 56);
  p.setPen(QPen(kGoldEdge, 1.6));
  QRadialGradient g(QPointF(46, 66), 16);
  g.setColorAt(0, QColor(255, 140, 150));
  g.setColorAt(0.4, ruby);
  g.setColorAt(1, ruby.darker(200));
  p.setBrush(g);
  p.drawPath(pear);
  p.setPen(QPen(QColor(255, 200, 204, 150), 0.6));
  p.drawLine(QPointF(50, 58), QPointF(50, 78));
  p.drawLine(QPointF(50, 70), QPointF(40, 71));
  p.drawLine(QPointF(50, 70), QPointF(60, 71));
  sparkle(p, QPointF(45, 65), 4);
  sparkle(p, QPointF(22, 30), 3);
}

void drawEmeraldTiara(QPainter& p) {
  // A silver tiara seen from the front: a curved band, scrolls rising to a tall centre, emeralds.
  groundShadow(p, QPointF(50, 69), 40, 3.5);
  QPainterPath base;
  base.moveTo(6, 52);
  base.quadTo(50, 76, 94, 52);
  base.lineTo(94, 46);
  base.quadTo(50, 70, 6, 46);
  base.closeSubpath();
  // Scrolls: a row of arches on the band, the middle one the tallest.
  constexpr int kArches = 7;
  const auto footAt = [](double t) { return 46 + 48 * t * (1 - t); };  // the band's top edge
  const auto riseAt = [](double t) { return 10 + 26 * std::pow(std::sin(M_PI * t), 3); };
  const double half = 88.0 / kArches / 2;
  QPainterPath arches;
  for (int i = 0; i < kArches; ++i) {
    const double t = (i + 0.5) / kArches;
    const double x = 6 + t * 88, foot = footAt(t) - 0.5, rise = riseAt(t);
    arches.moveTo(x - half, foot);
    arches.cubicTo(x - half, foot - rise * 0.6, x - 3, foot - rise * 0.7, x, foot - rise);
    arches.cubicTo(x + 3, foot - rise * 0.7, x + half, foot - rise * 0.6, x + half, foot);
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kSilverEdge, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(arches);
  p.setPen(QPen(silver(QPointF(0, 10), QPointF(0, 60)), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(arches);
  p.setPen(QPen(kSilverEdge, 0.7));
  p.setBrush(silver(QPointF(0, 44), QPointF(0, 66)));
  p.drawPath(base);
  // Diamonds along the band and on the arches' tips, emeralds in the three tallest.
  for (int i = 0; i < 9; ++i) {
    const double t = (i + 0.5) / 9;
    smallDiamond(p, QPointF(6 + t * 88, footAt(t) + 3), 1.6);
  }
  const QColor emerald(20, 150, 80);
  for (int i = 0; i < kArches; ++i) {
    const double t = (i + 0.5) / kArches;
    const double x = 6 + t * 88, foot = footAt(t), rise = riseAt(t);
    const int fromMiddle = std::abs(i - kArches / 2);
    if (fromMiddle == 0)
      cutStone(p, QPointF(x, foot - rise * 0.5), 6.5, 9, 8, emerald);
    else if (fromMiddle == 1)
      cutStone(p, QPointF(x, foot - rise * 0.5), 4, 5.5, 8, emerald);
    smallDiamond(p, QPointF(x, foot - rise - 1.5), 2.2);
  }
  sparkle(p, QPointF(50, 6), 4.5);
  sparkle(p, QPointF(80, 30), 3);
}

void drawBlueDiamond(QPainter& p) {
  // A brilliant seen from the side: crown facets between the table and the girdle, the pavilion
  // down to its point. Table corner j stands over girdle point 2j.
  groundShadow(p, QPointF(50, 75), 24, 3);
  const QColor blue(40, 110, 220);
  constexpr double kTable = 10, kGirdle = 30, kCulet = 74;
  const auto g = [](int k) { return QPointF(14 + 9 * k, kGirdle); };
  const auto t = [](int j) { return QPointF(32 + 9 * j, kTable); };
  p.setPen(QPen(QColor(190, 220, 255), 0.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (int k = 0; k < 8; ++k) {
    const double shade = std::abs(k - 3.5) / 3.5;  // darker towards the sides
    p.setBrush(k % 2 == 0 ? blue.darker(105 + int(shade * 70)) : blue.lighter(150 - int(shade * 45)));
    p.drawPolygon(QPolygonF({g(k), g(k + 1), QPointF(50, kCulet)}));
  }
  for (int j = 0; j < 4; ++j) {
    const double shade = std::abs(j - 1.5) / 1.5;
    p.setBrush(blue.darker(100 + int(shade * 30)));
    p.drawPolygon(QPolygonF({t(j), g(2 * j), g(2 * j + 1)}));
    p.setBrush(blue.lighter(175 - int(shade * 40)));
    p.drawPolygon(QPolygonF({t(j), g(2 * j + 1), t(j + 1)}));
    p.setBrush(blue.lighter(120));
    p.drawPolygon(QPolygonF({t(j + 1), g(2 * j + 1), g(2 * j + 2)}));
  }
  p.setPen(QPen(QColor(220, 236, 255), 1));
  p.drawLine(g(0), g(8));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(blue.darker(220), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolygon(QPolygonF({t(0), t(4), g(8), QPointF(50, kCulet), g(0)}));
  sparkle(p, QPointF(44, 12), 6);
  sparkle(p, QPointF(64, 44), 4);
  sparkle(p, QPointF(18, 16), 3.5);
  sparkle(p, QPointF(84, 14), 3);
}

}  // namespace skins::art
