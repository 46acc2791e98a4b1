// The properties: places and buildings, with the bit of ground or water they stand on.

#include <cmath>

#include <QRadialGradient>

#include "product_art.h"

namespace skins::art {
namespace {

const QColor kWall(246, 240, 226);
const QColor kRoof(170, 84, 56);
const QColor kSlate(76, 80, 92);

void fill(QPainter& p, const QPolygonF& shape, const QBrush& brush, const QPen& pen) {
  p.setPen(pen);
  p.setBrush(brush);
  p.drawPolygon(shape);
}

// A window pane with a light frame and a glint.
void pane(QPainter& p, const QRectF& r, const QColor& frame = Qt::white) {
  p.setPen(QPen(frame, 0.9));
  p.setBrush(glass(r.top(), r.bottom()));
  p.drawRect(r);
  p.setPen(QPen(frame, 0.6));
  p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
}

// ---- a room seen from above a corner: x runs to the right, y to the left, z up ----------------

QPointF iso(double x, double y, double z) {
  return QPointF(50 + (x - y) * 0.87, 34 + (x + y) * 0.5 - z);
}

QPolygonF isoQuad(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d) {
  return QPolygonF({a, b, c, d});
}

// A box from (x, y, z) of size (dx, dy, dz): its top and the two faces towards the viewer.
void isoBox(QPainter& p, double x, double y, double z, double dx, double dy, double dz, const QColor& top,
            const QColor& side) {
  const QPen pen = outline(side, 0.5);
  fill(
      p,
      isoQuad(iso(x + dx, y, z), iso(x + dx, y + dy, z), iso(x + dx, y + dy, z + dz), iso(x + dx, y, z + dz)),
      side, pen);
  fill(
      p,
      isoQuad(iso(x, y + dy, z), iso(x + dx, y + dy, z), iso(x + dx, y + dy, z + dz), iso(x, y + dy, z + dz)),
      side.darker(115), pen);
  fill(
      p,
      isoQuad(iso(x, y, z + dz), iso(x + dx, y, z + dz), iso(x + dx, y + dy, z + dz), iso(x, y + dy, z + dz)),
      top, pen);
}

}  // namespace

void drawParkingBay(QPainter& p) {
  // Asphalt in perspective with the bays' lines; the middle bay is the one for sale.
  const QPolygonF asphalt({{14, 44}, {86, 44}, {100, 76}, {0, 76}});
  fill(p, asphalt, vertical(44, 76, QColor(120, 124, 128), QColor(78, 82, 88)), outline(QColor(90, 94, 98)));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 62, 66));
  p.drawPolygon(QPolygonF({{0, 76}, {100, 76}, {100, 79}, {0, 79}}));
  const double far[] = {16, 38, 62, 84};
  const double near[] = {3, 33, 67, 97};
  p.setPen(QPen(QColor(248, 248, 240), 1.4));
  for (int i = 0; i < 4; ++i)
    p.drawLine(QPointF(far[i], 45), QPointF(near[i], 75));
  QPolygonF bay({{38, 45}, {62, 45}, {67, 75}, {33, 75}});
  p.setPen(QPen(QColor(250, 206, 60), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(QColor(250, 206, 60, 40));
  p.drawPolygon(bay);
  // Wheel stops at the far end.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(206, 206, 200));
  for (double x : {26.0, 50.0, 74.0})
    p.drawRoundedRect(QRectF(x - 6, 47, 12, 2.6), 1, 1);
  // A big P painted in the bay.
  p.setPen(QColor(255, 255, 255, 210));
  p.setFont(font(16));
  p.drawText(QRectF(33, 52, 34, 22), Qt::AlignCenter, "P");
  // The parking sign on its post.
  p.setPen(Qt::NoPen);
  p.setBrush(silver(QPointF(80, 0), QPointF(84, 0)));
  p.drawRect(QRectF(80.5, 22, 3, 36));
  QRectF sign(68, 2, 28, 26);
  p.setPen(QPen(Qt::white, 1.6));
  p.setBrush(vertical(sign.top(), sign.bottom(), QColor(46, 110, 210), QColor(20, 64, 150)));
  p.drawRoundedRect(sign, 4, 4);
  p.setPen(Qt::white);
  p.setFont(font(24));
  p.drawText(sign.adjusted(0, 1, 0, 0), Qt::AlignCenter, "P");
}

void drawStudioFlat(QPainter& p) {
  // One room cut open at the front: floor slab, two walls, bed, window, table and lamp.
  const double size = 40, height = 30, slab = 4;
  groundShadow(p, iso(size, size, -slab) + QPointF(0, 1), 44, 5);
  fill(p, isoQuad(iso(size, 0, 0), iso(size, size, 0), iso(size, size, -slab), iso(size, 0, -slab)),
       QColor(150, 108, 70), outline(QColor(150, 108, 70), 0.5));
  fill(p, isoQuad(iso(0, size, 0), iso(size, size, 0), iso(size, size, -slab), iso(0, size, -slab)),
       QColor(122, 86, 54), outline(QColor(150, 108, 70), 0.5));
  fill(p, isoQuad(iso(0, 0, 0), iso(size, 0, 0), iso(size, size, 0), iso(0, size, 0)), QColor(212, 168, 116),
       outline(QColor(150, 108, 70), 0.5));
  p.setPen(QPen(QColor(186, 140, 92), 0.6));
  for (double y = 8; y < size; y += 8)
    p.drawLine(iso(0, y, 0), iso(size, y, 0));
  // Back walls.
  fill(p, isoQuad(iso(0, 0, 0), iso(size, 0, 0), iso(size, 0, height), iso(0, 0, height)), kWall,
       outline(kWall, 0.5));
  fill(p, isoQuad(iso(0, 0, 0), iso(0, size, 0), iso(0, size, height), iso(0, 0, height)), kWall.darker(112),
       outline(kWall, 0.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255));
  p.drawPolygon(
      isoQuad(iso(0, 0, height), iso(size, 0, height), iso(size, 0, height + 1.5), iso(0, 0, height + 1.5)));
  p.setBrush(QColor(230, 226, 214));
  p.drawPolygon(
      isoQuad(iso(0, 0, height), iso(0, size, height), iso(0, size, height + 1.5), iso(0, 0, height + 1.5)));
  // Window in the right wall, with a view of the sky.
  const QPolygonF window = isoQuad(iso(17, 0, 11), iso(33, 0, 11), iso(33, 0, 25), iso(17, 0, 25));
  fill(p, window, vertical(8, 30, kSky.lighter(115), kSky), QPen(Qt::white, 1.4));
  p.setPen(QPen(Qt::white, 0.9));
  p.drawLine(iso(25, 0, 11), iso(25, 0, 25));
  p.drawLine(iso(17, 0, 18), iso(33, 0, 18));
  // A picture on the left wall.
  fill(p, isoQuad(iso(0, 24, 14), iso(0, 34, 14), iso(0, 34, 22), iso(0, 24, 22)),
       vertical(0, 40, QColor(240, 196, 96), QColor(196, 110, 60)), QPen(QColor(110, 80, 50), 0.8));
  // Rug, bed against the left wall, bedside table and lamp.
  fill(p, isoQuad(iso(18, 16, 0.1), iso(34, 16, 0.1), iso(34, 34, 0.1), iso(18, 34, 0.1)),
       QColor(86, 150, 150), Qt::NoPen);
  isoBox(p, 0, 4, 0, 14, 24, 6, QColor(238, 238, 236), QColor(140, 110, 80));
  isoBox(p, 0.5, 12, 6, 13, 16, 1.4, QColor(52, 128, 136), QColor(38, 96, 104));
  isoBox(p, 2, 5, 6, 10, 6, 2.4, Qt::white, QColor(214, 214, 210));
  isoBox(p, 0, 30, 0, 7, 7, 7, QColor(190, 140, 90), QColor(150, 106, 66));
  const QPointF lampFoot = iso(3.5, 33.5, 7);
  p.setPen(QPen(QColor(80, 70, 60), 0.9));
  p.drawLine(lampFoot, lampFoot - QPointF(0, 6));
  p.setPen(outline(QColor(250, 220, 140), 0.5));
  p.setBrush(vertical(lampFoot.y() - 11, lampFoot.y() - 6, QColor(255, 240, 180), QColor(240, 190, 90)));
  p.drawPolygon(QPolygonF({lampFoot + QPointF(-2, -11), lampFoot + QPointF(2, -11),
                           lampFoot + QPointF(3.5, -6), lampFoot + QPointF(-3.5, -6)}));
}

void drawRiversideCondo(QPainter& p) {
  // Bank with trees, two residential towers with balconies, the river in front.
  p.setPen(Qt::NoPen);
  p.setBrush(vertical(54, 62, QColor(120, 176, 96), QColor(80, 136, 70)));
  p.drawRect(QRectF(0, 55, kWidth, 8));
  // The lower tower behind.
  fill(p, QPolygonF({{62, 14}, {82, 14}, {82, 58}, {62, 58}}), bodyPaint(14, 58, QColor(214, 198, 170)),
       outline(QColor(214, 198, 170)));
  for (double y = 18; y < 56; y += 6)
    for (double x : {65.0, 71.5, 78.0})
      pane(p, QRectF(x - 1.5, y, 3.5, 3.2), QColor(240, 232, 214));
  // The tall tower.
  const QRectF tower(30, 3, 32, 55);
  p.setPen(outline(QColor(236, 232, 224)));
  p.setBrush(bodyPaint(tower.top(), tower.bottom(), QColor(236, 232, 224)));
  p.drawRect(tower);
  for (double y = 7; y < 56; y += 6.2) {
    pane(p, QRectF(33, y, 26, 3.6), QColor(236, 232, 224));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 248));
    p.drawRect(QRectF(31.5, y + 3.6, 29, 1.4));  // balcony slab
    p.setPen(QPen(QColor(150, 160, 170), 0.5));
    p.drawLine(QPointF(32, y + 3.4), QPointF(60, y + 3.4));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(180, 90, 70));
  p.drawRect(QRectF(28.5, 1.5, 35, 2.5));
  roundTree(p, QPointF(12, 59), 20, 8);
  roundTree(p, QPointF(24, 60), 13, 5.5);
  roundTree(p, QPointF(90, 60), 17, 7);
  // River, with the tower mirrored faintly in it.
  water(p, QRectF(0, 62, kWidth, 18));
}

