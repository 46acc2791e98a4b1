#include "product_art.h"

#include <algorithm>
#include <cmath>

#include <QRadialGradient>

namespace skins::art {

QLinearGradient bodyPaint(double top, double bottom, const QColor& base) {
  QLinearGradient g(0, top, 0, bottom);
  g.setColorAt(0, base.lighter(150));
  g.setColorAt(0.3, base.lighter(112));
  g.setColorAt(0.55, base);
  g.setColorAt(1, base.darker(165));
  return g;
}

namespace {

QLinearGradient metal(const QPointF& from, const QPointF& to, const QColor& light, const QColor& mid,
                      const QColor& dark) {
  QLinearGradient g(from, to);
  g.setColorAt(0, mid);
  g.setColorAt(0.25, light);
  g.setColorAt(0.5, mid);
  g.setColorAt(0.75, dark);
  g.setColorAt(1, mid);
  return g;
}

}  // namespace

QLinearGradient gold(const QPointF& from, const QPointF& to) {
  return metal(from, to, QColor(255, 236, 160), QColor(226, 176, 60), QColor(150, 100, 24));
}

QLinearGradient silver(const QPointF& from, const QPointF& to) {
  return metal(from, to, QColor(252, 253, 255), QColor(196, 202, 210), QColor(120, 128, 140));
}

QLinearGradient glass(double top, double bottom) {
  QLinearGradient g(0, top, 0, bottom);
  g.setColorAt(0, QColor(190, 222, 240));
  g.setColorAt(0.5, QColor(110, 150, 180));
  g.setColorAt(1, QColor(60, 84, 110));
  return g;
}

QPen outline(const QColor& base, double width) {
  return QPen(base.darker(190), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void groundShadow(QPainter& p, const QPointF& centre, double rx, double ry) {
  p.save();
  p.translate(centre);
  p.scale(1, ry / rx);
  QRadialGradient g(QPointF(0, 0), rx);
  g.setColorAt(0, QColor(40, 70, 60, 120));
  g.setColorAt(0.7, QColor(40, 70, 60, 50));
  g.setColorAt(1, QColor(40, 70, 60, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(QPointF(0, 0), rx, rx);
  p.restore();
}

void wheel(QPainter& p, const QPointF& c, double r, int spokes, bool treads) {
  p.save();
  p.setPen(Qt::NoPen);
  if (treads) {
    p.setBrush(kTyre);
    for (int i = 0; i < 16; ++i) {
      p.save();
      p.translate(c);
      p.rotate(i * 22.5);
      p.drawRect(QRectF(-r * 0.16, -r - r * 0.07, r * 0.32, r * 0.2));
      p.restore();
    }
  }
  QRadialGradient tyre(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
  tyre.setColorAt(0, QColor(80, 82, 88));
  tyre.setColorAt(1, kTyre);
  p.setBrush(tyre);
  p.drawEllipse(c, r, r);
  const double rim = r * 0.6;
  QRadialGradient disc(c - QPointF(rim * 0.4, rim * 0.5), rim * 1.4);
  disc.setColorAt(0, kChrome);
  disc.setColorAt(1, QColor(120, 126, 134));
  p.setBrush(disc);
  p.drawEllipse(c, rim, rim);
  p.setPen(QPen(QColor(70, 74, 80), std::max(0.8, r * 0.1), Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < spokes; ++i) {
    const double a = -M_PI / 2 + i * 2 * M_PI / spokes;
    p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * rim * 0.3,
               c + QPointF(std::cos(a), std::sin(a)) * rim * 0.85);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 94, 100));
  p.drawEllipse(c, rim * 0.25, rim * 0.25);
  p.restore();
}

void addArch(QPainterPath& path, const QPointF& c, double r) {
  path.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 0, 180);
}

void sparkle(QPainter& p, const QPointF& c, double r) {
  QPainterPath s;
  s.moveTo(c.x(), c.y() - r);
  s.quadTo(c, QPointF(c.x() + r, c.y()));
  s.quadTo(c, QPointF(c.x(), c.y() + r));
  s.quadTo(c, QPointF(c.x() - r, c.y()));
  s.quadTo(c, QPointF(c.x(), c.y() - r));
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 235));
  p.drawPath(s);
  p.restore();
}

void palmTree(QPainter& p, const QPointF& foot, const QPointF& crown, double frond) {
  p.save();
  QPainterPath trunk;
  const QPointF bend((foot.x() + crown.x()) / 2 - (crown.y() - foot.y()) * 0.12, (foot.y() + crown.y()) / 2);
  trunk.moveTo(foot);
  trunk.quadTo(bend, crown);
  p.setPen(QPen(QColor(128, 92, 54), frond * 0.22, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(trunk);
  p.setPen(QPen(QColor(96, 66, 36), frond * 0.06));
  for (double t = 0.15; t < 0.95; t += 0.14) {
    const QPointF at = trunk.pointAtPercent(t);
    p.drawLine(at - QPointF(frond * 0.1, 0), at + QPointF(frond * 0.1, 0));
  }
  // Fronds: long leaves hanging from the crown on both sides.
  p.setPen(outline(kLeaf, 0.6));
  const double angles[] = {-170, -135, -95, -60, -20, 15, 165};
  for (double deg : angles) {
    const double a = deg * M_PI / 180;
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF tip = crown + dir * frond + QPointF(0, frond * 0.35);
    const QPointF mid = crown + dir * frond * 0.55 - QPointF(0, frond * 0.12);
    const QPointF side(-dir.y() * frond * 0.16, dir.x() * frond * 0.16);
    QPainterPath leaf;
    leaf.moveTo(crown);
    leaf.quadTo(mid + side, tip);
    leaf.quadTo(mid - side, crown);
    p.setBrush(bodyPaint(crown.y() - frond * 0.3, crown.y() + frond * 0.5, kLeaf));
    p.drawPath(leaf);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(110, 76, 40));
  p.drawEllipse(crown + QPointF(frond * 0.08, frond * 0.12), frond * 0.1, frond * 0.1);
  p.restore();
}

void roundTree(QPainter& p, const QPointF& foot, double height, double radius) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 86, 56));
  p.drawRect(QRectF(foot.x() - radius * 0.14, foot.y() - height + radius, radius * 0.28, height - radius));
  const QPointF c(foot.x(), foot.y() - height + radius * 0.2);
  QRadialGradient crown(c - QPointF(radius * 0.4, radius * 0.5), radius * 1.5);
  crown.setColorAt(0, kLeaf.lighter(150));
  crown.setColorAt(1, kLeaf.darker(150));
  p.setPen(outline(kLeaf, 0.6));
  p.setBrush(crown);
  p.drawEllipse(c, radius, radius * 1.08);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 45));
  p.drawEllipse(c + QPointF(-radius * 0.3, -radius * 0.35), radius * 0.45, radius * 0.4);
  p.restore();
}

void water(QPainter& p, const QRectF& area) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(bodyPaint(area.top(), area.bottom(), kSea));
  p.drawRect(area);
  p.setPen(QPen(QColor(255, 255, 255, 150), 0.9, Qt::SolidLine, Qt::RoundCap));
  const double rows = std::max(2.0, std::floor(area.height() / 6));
  for (int row = 0; row < rows; ++row) {
    const double y = area.top() + 3 + row * area.height() / rows;
    for (double x = area.left() + 4 + (row % 2) * 7; x < area.right() - 6; x += 15) {
      QPainterPath ripple;
      ripple.moveTo(x, y);
      ripple.quadTo(x + 2.5, y - 1.4, x + 5, y);
      p.drawPath(ripple);
    }
  }
  p.restore();
}

}  // namespace skins::art
