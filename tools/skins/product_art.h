// Drawings of the shop's products and the helpers they share. Every drawing paints one product on
// a 100x80 grid (ground near y 72) over the product pictures' common background.

#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>

#include "SkinPaint.h"

namespace skins::art {

inline constexpr double kWidth = 100;
inline constexpr double kHeight = 80;

inline const QColor kTyre(34, 35, 38);
inline const QColor kSilver(200, 206, 212);
inline const QColor kChrome(226, 230, 234);
inline const QColor kDarkGlass(36, 52, 70);
inline const QColor kSky(150, 200, 236);
inline const QColor kSea(44, 122, 184);
inline const QColor kSand(234, 212, 160);
inline const QColor kLeaf(64, 140, 62);

// Lit from the top: a lighter upper half, a darker lower edge.
QLinearGradient bodyPaint(double top, double bottom, const QColor& base);
// Polished metal between two points: bands of light and shade.
QLinearGradient gold(const QPointF& from, const QPointF& to);
QLinearGradient silver(const QPointF& from, const QPointF& to);
QLinearGradient glass(double top, double bottom);
// A dark line around a shape in the given colour.
QPen outline(const QColor& base, double width = 0.8);

void groundShadow(QPainter& p, const QPointF& centre, double rx, double ry);
// A tyre with a rim of spokes; treads adds the lugs of an off-road tyre.
void wheel(QPainter& p, const QPointF& c, double r, int spokes = 5, bool treads = false);
// Continues a path along the top of a wheel arch, right to left, around c.
void addArch(QPainterPath& path, const QPointF& c, double r);
// A four-pointed glint.
void sparkle(QPainter& p, const QPointF& c, double r);
void palmTree(QPainter& p, const QPointF& foot, const QPointF& crown, double frond);
void roundTree(QPainter& p, const QPointF& foot, double height, double radius);
// Water filling the area, with a few light ripples.
void water(QPainter& p, const QRectF& area);

void drawScooter(QPainter& p);
void drawTourer(QPainter& p);
void drawCityCompact(QPainter& p);
void drawFamilyEstate(QPainter& p);
void drawUtility4x4(QPainter& p);
void drawGtCoupe(QPainter& p);
void drawSupercar(QPainter& p);
void drawCruiser(QPainter& p);

void drawParkingBay(QPainter& p);
void drawStudioFlat(QPainter& p);
void drawRiversideCondo(QPainter& p);
void drawTownHouse(QPainter& p);
void drawGardenVilla(QPainter& p);
void drawOfficeFloor(QPainter& p);
void drawBeachResort(QPainter& p);
void drawPrivateIsland(QPainter& p);

void drawSilverBangle(QPainter& p);
void drawPearlEarrings(QPainter& p);
void drawGoldChain(QPainter& p);
void drawSapphireRing(QPainter& p);
void drawDiamondWatch(QPainter& p);
void drawRubyNecklace(QPainter& p);
void drawEmeraldTiara(QPainter& p);
void drawBlueDiamond(QPainter& p);

}  // namespace skins::art