void drawTownHouse(QPainter& p) {
  // Three narrow houses in a row, the middle one for sale.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(170, 170, 164));
  p.drawRect(QRectF(0, 70, kWidth, 6));
  groundShadow(p, QPointF(50, 71), 46, 3);
  struct House {
    double left;
    QColor wall;
    QColor door;
  };
  const House houses[] = {{8, QColor(186, 92, 70), QColor(40, 70, 60)},
                          {36, QColor(236, 214, 170), QColor(30, 72, 110)},
                          {64, QColor(140, 164, 178), QColor(140, 40, 40)}};
  for (const House& h : houses) {
    const double l = h.left, r = h.left + 28, mid = l + 14;
    // Chimney, roof, walls.
    p.setPen(outline(kSlate, 0.5));
    p.setBrush(QColor(120, 70, 56));
    p.drawRect(QRectF(r - 8, 10, 4, 10));
    fill(p, QPolygonF({{l - 1, 30}, {mid, 12}, {r + 1, 30}}), bodyPaint(12, 30, kSlate),
         outline(kSlate, 0.6));
    fill(p, QPolygonF({{l, 30}, {r, 30}, {r, 70}, {l, 70}}), bodyPaint(30, 70, h.wall), outline(h.wall, 0.6));
    p.setPen(QPen(h.wall.darker(125), 0.5));
    p.drawLine(QPointF(l, 49), QPointF(r, 49));
    // Upstairs: two windows, and a round one in the gable.
    pane(p, QRectF(l + 4, 34, 7, 10));
    pane(p, QRectF(r - 11, 34, 7, 10));
    p.setPen(QPen(Qt::white, 0.9));
    p.setBrush(glass(20, 28));
    p.drawEllipse(QPointF(mid, 24), 2.6, 2.6);
    // Downstairs: a window and the door on its step.
    pane(p, QRectF(l + 4, 53, 8, 10));
    p.setPen(QPen(Qt::white, 0.9));
    p.setBrush(vertical(52, 68, h.door.lighter(130), h.door));
    QPainterPath door;
    door.moveTo(r - 12, 68);
    door.lineTo(r - 12, 55);
    door.arcTo(QRectF(r - 12, 52, 8, 6), 180, -180);
    door.lineTo(r - 4, 68);
    door.closeSubpath();
    p.drawPath(door);
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    p.drawEllipse(QPointF(r - 6, 62), 0.7, 0.7);
    p.setBrush(QColor(200, 200, 196));
    p.drawRect(QRectF(r - 13.5, 68, 11, 2));
  }
}

