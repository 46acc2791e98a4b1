// The vehicles, seen from their right side, facing right.

#include <algorithm>
#include <utility>

#include <QRadialGradient>

#include "product_art.h"

namespace skins::art {
namespace {

void headlight(QPainter& p, const QPointF& c, double rx, double ry) {
  QRadialGradient g(c, std::max(rx, ry));
  g.setColorAt(0, Qt::white);
  g.setColorAt(1, QColor(250, 226, 140));
  p.setPen(outline(QColor(150, 150, 150), 0.6));
  p.setBrush(g);
  p.drawEllipse(c, rx, ry);
}

void tailLight(QPainter& p, const QRectF& r) {
  p.setPen(Qt::NoPen);
  p.setBrush(vertical(r.top(), r.bottom(), QColor(255, 90, 70), QColor(170, 20, 16)));
  p.drawRoundedRect(r, 1, 1);
}

void fill(QPainter& p, const QPainterPath& path, const QBrush& brush, const QPen& pen) {
  p.setPen(pen);
  p.setBrush(brush);
  p.drawPath(path);
}

// The dark inside of a wheel arch, seen above the body's lower edge around the tyre.
void wheelWell(QPainter& p, const QPointF& c, double r, double bottom) {
  p.save();
  p.setClipRect(QRectF(c.x() - r, c.y() - r, 2 * r, bottom - (c.y() - r)));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 32, 36));
  p.drawEllipse(c, r - 0.3, r - 0.3);
  p.restore();
}

// A car's side windows in one shape, divided by its pillars, with a reflection across them.
void carWindows(QPainter& p, const QPainterPath& glassArea, const QColor& body,
                std::initializer_list<QRectF> pillars) {
  const QRectF box = glassArea.boundingRect();
  fill(p, glassArea, glass(box.top(), box.bottom()), outline(body, 0.7));
  p.setPen(Qt::NoPen);
  p.setBrush(body.darker(115));
  p.save();
  p.setClipPath(glassArea);
  for (const QRectF& pillar : pillars)
    p.drawRect(pillar);
  // A reflection across the glass.
  p.setBrush(QColor(255, 255, 255, 70));
  p.drawPolygon(QPolygonF({{box.left() + box.width() * 0.3, box.top()},
                           {box.left() + box.width() * 0.45, box.top()},
                           {box.left() + box.width() * 0.3, box.bottom()},
                           {box.left() + box.width() * 0.15, box.bottom()}}));
  p.restore();
}

}  // namespace

