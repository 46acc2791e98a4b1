#include "SkinPaint.h"

#include <cmath>

namespace skins {

QFont font(int pixels, bool bold) {
  QFont f;
  f.setFamilies({"Carlito", "DejaVu Sans"});
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

GridPicture::GridPicture(int w, int h, const QColor& ground, double gridW, double gridH)
    : image_(canvas(w, h, ground)), painter_(&image_) {
  smooth(painter_);
  painter_.scale(w / gridW, h / gridH);
}

QImage GridPicture::finish() {
  painter_.end();
  return image_;
}

void drawWell(QPainter& p, const QRectF& frame, double radius, const QString& caption) {
  p.setPen(QPen(kTeal, 2));
  p.setBrush(QColor(212, 230, 218));
  p.drawRoundedRect(frame, radius, radius);
  p.setPen(QPen(kGold, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(frame.adjusted(3, 3, -3, -3), radius - 2, radius - 2);
  p.setFont(font(17));
  p.setPen(kTeal.darker(140));
  p.drawText(QRectF(frame.left() + 2, frame.top() - 28, frame.width(), 24), Qt::AlignLeft | Qt::AlignBottom,
             caption);
}

QImage canvas(int w, int h, const QColor& fill) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

void smooth(QPainter& p) {
  p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
}

QLinearGradient vertical(double top, double bottom, const QColor& a, const QColor& b) {
  QLinearGradient g(0, top, 0, bottom);
  g.setColorAt(0, a);
  g.setColorAt(1, b);
  return g;
}

QPainterPath starPath(const QPointF& c, double outer, double inner) {
  QPainterPath path;
  for (int i = 0; i < 10; ++i) {
    const double a = -M_PI / 2 + i * M_PI / 5;
    const double r = i % 2 == 0 ? outer : inner;
    const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0)
      path.moveTo(pt);
    else
      path.lineTo(pt);
  }
  path.closeSubpath();
  return path;
}

}  // namespace skins