void drawGardenVilla(QPainter& p) {
  // Lawn, two trees, the villa with its hipped roof, a path to the door.
  QRadialGradient lawn(QPointF(50, 66), 56);
  lawn.setColorAt(0, QColor(138, 196, 104));
  lawn.setColorAt(1, QColor(92, 154, 72));
  p.setPen(Qt::NoPen);
  p.setBrush(lawn);
  p.drawEllipse(QPointF(50, 67), 52, 12);
  roundTree(p, QPointF(10, 62), 30, 10);
  roundTree(p, QPointF(91, 62), 26, 9);
  const QPolygonF walls({{20, 40}, {80, 40}, {80, 66}, {20, 66}});
  fill(p, walls, bodyPaint(40, 66, kWall), outline(kWall, 0.6));
  fill(p, QPolygonF({{13, 42}, {31, 22}, {69, 22}, {87, 42}}), bodyPaint(22, 42, kRoof), outline(kRoof, 0.6));
  p.setPen(QPen(kRoof.darker(130), 0.5));
  for (double y = 26; y < 42; y += 4)
    p.drawLine(QPointF(31 - (y - 22) * 0.9, y), QPointF(69 + (y - 22) * 0.9, y));
  // Porch gable over the door.
  fill(p, QPolygonF({{40, 42}, {50, 33}, {60, 42}}), bodyPaint(33, 42, kRoof.lighter(110)),
       outline(kRoof, 0.6));
  p.setPen(QPen(Qt::white, 1));
  p.setBrush(vertical(48, 66, QColor(150, 100, 60), QColor(100, 64, 36)));
  QPainterPath door;
  door.moveTo(45, 66);
  door.lineTo(45, 51);
  door.arcTo(QRectF(45, 46, 10, 10), 180, -180);
  door.lineTo(55, 66);
  door.closeSubpath();
  p.drawPath(door);
  for (double x : {24.0, 33.0, 62.0, 71.0}) {
    pane(p, QRectF(x, 47, 6, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 120, 70));
    p.drawRect(QRectF(x - 1, 59, 8, 2));  // flower box
    p.setBrush(QColor(230, 80, 90));
    for (int i = 0; i < 3; ++i)
      p.drawEllipse(QPointF(x + 1 + i * 2, 58.5), 0.9, 0.9);
  }
  // Path to the door and hedges along the front.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(226, 206, 166));
  p.drawPolygon(QPolygonF({{45, 66}, {55, 66}, {60, 79}, {40, 79}}));
  p.setPen(outline(kLeaf, 0.5));
  p.setBrush(bodyPaint(62, 70, kLeaf));
  p.drawRoundedRect(QRectF(18, 63, 24, 6), 3, 3);
  p.drawRoundedRect(QRectF(58, 63, 24, 6), 3, 3);
}