void drawScooter(QPainter& p) {
  const QColor paint(222, 84, 38);
  groundShadow(p, QPointF(50, 72), 42, 4);
  const QPointF rear(26, 63), front(78, 63);
  wheel(p, rear, 9, 5);
  wheel(p, front, 9, 5);
  // Silencer beside the rear wheel.
  p.setPen(outline(kSilver, 0.6));
  p.setBrush(silver(QPointF(0, 56), QPointF(0, 62)));
  p.drawRoundedRect(QRectF(30, 56.5, 17, 5.5), 2.5, 2.5);
  // Front fork to the front axle.
  p.setPen(QPen(kSilver.darker(130), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(74, 28), front);
  // Rear cowl with the floorboard.
  QPainterPath cowl;
  cowl.moveTo(8, 54);
  cowl.cubicTo(8, 42, 18, 36, 32, 36);
  cowl.lineTo(47, 36);
  cowl.cubicTo(53, 36, 56, 40, 56, 46);
  cowl.lineTo(56, 54);
  cowl.lineTo(66, 54);
  cowl.lineTo(68, 60);
  cowl.lineTo(40, 61);
  cowl.cubicTo(38, 57, 35, 55, 30, 55);
  cowl.lineTo(14, 56);
  cowl.cubicTo(10, 56, 8, 55.5, 8, 54);
  fill(p, cowl, bodyPaint(36, 61, paint), outline(paint));
  // Leg shield rising from the floorboard to the handlebar.
  QPainterPath shield;
  shield.moveTo(57, 59);
  shield.lineTo(69, 59);
  shield.cubicTo(71, 48, 74, 36, 76, 22);
  shield.lineTo(68.5, 21);
  shield.cubicTo(66, 36, 61, 48, 57, 59);
  fill(p, shield, bodyPaint(21, 59, paint), outline(paint));
  // Front mudguard.
  QPainterPath guard;
  guard.moveTo(68, 60);
  guard.cubicTo(69, 53, 74, 51, 79, 51);
  guard.cubicTo(84, 51, 88, 55, 88, 60);
  guard.lineTo(85, 60);
  guard.cubicTo(84, 57, 81, 55, 78, 55);
  guard.cubicTo(74, 55, 71, 57, 71, 61);
  guard.closeSubpath();
  fill(p, guard, bodyPaint(51, 61, paint), outline(paint));
  // Seat.
  QPainterPath seat;
  seat.moveTo(18, 37);
  seat.cubicTo(18, 31, 24, 30, 32, 30);
  seat.lineTo(46, 30);
  seat.cubicTo(51, 30, 53, 33, 51, 36.5);
  seat.closeSubpath();
  fill(p, seat, bodyPaint(30, 37, QColor(60, 48, 44)), outline(QColor(60, 48, 44)));
  // Handlebar with its cover, the headlight in it, a mirror.
  p.setPen(QPen(QColor(50, 50, 54), 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(60, 18.5), QPointF(68, 18.5));
  p.setPen(QPen(kSilver.darker(140), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(67, 17), QPointF(64, 9));
  p.setPen(outline(kSilver, 0.6));
  p.setBrush(kSilver);
  p.drawEllipse(QPointF(63.5, 8), 2.6, 1.8);
  QPainterPath cover;
  cover.moveTo(66, 22);
  cover.cubicTo(66, 17, 70, 15, 76, 15);
  cover.cubicTo(80, 15, 82, 18, 82, 21);
  cover.lineTo(76, 23.5);
  cover.closeSubpath();
  fill(p, cover, bodyPaint(15, 23.5, paint), outline(paint));
  headlight(p, QPointF(80.5, 19), 1.8, 3);
  tailLight(p, QRectF(7, 45, 3, 5));
  // A light stripe along the cowl.
  p.setPen(QPen(QColor(255, 255, 255, 110), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath stripe;
  stripe.moveTo(12, 47);
  stripe.cubicTo(16, 41, 24, 39, 34, 39.5);
  p.drawPath(stripe);
}

void drawTourer(QPainter& p) {
  const QColor paint(34, 72, 140);
  groundShadow(p, QPointF(50, 72), 46, 4);
  const QPointF rear(23, 58), front(79, 58);
  wheel(p, rear, 13.5, 9);
  wheel(p, front, 13.5, 9);
  // Frame, swing arm and fork.
  p.setPen(QPen(QColor(52, 54, 60), 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(42, 54), rear);
  p.drawLine(QPointF(68, 28), QPointF(44, 52));
  p.setPen(QPen(kSilver.darker(120), 3.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(70, 26), front);
  // V-twin engine: dark crankcase, two finned cylinders.
  QPainterPath crankcase;
  crankcase.moveTo(40, 52);
  crankcase.lineTo(60, 50);
  crankcase.lineTo(62, 58);
  crankcase.lineTo(47, 62);
  crankcase.lineTo(40, 58);
  crankcase.closeSubpath();
  fill(p, crankcase, vertical(50, 62, QColor(96, 100, 108), QColor(44, 46, 52)),
       outline(QColor(96, 100, 108)));
  for (const auto& [x, angle] : {std::pair{45.0, -28.0}, std::pair{56.0, 28.0}}) {
    p.save();
    p.translate(x, 45);
    p.rotate(angle);
    p.setPen(outline(kSilver, 0.6));
    p.setBrush(silver(QPointF(-4, 0), QPointF(4, 0)));
    p.drawRoundedRect(QRectF(-4.5, -7, 9, 13), 1.5, 1.5);
    p.setPen(QPen(QColor(110, 116, 126), 0.8));
    for (double y = -4.5; y < 5; y += 2.6)
      p.drawLine(QPointF(-4.5, y), QPointF(4.5, y));
    p.restore();
  }
  // Exhaust to the rear.
  p.setPen(outline(kChrome, 0.6));
  p.setBrush(silver(QPointF(0, 58), QPointF(0, 63)));
  p.drawRoundedRect(QRectF(10, 57.5, 36, 5), 2.5, 2.5);
  // Panniers and top case.
  p.setPen(outline(paint));
  p.setBrush(bodyPaint(34, 52, paint));
  p.drawRoundedRect(QRectF(5, 36, 25, 16), 4, 4);
  p.setBrush(bodyPaint(22, 34, paint));
  p.drawRoundedRect(QRectF(5, 22, 17, 12), 3.5, 3.5);
  p.setPen(QPen(paint.darker(170), 0.8));
  p.drawLine(QPointF(6, 41), QPointF(29, 41));
  // Tank.
  QPainterPath tank;
  tank.moveTo(44, 36);
  tank.cubicTo(47, 27, 58, 24, 68, 28);
  tank.lineTo(66, 39);
  tank.cubicTo(58, 41, 50, 41, 44, 39);
  tank.closeSubpath();
  fill(p, tank, bodyPaint(25, 41, paint), outline(paint));
  // Seat with the pillion step.
  QPainterPath seat;
  seat.moveTo(20, 35);
  seat.lineTo(31, 35);
  seat.cubicTo(33, 31, 36, 31, 38, 33);
  seat.lineTo(45, 34);
  seat.cubicTo(46, 38, 44, 40, 40, 40);
  seat.lineTo(20, 39);
  seat.closeSubpath();
  fill(p, seat, bodyPaint(31, 40, QColor(44, 40, 40)), outline(QColor(44, 40, 40)));
  // Front fairing, screen and light.
  QPainterPath screen;
  screen.moveTo(67, 24);
  screen.lineTo(72, 7);
  screen.lineTo(77, 8);
  screen.lineTo(77, 24);
  screen.closeSubpath();
  fill(p, screen, QColor(190, 222, 240, 160), outline(QColor(120, 150, 170), 0.6));
  QPainterPath fairing;
  fairing.moveTo(65, 24);
  fairing.cubicTo(71, 19, 79, 20, 82, 30);
  fairing.lineTo(75, 39);
  fairing.lineTo(66, 37);
  fairing.closeSubpath();
  fill(p, fairing, bodyPaint(19, 39, paint), outline(paint));
  headlight(p, QPointF(79, 29.5), 2.4, 3.6);
  // Front mudguard.
  QPainterPath guard;
  guard.moveTo(68, 50);
  guard.cubicTo(71, 43, 83, 42, 89, 49);
  guard.lineTo(87, 51);
  guard.cubicTo(82, 46, 73, 46, 70, 52);
  guard.closeSubpath();
  fill(p, guard, bodyPaint(43, 52, paint), outline(paint));
  p.setPen(QPen(QColor(50, 50, 54), 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(63, 22), QPointF(69, 21));
  tailLight(p, QRectF(3, 27, 3, 5));
}

void drawCityCompact(QPainter& p) {
  const QColor paint(240, 178, 36);
  groundShadow(p, QPointF(51, 72), 44, 4);
  const QPointF rear(29, 62), front(74, 62);
  wheelWell(p, rear, 12.5, 63);
  wheelWell(p, front, 12.5, 63);
  QPainterPath body;
  body.moveTo(12, 63);
  body.lineTo(12, 46);
  body.cubicTo(12, 34, 16, 26, 24, 24);
  body.lineTo(53, 23);
  body.cubicTo(59, 23, 63, 27, 70, 37);
  body.lineTo(84, 40.5);
  body.cubicTo(90, 42, 91, 46, 91, 52);
  body.lineTo(91, 63);
  body.lineTo(86.5, 63);
  addArch(body, front, 12.5);
  body.lineTo(41.5, 63);
  addArch(body, rear, 12.5);
  body.closeSubpath();
  fill(p, body, bodyPaint(23, 63, paint), outline(paint));
  QPainterPath windows;
  windows.moveTo(17, 44);
  windows.lineTo(18.5, 33);
  windows.cubicTo(19.5, 29, 22, 27.5, 26, 27.5);
  windows.lineTo(52, 27);
  windows.cubicTo(56, 27, 59, 29.5, 64.5, 38);
  windows.lineTo(64.5, 44);
  windows.closeSubpath();
  carWindows(p, windows, paint, {QRectF(22, 20, 3.5, 30), QRectF(42, 20, 3, 30)});
  p.setPen(QPen(paint.darker(160), 0.8));
  p.drawLine(QPointF(43.5, 44), QPointF(43.5, 60));
  p.drawLine(QPointF(65, 44), QPointF(66, 57));
  p.setPen(QPen(paint.darker(170), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(47, 47.5), QPointF(51, 47.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 62, 66));
  p.drawRoundedRect(QRectF(10.5, 55, 6, 5), 1.5, 1.5);
  p.drawRoundedRect(QRectF(87, 54, 5.5, 6), 1.5, 1.5);
  headlight(p, QPointF(86.5, 45.5), 3, 2.6);
  tailLight(p, QRectF(12, 40, 3, 6));
  wheel(p, rear, 9.5, 5);
  wheel(p, front, 9.5, 5);
}

void drawFamilyEstate(QPainter& p) {
  const QColor paint(70, 118, 160);
  groundShadow(p, QPointF(50, 72), 48, 4);
  const QPointF rear(24, 63), front(78, 63);
  // Roof rails.
  p.setPen(QPen(QColor(60, 64, 70), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(12, 27.5), QPointF(56, 27));
  p.drawLine(QPointF(15, 27.5), QPointF(15, 30));
  p.drawLine(QPointF(53, 27), QPointF(53, 30));
  wheelWell(p, rear, 11.5, 63);
  wheelWell(p, front, 11.5, 63);
  QPainterPath body;
  body.moveTo(4, 63);
  body.lineTo(4, 45);
  body.cubicTo(4, 37, 6, 32, 10, 30);
  body.lineTo(58, 29.5);
  body.cubicTo(63, 29.5, 67, 33, 73, 40.5);
  body.lineTo(90, 43.5);
  body.cubicTo(95, 44.5, 96, 48, 96, 53);
  body.lineTo(96, 63);
  body.lineTo(89.5, 63);
  addArch(body, front, 11.5);
  body.lineTo(35.5, 63);
  addArch(body, rear, 11.5);
  body.closeSubpath();
  fill(p, body, bodyPaint(29.5, 63, paint), outline(paint));
  QPainterPath windows;
  windows.moveTo(8, 44);
  windows.lineTo(9.5, 35);
  windows.cubicTo(10, 33.5, 11, 33, 13, 33);
  windows.lineTo(57, 32.5);
  windows.cubicTo(61, 32.5, 63, 34.5, 68, 41);
  windows.lineTo(68, 44);
  windows.closeSubpath();
  carWindows(p, windows, paint, {QRectF(24, 30, 3, 16), QRectF(45, 30, 3, 16)});
  p.setPen(QPen(paint.darker(160), 0.8));
  p.drawLine(QPointF(46.5, 44), QPointF(46.5, 59));
  p.drawLine(QPointF(25.5, 44), QPointF(25.5, 54));
  p.drawLine(QPointF(68.5, 44), QPointF(69, 57));
  p.setPen(QPen(paint.darker(170), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(29, 47.5), QPointF(33, 47.5));
  p.drawLine(QPointF(50, 47.5), QPointF(54, 47.5));
  p.setPen(QPen(QColor(255, 255, 255, 90), 1.2));
  p.drawLine(QPointF(6, 46.5), QPointF(92, 47.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 62, 66));
  p.drawRoundedRect(QRectF(2.5, 56, 6, 5), 1.5, 1.5);
  p.drawRoundedRect(QRectF(92, 55, 5.5, 6), 1.5, 1.5);
  headlight(p, QPointF(91.5, 47), 3, 2.4);
  tailLight(p, QRectF(4, 37, 2.6, 8));
  wheel(p, rear, 9.5, 5);
  wheel(p, front, 9.5, 5);
}

void drawUtility4x4(QPainter& p) {
  const QColor paint(98, 116, 60);
  groundShadow(p, QPointF(52, 73), 46, 4);
  const QPointF rear(27, 60), front(79, 60);
  // Roof rack.
  p.setPen(QPen(QColor(40, 42, 44), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(16, 19), QPointF(62, 19));
  for (double x : {18.0, 30.0, 42.0, 54.0, 61.0})
    p.drawLine(QPointF(x, 19), QPointF(x, 23.5));
  // Spare wheel on the tailgate, seen edge on.
  p.setPen(Qt::NoPen);
  p.setBrush(kTyre);
  p.drawRoundedRect(QRectF(4, 30, 9, 24), 3, 3);
  wheelWell(p, QPointF(rear.x(), 58), 14.5, 57);
  wheelWell(p, QPointF(front.x(), 58), 14.5, 57);
  QPainterPath body;
  body.moveTo(11, 57);
  body.lineTo(11, 29);
  body.lineTo(15, 23.5);
  body.lineTo(63, 23.5);
  body.lineTo(71, 37);
  body.lineTo(91, 39);
  body.lineTo(94, 42);
  body.lineTo(94, 57);
  addArch(body, QPointF(front.x(), 58), 14.5);
  body.lineTo(41.5, 57);
  addArch(body, QPointF(rear.x(), 58), 14.5);
  body.closeSubpath();
  fill(p, body, bodyPaint(23.5, 57, paint), outline(paint));
  QPainterPath windows;
  windows.addPolygon(QPolygonF({{15, 38}, {15, 28}, {61, 27.5}, {67.5, 38}}));
  windows.closeSubpath();
  carWindows(p, windows, paint, {QRectF(31, 20, 3, 20), QRectF(48, 20, 3, 20)});
  p.setPen(QPen(paint.darker(170), 0.8));
  p.drawLine(QPointF(49.5, 38), QPointF(49.5, 52));
  p.drawLine(QPointF(68, 38), QPointF(68, 50));
  p.setPen(QPen(paint.darker(180), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(53, 41.5), QPointF(57, 41.5));
  p.drawLine(QPointF(35, 41.5), QPointF(39, 41.5));
  // Wheel arch flares, sill, bull bar.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(44, 46, 44), 3, Qt::SolidLine, Qt::FlatCap));
  p.drawArc(QRectF(front.x() - 15, 58 - 15, 30, 30), 0, 180 * 16);
  p.drawArc(QRectF(rear.x() - 15, 58 - 15, 30, 30), 0, 180 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(44, 46, 44));
  p.drawRect(QRectF(42, 53, 22, 4));
  p.setPen(QPen(QColor(60, 62, 64), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({{93, 41}, {98, 43}, {98, 58}, {93, 58}}));
  p.drawLine(QPointF(95, 50), QPointF(98, 50));
  headlight(p, QPointF(91, 44), 2.4, 2.6);
  tailLight(p, QRectF(11.5, 32, 2.6, 7));
  wheel(p, rear, 11, 6, true);
  wheel(p, front, 11, 6, true);
}

void drawGtCoupe(QPainter& p) {
  const QColor paint(30, 52, 96);
  groundShadow(p, QPointF(50, 72), 48, 4);
  const QPointF rear(24, 62), front(78, 62);
  wheelWell(p, rear, 12, 61);
  wheelWell(p, front, 12, 61);
  QPainterPath body;
  body.moveTo(4, 61);
  body.lineTo(4, 53);
  body.cubicTo(4, 49, 7, 47, 14, 46);
  body.cubicTo(24, 44.5, 30, 36, 42, 35.5);
  body.lineTo(48, 35.5);
  body.cubicTo(54, 35.5, 58, 38, 64, 44);
  body.cubicTo(76, 45, 88, 45.5, 94, 48);
  body.cubicTo(97, 49.5, 97.5, 54, 96.5, 61);
  body.lineTo(90, 61);
  addArch(body, front, 12);
  body.lineTo(36, 61);
  addArch(body, rear, 12);
  body.closeSubpath();
  fill(p, body, bodyPaint(35.5, 61, paint), outline(paint));
  QPainterPath windows;
  windows.moveTo(28, 46);
  windows.cubicTo(32, 40.5, 37, 38.5, 43, 38.5);
  windows.lineTo(48, 38.5);
  windows.cubicTo(52, 38.5, 55, 40.5, 59, 45);
  windows.closeSubpath();
  carWindows(p, windows, paint, {QRectF(44.5, 36, 2.4, 12)});
  p.setPen(QPen(paint.darker(170), 0.8));
  p.drawLine(QPointF(59.5, 45.5), QPointF(60, 57));
  p.setPen(QPen(paint.darker(180), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(52, 48.5), QPointF(55.5, 48.5));
  p.setPen(QPen(QColor(255, 255, 255, 100), 1.2));
  p.setBrush(Qt::NoBrush);
  QPainterPath shoulder;
  shoulder.moveTo(8, 51);
  shoulder.cubicTo(30, 49.5, 60, 48.5, 94, 51);
  p.drawPath(shoulder);
  // Chrome side vent behind the front wheel and the twin exhaust.
  p.setPen(QPen(kChrome, 1, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 2; ++i)
    p.drawLine(QPointF(64 + i * 2.6, 55.5), QPointF(65.5 + i * 2.6, 52.5));
  p.setPen(outline(kChrome, 0.5));
  p.setBrush(silver(QPointF(0, 58), QPointF(0, 61)));
  p.drawRoundedRect(QRectF(2, 58, 7, 2.6), 1.2, 1.2);
  headlight(p, QPointF(91.5, 50.5), 3.6, 1.8);
  tailLight(p, QRectF(4, 49.5, 3, 3.5));
  wheel(p, rear, 10, 10);
  wheel(p, front, 10, 10);
}

void drawSupercar(QPainter& p) {
  const QColor paint(206, 26, 30);
  groundShadow(p, QPointF(50, 72), 49, 4);
  const QPointF rear(22, 62), front(79, 62);
  // Rear wing on two struts.
  p.setPen(QPen(QColor(30, 30, 34), 1.6));
  p.drawLine(QPointF(8, 44), QPointF(9, 50));
  p.drawLine(QPointF(15, 44), QPointF(15, 49));
  p.setPen(Qt::NoPen);
  p.setBrush(vertical(40, 45, QColor(70, 70, 76), QColor(20, 20, 24)));
  p.drawRoundedRect(QRectF(1, 40.5, 20, 4), 1.5, 1.5);
  wheelWell(p, rear, 12, 61);
  wheelWell(p, front, 12, 61);
  QPainterPath body;
  body.moveTo(3, 61);
  body.lineTo(3, 53);
  body.lineTo(10, 49);
  body.cubicTo(24, 47.5, 34, 39, 46, 38.5);
  body.cubicTo(55, 38.5, 61, 41, 70, 47.5);
  body.lineTo(97, 53.5);
  body.lineTo(98, 57);
  body.lineTo(96, 61);
  body.lineTo(91, 61);
  addArch(body, front, 12);
  body.lineTo(34, 61);
  addArch(body, rear, 12);
  body.closeSubpath();
  fill(p, body, bodyPaint(38.5, 61, paint), outline(paint));
  QPainterPath windows;
  windows.moveTo(34, 47.5);
  windows.cubicTo(38, 43, 42, 41, 48, 41);
  windows.cubicTo(54, 41, 58, 43, 63.5, 47.5);
  windows.closeSubpath();
  fill(p, windows, vertical(41, 47.5, QColor(90, 100, 116), QColor(20, 24, 32)), outline(paint, 0.7));
  // Side air intake and the sill.
  QPainterPath intake;
  intake.moveTo(32, 52);
  intake.lineTo(47, 50);
  intake.lineTo(42, 57.5);
  intake.lineTo(35, 57.5);
  intake.closeSubpath();
  fill(p, intake, vertical(50, 57.5, QColor(60, 20, 20), QColor(16, 16, 20)), Qt::NoPen);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(26, 26, 30));
  p.drawRect(QRectF(34, 58, 33, 3));
  p.drawPolygon(QPolygonF({{88, 58}, {98, 57}, {96, 61}, {88, 61}}));
  p.setPen(QPen(QColor(255, 255, 255, 110), 1.1));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(48, 49.5), QPointF(95, 55));
  // Slim headlight and the tail light.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 246, 230));
  p.drawPolygon(QPolygonF({{85, 51.5}, {96, 54}, {95.5, 55.5}, {86, 53.5}}));
  tailLight(p, QRectF(3, 52, 3, 3));
  wheel(p, rear, 10.5, 5);
  wheel(p, front, 10.5, 5);
  // Yellow brake callipers behind the spokes' gaps.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 210, 40));
  p.drawRoundedRect(QRectF(rear.x() + 2, rear.y() - 5.5, 2.2, 4), 1, 1);
  p.drawRoundedRect(QRectF(front.x() + 2, front.y() - 5.5, 2.2, 4), 1, 1);
}

void drawCruiser(QPainter& p) {
  // Sea below, the boat on it, a wake at the bow.
  water(p, QRectF(0, 60, kWidth, 20));
  QPainterPath hull;
  hull.moveTo(5, 44);
  hull.lineTo(92, 41);
  hull.lineTo(99, 39);
  hull.cubicTo(94, 50, 86, 60, 74, 65);
  hull.lineTo(12, 65);
  hull.lineTo(7, 60);
  hull.closeSubpath();
  fill(p, hull, bodyPaint(39, 65, QColor(236, 240, 244)), outline(QColor(200, 204, 210), 0.7));
  // Navy boot stripe and portholes.
  p.save();
  p.setClipPath(hull);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 44, 88));
  p.drawPolygon(QPolygonF({{0, 54}, {100, 50}, {100, 54}, {0, 58}}));
  p.restore();
  p.setBrush(QColor(30, 44, 60));
  for (int i = 0; i < 5; ++i)
    p.drawEllipse(QPointF(40 + i * 8, 48.5 - i * 0.3), 1.3, 1.3);
  // Cabin deck.
  QPainterPath cabin;
  cabin.moveTo(16, 44);
  cabin.lineTo(19, 33);
  cabin.lineTo(60, 31.5);
  cabin.cubicTo(68, 31.5, 74, 36, 80, 42.5);
  cabin.lineTo(80, 43);
  cabin.closeSubpath();
  fill(p, cabin, bodyPaint(31, 44, QColor(246, 246, 242)), outline(QColor(200, 204, 210), 0.7));
  QPainterPath windows;
  windows.moveTo(24, 40.5);
  windows.lineTo(25.5, 35.5);
  windows.lineTo(60, 34.5);
  windows.cubicTo(65, 34.5, 69, 37, 73, 40.5);
  windows.closeSubpath();
  fill(p, windows, vertical(34.5, 40.5, QColor(70, 96, 130), QColor(20, 30, 46)), Qt::NoPen);
  // Flybridge, its screen and the radar arch.
  QPainterPath bridge;
  bridge.moveTo(26, 32);
  bridge.lineTo(29, 25);
  bridge.lineTo(52, 24);
  bridge.lineTo(59, 31.5);
  bridge.closeSubpath();
  fill(p, bridge, bodyPaint(24, 32, QColor(246, 246, 242)), outline(QColor(200, 204, 210), 0.7));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 60, 86));
  p.drawPolygon(QPolygonF({{47, 24.5}, {52, 24}, {56, 28}, {51, 28}}));
  p.setPen(QPen(QColor(230, 232, 236), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(36, 24.5), QPointF(38, 14));
  p.drawLine(QPointF(38, 14), QPointF(44, 14));
  p.setPen(QPen(QColor(60, 64, 70), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(37, 12), QPointF(46, 12));
  p.drawLine(QPointF(40, 14), QPointF(40, 8));
  // Railing along the bow.
  p.setPen(QPen(QColor(150, 156, 164), 0.8));
  p.drawLine(QPointF(78, 38.5), QPointF(97, 36.5));
  // Foam at the waterline.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 200));
  for (int i = 0; i < 9; ++i)
    p.drawEllipse(QPointF(10 + i * 8.5, 65.5 + (i % 2) * 0.8), 4.5, 1.6);
  p.drawEllipse(QPointF(84, 64), 6, 2);
}

}  // namespace skins::art
