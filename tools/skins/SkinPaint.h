// The skin renderer's palette and the drawing helpers its painters share.

#pragma once

#include <functional>
#include <map>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QString>

#include "SkinList.h"

namespace skins {

// One palette: deep navy and teal for the window chrome, gold accents, cream captions on the dark
// chrome, light mint surfaces under the dark green texts of the pages and dialogs.
inline const QColor kNavyDeep(9, 30, 40);
inline const QColor kNavy(kTopBar.r, kTopBar.g, kTopBar.b);
inline const QColor kTeal(22, 88, 96);
inline const QColor kTealLight(40, 128, 130);
inline const QColor kGold(214, 170, 72);
inline const QColor kGoldLight(246, 210, 124);
inline const QColor kGoldDark(140, 100, 34);
inline const QColor kCream(244, 238, 218);
inline const QColor kMint(226, 238, 229);
inline const QColor kMintDeep(204, 224, 211);
inline const QColor kSage(176, 204, 188);

// Draws one picture at the size the list gives it.
using Painter = std::function<QImage(int w, int h)>;
using Painters = std::map<QString, Painter>;

// The captions' face: Carlito (metric twin of the pages' font), DejaVu Sans where it is missing.
QFont font(int pixels, bool bold = true);

// A small picture on a plain ground, drawn on a grid of gridW x gridH units scaled to its size.
class GridPicture {
 public:
  GridPicture(int w, int h, const QColor& ground, double gridW, double gridH);
  QPainter& painter() { return painter_; }
  QImage finish();

 private:
  QImage image_;
  QPainter painter_;
};

// A rounded well (teal frame, gold inner line) that frames a list or an edit box, its caption above it.
void drawWell(QPainter& p, const QRectF& frame, double radius, const QString& caption);
QImage canvas(int w, int h, const QColor& fill);
void smooth(QPainter& p);
QLinearGradient vertical(double top, double bottom, const QColor& a, const QColor& b);
// A five-pointed star, point up.
QPainterPath starPath(const QPointF& c, double outer, double inner);

}  // namespace skins