void drawOfficeFloor(QPainter& p) {
  // A glass office tower among lower blocks; one of its floors, in gold, is the one for sale.
  groundShadow(p, QPointF(50, 73), 46, 3.5);
  const QColor block(176, 184, 190);
  fill(p, QPolygonF({{6, 34}, {32, 34}, {32, 72}, {6, 72}}), bodyPaint(34, 72, block), outline(block));
  fill(p, QPolygonF({{68, 24}, {94, 24}, {94, 72}, {68, 72}}), bodyPaint(24, 72, block.lighter(108)),
       outline(block));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 110, 130));
  for (double y = 38; y < 70; y += 5) {
    for (double x = 9; x < 30; x += 5)
      p.drawRect(QRectF(x, y, 3, 2.6));
  }
  for (double y = 28; y < 70; y += 5) {
    for (double x = 71; x < 92; x += 5)
      p.drawRect(QRectF(x, y, 3, 2.6));
  }
  const QRectF tower(32, 6, 36, 66);
  QLinearGradient glassWall(tower.left(), 0, tower.right(), 0);
  glassWall.setColorAt(0, QColor(70, 120, 170));
  glassWall.setColorAt(0.35, QColor(150, 196, 226));
  glassWall.setColorAt(1, QColor(40, 80, 126));
  p.setPen(outline(QColor(60, 100, 140)));
  p.setBrush(glassWall);
  p.drawRect(tower);
  p.setPen(QPen(QColor(30, 60, 90, 170), 0.6));
  for (double y = tower.top() + 5; y < tower.bottom(); y += 5)
    p.drawLine(QPointF(tower.left(), y), QPointF(tower.right(), y));
  for (double x = tower.left() + 6; x < tower.right(); x += 6)
    p.drawLine(QPointF(x, tower.top()), QPointF(x, tower.bottom()));
  // The floor for sale.
  const QRectF floor(tower.left() - 1.5, 31, tower.width() + 3, 5);
  p.setPen(QPen(kGoldDark, 0.8));
  p.setBrush(gold(floor.topLeft(), floor.bottomRight()));
  p.drawRect(floor);
  p.setPen(QPen(QColor(120, 80, 20), 0.5));
  for (double x = tower.left() + 6; x < tower.right(); x += 6)
    p.drawLine(QPointF(x, floor.top()), QPointF(x, floor.bottom()));
  // Roof crown, mast and entrance.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 80, 100));
  p.drawRect(QRectF(38, 2, 24, 4));
  p.setPen(QPen(QColor(90, 96, 104), 1.2));
  p.drawLine(QPointF(50, 2), QPointF(50, -4));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 50, 70));
  p.drawRect(QRectF(44, 64, 12, 8));
}

void drawBeachResort(QPainter& p) {
  // The sun over the sea, the hotel on the beach, a palm, a parasol and a lounger on the sand.
  QRadialGradient sun(QPointF(84, 14), 9);
  sun.setColorAt(0, QColor(255, 240, 150));
  sun.setColorAt(1, QColor(250, 190, 60));
  p.setPen(Qt::NoPen);
  p.setBrush(sun);
  p.drawEllipse(QPointF(84, 14), 8, 8);
  water(p, QRectF(0, 42, kWidth, 18));
  QPainterPath sand;
  sand.moveTo(0, 80);
  sand.lineTo(0, 52);
  sand.cubicTo(30, 50, 60, 56, 100, 58);
  sand.lineTo(100, 80);
  sand.closeSubpath();
  p.setBrush(vertical(50, 80, kSand.lighter(108), kSand.darker(110)));
  p.drawPath(sand);
  p.setPen(QPen(QColor(255, 255, 255, 220), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath foam;
  foam.moveTo(0, 52);
  foam.cubicTo(30, 50, 60, 56, 100, 58);
  p.drawPath(foam);
  // Hotel: white block with balconies and blue glass.
  const QRectF hotel(6, 14, 30, 42);
  p.setPen(outline(kWall, 0.6));
  p.setBrush(bodyPaint(hotel.top(), hotel.bottom(), kWall));
  p.drawRect(hotel);
  for (double y = 18; y < 52; y += 6) {
    for (double x : {9.0, 17.0, 25.0}) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(70, 150, 190));
      p.drawRect(QRectF(x, y, 5.5, 3.6));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(x - 0.5, y + 3.6, 6.5, 1));
    }
  }
  p.setBrush(QColor(200, 90, 60));
  p.drawRect(QRectF(5, 11.5, 32, 2.5));
  palmTree(p, QPointF(46, 62), QPointF(54, 20), 15);
  // Parasol and lounger.
  p.setPen(QPen(QColor(110, 90, 70), 1.2));
  p.drawLine(QPointF(76, 68), QPointF(74, 44));
  QPainterPath canopy;
  canopy.moveTo(60, 48);
  canopy.quadTo(74, 34, 89, 44);
  canopy.closeSubpath();
  p.setPen(outline(QColor(230, 60, 60), 0.6));
  p.setBrush(QColor(236, 64, 60));
  p.drawPath(canopy);
  p.save();
  p.setClipPath(canopy);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  for (double x = 63; x < 90; x += 8)
    p.drawPolygon(QPolygonF({{x, 50}, {x + 4, 50}, {74.5, 36}}));
  p.restore();
  p.setPen(QPen(QColor(130, 90, 60), 1.1, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(62, 70), QPointF(84, 70));
  p.drawLine(QPointF(62, 70), QPointF(58, 65));
  p.drawLine(QPointF(64, 70), QPointF(64, 73));
  p.drawLine(QPointF(82, 70), QPointF(82, 73));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 150, 200));
  p.drawRoundedRect(QRectF(64, 67.5, 20, 2.6), 1, 1);
}

void drawPrivateIsland(QPainter& p) {
  // An island alone in the sea: lagoon, beach, palms and a thatched villa, a boat nearby.
  p.setPen(Qt::NoPen);
  p.setBrush(bodyPaint(38, 80, kSea));
  p.drawEllipse(QPointF(50, 62), 50, 18);
  QRadialGradient lagoon(QPointF(48, 58), 34);
  lagoon.setColorAt(0, QColor(120, 220, 214));
  lagoon.setColorAt(0.7, QColor(70, 180, 196, 200));
  lagoon.setColorAt(1, QColor(60, 150, 190, 0));
  p.setBrush(lagoon);
  p.drawEllipse(QPointF(48, 59), 38, 12);
  p.setPen(QPen(QColor(255, 255, 255, 150), 0.9, Qt::SolidLine, Qt::RoundCap));
  for (const QPointF& at :
       {QPointF(10, 64), QPointF(84, 70), QPointF(22, 74), QPointF(66, 76), QPointF(90, 60)}) {
    QPainterPath ripple;
    ripple.moveTo(at);
    ripple.quadTo(at + QPointF(3, -1.6), at + QPointF(6, 0));
    p.drawPath(ripple);
  }
  // Beach and the green hill on it.
  p.setPen(Qt::NoPen);
  p.setBrush(vertical(50, 64, kSand.lighter(108), kSand.darker(108)));
  p.drawEllipse(QPointF(47, 58), 27, 6.5);
  QPainterPath hill;
  hill.moveTo(28, 58);
  hill.cubicTo(34, 46, 54, 44, 66, 57);
  hill.closeSubpath();
  p.setBrush(bodyPaint(46, 58, kLeaf));
  p.drawPath(hill);
  // Villa with a thatched roof.
  p.setPen(outline(kWall, 0.5));
  p.setBrush(bodyPaint(48, 58, kWall));
  p.drawRect(QRectF(52, 49, 14, 8.5));
  fill(p, QPolygonF({{49.5, 50}, {59, 41}, {68.5, 50}}), bodyPaint(41, 50, QColor(196, 150, 80)),
       outline(QColor(196, 150, 80), 0.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 60, 36));
  p.drawRect(QRectF(57.5, 52, 3.2, 5.5));
  palmTree(p, QPointF(38, 57), QPointF(33, 24), 13);
  palmTree(p, QPointF(44, 56), QPointF(48, 32), 10);
  // A speedboat.
  QPainterPath boat;
  boat.moveTo(78, 64);
  boat.lineTo(94, 63);
  boat.lineTo(90, 67);
  boat.lineTo(80, 67);
  boat.closeSubpath();
  p.setPen(outline(Qt::white, 0.5));
  p.setBrush(Qt::white);
  p.drawPath(boat);
  p.setBrush(QColor(40, 60, 90));
  p.drawPolygon(QPolygonF({{83, 64}, {86, 61.5}, {89, 63.5}}));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 190));
  p.drawEllipse(QPointF(76, 66.5), 4, 1);
  // The sun.
  QRadialGradient sun(QPointF(84, 14), 9);
  sun.setColorAt(0, QColor(255, 240, 150));
  sun.setColorAt(1, QColor(250, 190, 60));
  p.setBrush(sun);
  p.drawEllipse(QPointF(84, 14), 8, 8);
}

}  // namespace skins::art
