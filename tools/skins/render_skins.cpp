// Draws every window picture of skins::kSkins and writes it as a JPEG file:
//   qorvex_skins <output folder>
// Runs at build time on Qt's offscreen platform; fonts come from fontconfig (Carlito, DejaVu Sans).

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <QDir>
#include <QGuiApplication>
#include <QRadialGradient>
#include <QSaveFile>

#include <jpeglib.h>

#include "SkinPaint.h"
#include "render_feedback.h"
#include "render_home.h"
#include "render_market.h"
#include "render_products.h"
#include "render_shop.h"
#include "render_transfer.h"

namespace skins {
namespace {

// ---- icons, drawn into a square box --------------------------------------------------------------

enum class Icon { Home, Market, Shop, Setting, Save, Feedback };

void drawIcon(QPainter& p, Icon icon, const QRectF& box, const QColor& colour) {
  p.save();
  p.translate(box.topLeft());
  const double s = box.width() / 24.0;  // icons are designed on a 24x24 grid
  p.scale(s, s);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  switch (icon) {
    case Icon::Home: {
      QPainterPath roof;
      roof.moveTo(12, 2);
      roof.lineTo(23, 12);
      roof.lineTo(20, 12);
      roof.lineTo(12, 5);
      roof.lineTo(4, 12);
      roof.lineTo(1, 12);
      roof.closeSubpath();
      p.drawPath(roof);
      QPainterPath body;
      body.setFillRule(Qt::OddEvenFill);
      body.moveTo(12, 6.5);
      body.lineTo(19, 13);
      body.lineTo(19, 22);
      body.lineTo(5, 22);
      body.lineTo(5, 13);
      body.closeSubpath();
      body.addRect(10, 15, 4, 7);
      p.drawPath(body);
      break;
    }
    case Icon::Market: {
      p.drawRoundedRect(QRectF(2, 14, 4.5, 8), 1, 1);
      p.drawRoundedRect(QRectF(9.5, 10, 4.5, 12), 1, 1);
      p.drawRoundedRect(QRectF(17, 5, 4.5, 17), 1, 1);
      p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF({{2, 10}, {8, 6}, {12, 7.5}, {20, 1.5}}));
      p.setPen(Qt::NoPen);
      p.setBrush(colour);
      p.drawPolygon(QPolygonF({{22.5, 0}, {22, 5}, {17.5, 1.5}}));
      break;
    }
    case Icon::Shop: {
      p.drawRoundedRect(QRectF(3, 8, 18, 15), 2.5, 2.5);
      p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(7.5, 2, 9, 11), 0, 180 * 16);
      p.drawLine(QPointF(7.5, 7.5), QPointF(7.5, 10));
      p.drawLine(QPointF(16.5, 7.5), QPointF(16.5, 10));
      break;
    }
    case Icon::Setting: {
      QPainterPath gear;
      gear.setFillRule(Qt::OddEvenFill);
      QPolygonF outline;
      constexpr int kTeeth = 8;
      for (int i = 0; i < kTeeth * 4; ++i) {
        const double a = (i - 0.5) * M_PI * 2 / (kTeeth * 4);
        const double r = (i % 4 == 0 || i % 4 == 1) ? 11.5 : 8.8;
        outline << QPointF(12 + r * std::cos(a), 12 + r * std::sin(a));
      }
      gear.addPolygon(outline);
      gear.closeSubpath();
      gear.addEllipse(QPointF(12, 12), 4.4, 4.4);
      p.drawPath(gear);
      break;
    }
    case Icon::Save: {
      QPainterPath disk;
      disk.setFillRule(Qt::OddEvenFill);
      disk.moveTo(3, 3);
      disk.lineTo(18, 3);
      disk.lineTo(21, 6);
      disk.lineTo(21, 21);
      disk.lineTo(3, 21);
      disk.closeSubpath();
      disk.addRect(8, 3, 8, 5.5);     // shutter
      disk.addRect(7.5, 13.5, 9, 5);  // label
      p.drawPath(disk);
      p.drawRect(QRectF(12.5, 3, 2, 4.5));
      break;
    }
    case Icon::Feedback: {
      QPainterPath bubble;
      bubble.addRoundedRect(QRectF(1.5, 3, 21, 14), 4, 4);
      QPainterPath tail;
      tail.moveTo(6, 15);
      tail.lineTo(5, 22);
      tail.lineTo(12, 16);
      tail.closeSubpath();
      bubble = bubble.united(tail);
      p.drawPath(bubble);
      break;
    }
  }
  p.restore();
}

// The game's emblem: a gold-ringed teal disc with a rising candle chart.
void drawEmblem(QPainter& p, const QPointF& c, double r) {
  p.save();
  QRadialGradient disc(c - QPointF(r * 0.3, r * 0.35), r * 1.3);
  disc.setColorAt(0, kTealLight);
  disc.setColorAt(0.6, kTeal);
  disc.setColorAt(1, kNavyDeep);
  p.setPen(QPen(kNavyDeep, 2));
  p.setBrush(disc);
  p.drawEllipse(c, r, r);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kGold, r * 0.06));
  p.drawEllipse(c, r * 0.92, r * 0.92);
  p.setPen(QPen(kGoldDark, r * 0.015));
  p.drawEllipse(c, r * 0.84, r * 0.84);

  // Candles rising to the right, and the trend line over them.
  const double u = r / 10;
  const double base = c.y() + 4.2 * u;
  const double heights[] = {2.2, 3.4, 2.8, 4.6, 5.8};
  for (int i = 0; i < 5; ++i) {
    const double x = c.x() + (i - 2) * 1.8 * u;
    const double top = base - heights[i] * u;
    p.setPen(QPen(kCream, u * 0.22));
    p.drawLine(QPointF(x, top - 0.8 * u), QPointF(x, base + 0.5 * u));
    p.setPen(Qt::NoPen);
    p.setBrush(i % 3 == 2 ? kSage : kCream);
    p.drawRoundedRect(QRectF(x - 0.55 * u, top, 1.1 * u, heights[i] * u * 0.7 + 0.6 * u), 0.2 * u, 0.2 * u);
  }
  p.setPen(QPen(kGoldLight, u * 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({{c.x() - 5.2 * u, c.y() + 1.5 * u},
                            {c.x() - 2.4 * u, c.y() - 0.6 * u},
                            {c.x() + 0.2 * u, c.y() + 0.2 * u},
                            {c.x() + 4.3 * u, c.y() - 4.3 * u}}));
  p.setPen(Qt::NoPen);
  p.setBrush(kGoldLight);
  p.drawPolygon(QPolygonF({{c.x() + 5.6 * u, c.y() - 5.6 * u},
                           {c.x() + 5.3 * u, c.y() - 2.6 * u},
                           {c.x() + 2.6 * u, c.y() - 5.3 * u}}));
  p.restore();
}

// ---- main window ---------------------------------------------------------------------------------

QImage mainBackground(int w, int h) {
  QImage image = canvas(w, h, kMint);
  QPainter p(&image);
  smooth(p);
  p.fillRect(image.rect(), vertical(0, h, QColor(230, 240, 233), QColor(200, 221, 209)));
  // A faint grid and a faint market line: texture that stays behind the pages' dark texts.
  p.setPen(QPen(QColor(214, 229, 219), 1));
  for (int x = 0; x < w; x += 48)
    p.drawLine(x, 0, x, h);
  for (int y = 0; y < h; y += 48)
    p.drawLine(0, y, w, y);
  QPainterPath line;
  line.moveTo(0, h * 0.82);
  const double pts[][2] = {{0.1, 0.78}, {0.2, 0.8},  {0.3, 0.7},  {0.4, 0.73}, {0.5, 0.62},
                           {0.6, 0.66}, {0.7, 0.52}, {0.8, 0.56}, {0.9, 0.42}, {1.0, 0.36}};
  for (const auto& pt : pts)
    line.lineTo(pt[0] * w, pt[1] * h);
  QPainterPath area = line;
  area.lineTo(w, h);
  area.lineTo(0, h);
  area.closeSubpath();
  QLinearGradient fade(0, h * 0.35, 0, h);
  fade.setColorAt(0, QColor(186, 212, 197, 110));
  fade.setColorAt(1, QColor(186, 212, 197, 0));
  p.fillPath(area, fade);
  p.setPen(QPen(QColor(196, 178, 130, 120), 3));
  p.drawPath(line);
  return image;
}

// The menu bar's look; the entries repeat it so they sit seamlessly on the bar.
void paintBar(QPainter& p, int w, int h) {
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(30, 96, 104));
  g.setColorAt(0.5, QColor(18, 66, 78));
  g.setColorAt(1, QColor(11, 40, 50));
  p.fillRect(0, 0, w, h, g);
  p.fillRect(0, 0, w, 1, QColor(60, 140, 142));
  p.fillRect(0, h - 3, w, 1, kGoldDark);
  p.fillRect(0, h - 2, w, 2, kGold);
}

QImage menuBar(int w, int h, int side) {  // side: -1 left cap, 0 middle, 1 right cap
  QImage image = canvas(w, h, kNavy);
  QPainter p(&image);
  smooth(p);
  paintBar(p, w, h);
  if (side != 0) {
    const QPointF c(w * 0.5, h * 0.47);
    p.setPen(QPen(kGoldDark, 1));
    p.setBrush(kGold);
    p.drawPath(starPath(c, 8, 3.4));
    p.setPen(QPen(QColor(11, 40, 50), 1));
    const int edge = side < 0 ? w - 1 : 0;
    p.drawLine(edge, 4, edge, h - 5);
  }
  return image;
}

enum class EntryState { Idle, Hover, Current };

QImage menuEntry(int w, int h, const QString& caption, Icon icon, EntryState state) {
  QImage image = canvas(w, h, kNavy);
  QPainter p(&image);
  smooth(p);
  paintBar(p, w, h);
  QColor text = kCream;
  QColor mark = QColor(196, 170, 110);
  if (state == EntryState::Hover) {
    QPainterPath glow;
    glow.addRoundedRect(QRectF(3, 4, w - 6, h - 9), 6, 6);
    p.fillPath(glow, vertical(4, h - 5, QColor(52, 146, 146), QColor(26, 92, 100)));
    p.setPen(QPen(QColor(90, 170, 166), 1));
    p.drawPath(glow);
    text = kGoldLight;
    mark = kGoldLight;
  } else if (state == EntryState::Current) {
    // A tab in the pages' colour, open towards the page below the bar.
    QPainterPath tab;
    tab.moveTo(2, h);
    tab.lineTo(2, 10);
    tab.quadTo(2, 4, 8, 4);
    tab.lineTo(w - 8, 4);
    tab.quadTo(w - 2, 4, w - 2, 10);
    tab.lineTo(w - 2, h);
    tab.closeSubpath();
    p.fillPath(tab, vertical(4, h, QColor(238, 244, 236), QColor(226, 238, 229)));
    p.setPen(QPen(kGold, 2));
    p.drawLine(QPointF(9, 5), QPointF(w - 9, 5));
    text = kTeal.darker(130);
    mark = kGoldDark;
  }
  const QRectF iconBox(15, (h - 20) / 2.0 - 1, 20, 20);
  drawIcon(p, icon, iconBox, mark);
  p.setFont(font(17));
  p.setPen(text);
  p.drawText(QRectF(42, 0, w - 46, h - 2), Qt::AlignVCenter | Qt::AlignLeft, caption);
  return image;
}

QImage topButton(int w, int h, const QString& caption, Icon icon, bool hover) {
  QImage image = canvas(w, h, kNavy);
  QPainter p(&image);
  smooth(p);
  QPainterPath pill;
  pill.addRoundedRect(QRectF(1, 1, w - 2, h - 2), (h - 2) / 2.0, (h - 2) / 2.0);
  QColor text = kCream;
  QColor mark = kGold;
  if (hover) {
    p.fillPath(pill, vertical(1, h - 1, kGoldLight, kGold));
    p.setPen(QPen(kGoldDark, 1));
    text = kNavyDeep;
    mark = kNavyDeep;
  } else {
    p.fillPath(pill, vertical(1, h - 1, QColor(26, 80, 90), QColor(16, 56, 68)));
    p.setPen(QPen(QColor(70, 140, 140), 1));
  }
  p.drawPath(pill);
  drawIcon(p, icon, QRectF(12, (h - 16) / 2.0, 16, 16), mark);
  if (icon == Icon::Feedback) {
    p.setPen(Qt::NoPen);
    p.setBrush(hover ? kGold : QColor(20, 66, 78));
    for (int i = 0; i < 3; ++i)
      p.drawEllipse(QPointF(15.5 + i * 4.5, h / 2.0 - 1.8), 1.2, 1.2);
  }
  p.setFont(font(16));
  p.setPen(text);
  p.drawText(QRectF(34, 0, w - 44, h - 1), Qt::AlignVCenter | Qt::AlignLeft, caption);
  return image;
}

// A gauge with its needle at the speed's place, the speed's name under it.
QImage speedPicture(int w, int h, int level, const QString& caption) {
  QImage image = canvas(w, h, kNavy);
  QPainter p(&image);
  smooth(p);
  const QPointF c(w / 2.0, h * 0.56);
  const double r = w * 0.40;
  const QRectF arc(c.x() - r, c.y() - r, 2 * r, 2 * r);
  const QColor zones[] = {kTealLight, kSage, kGold};
  for (int i = 0; i < 3; ++i) {
    p.setPen(QPen(i <= level ? zones[i] : QColor(40, 80, 90), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(arc, int((180 - i * 60 - 3) * 16), -54 * 16);
  }
  const double angle = M_PI * (1 - (level * 2 + 1) / 6.0);
  const QPointF tip(c.x() + r * 0.8 * std::cos(angle), c.y() - r * 0.8 * std::sin(angle));
  p.setPen(QPen(kGoldLight, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, tip);
  p.setPen(Qt::NoPen);
  p.setBrush(kGoldLight);
  p.drawEllipse(c, 3, 3);
  p.setFont(font(10));
  p.setPen(kCream);
  p.drawText(QRectF(0, h - 14, w, 13), Qt::AlignCenter, caption);
  return image;
}

QImage processingPicture(int w, int h) {
  QImage image = canvas(w, h, kNavy);
  QPainter p(&image);
  smooth(p);
  const double cx = w / 2.0;
  p.setPen(QPen(kGold, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(cx - 10, 6), QPointF(cx + 10, 6));
  p.drawLine(QPointF(cx - 10, h - 6), QPointF(cx + 10, h - 6));
  QPainterPath glass;
  glass.moveTo(cx - 8, 8);
  glass.lineTo(cx + 8, 8);
  glass.cubicTo(cx + 8, 15, cx + 2, 17, cx + 2, h / 2.0);
  glass.cubicTo(cx + 2, h / 2.0 + 3, cx + 8, h - 15, cx + 8, h - 8);
  glass.lineTo(cx - 8, h - 8);
  glass.cubicTo(cx - 8, h - 15, cx - 2, h / 2.0 + 3, cx - 2, h / 2.0);
  glass.cubicTo(cx - 2, 17, cx - 8, 15, cx - 8, 8);
  p.setPen(QPen(kCream, 1.6));
  p.setBrush(QColor(24, 74, 86));
  p.drawPath(glass);
  p.setPen(Qt::NoPen);
  p.setBrush(kGoldLight);
  QPainterPath sandTop;
  sandTop.moveTo(cx - 5.5, 12.5);
  sandTop.lineTo(cx + 5.5, 12.5);
  sandTop.lineTo(cx, h / 2.0 - 1);
  sandTop.closeSubpath();
  p.drawPath(sandTop);
  QPainterPath sandBottom;
  sandBottom.moveTo(cx - 7, h - 9);
  sandBottom.lineTo(cx + 7, h - 9);
  sandBottom.lineTo(cx, h - 16);
  sandBottom.closeSubpath();
  p.drawPath(sandBottom);
  p.setPen(QPen(kGoldLight, 1));
  p.drawLine(QPointF(cx, h / 2.0), QPointF(cx, h - 14));
  return image;
}

QImage refreshingPicture(int w, int h) {
  QImage image = canvas(w, h, kNavy);
  QPainter p(&image);
  smooth(p);
  const QPointF c(w / 2.0, h / 2.0);
  const double r = w * 0.3;
  const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
  const QColor colours[] = {kGold, kTealLight};
  for (int i = 0; i < 2; ++i) {
    const double start = 20 + i * 180;  // degrees, counter-clockwise from 3 o'clock
    p.setPen(QPen(colours[i], 3.2, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(box, int(start * 16), 130 * 16);
    const double end = (start + 130) * M_PI / 180;
    const QPointF at(c.x() + r * std::cos(end), c.y() - r * std::sin(end));
    const QPointF along(-std::sin(end), -std::cos(end));  // direction of travel on screen
    const QPointF out(std::cos(end), -std::sin(end));
    p.setPen(Qt::NoPen);
    p.setBrush(colours[i]);
    p.drawPolygon(QPolygonF({at + along * 6, at + out * 5, at - out * 5}));
  }
  return image;
}

QImage aboutPicture(int w, int h) {
  QImage image = canvas(w, h, kNavy);
  QPainter p(&image);
  smooth(p);
  QLinearGradient g(0, 0, w, h);
  g.setColorAt(0, QColor(24, 84, 94));
  g.setColorAt(1, kNavyDeep);
  p.fillRect(image.rect(), g);
  p.setPen(QPen(QColor(30, 90, 100), 1));
  for (int x = 0; x < w; x += 24)
    p.drawLine(x, 0, x, h);
  for (int y = 0; y < h; y += 24)
    p.drawLine(0, y, w, y);
  p.setPen(QPen(kGold, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(6, 6, w - 12, h - 12));
  p.setPen(QPen(kGoldDark, 1));
  p.drawRect(QRectF(10.5, 10.5, w - 21, h - 21));
  drawEmblem(p, QPointF(112, h / 2.0 - 10), 72);
  p.setPen(kGoldLight);
  p.setFont(font(50));
  p.drawText(QRectF(206, 70, w - 220, 60), Qt::AlignLeft | Qt::AlignVCenter, "Qorvex");
  p.setPen(kCream);
  p.setFont(font(20, false));
  p.drawText(QRectF(208, 128, w - 220, 28), Qt::AlignLeft | Qt::AlignVCenter, "Version 6.7");
  p.setFont(font(16, false));
  p.drawText(QRectF(208, 158, w - 220, 48), Qt::AlignLeft | Qt::TextWordWrap,
             "A stock-market trading game:\nsix exchanges, one clock, your fortune.");
  p.setPen(QColor(150, 190, 186));
  p.setFont(font(13, false));
  p.drawText(QRectF(0, h - 40, w, 20), Qt::AlignCenter, "Click or press any key to close");
  return image;
}

// ---- popup ---------------------------------------------------------------------------------------

QImage popupBackground(int w, int h) {
  QImage image = canvas(w, h, kMint);
  QPainter p(&image);
  smooth(p);
  p.fillRect(image.rect(), vertical(0, h, QColor(238, 244, 236), QColor(214, 230, 219)));
  // Footer band with the closing hint; the message above it ends at 213.
  p.fillRect(QRect(0, h - 40, w, 40), vertical(h - 40, h, kTeal, kNavy));
  p.fillRect(QRect(0, h - 41, w, 1), kGold);
  p.setPen(kCream);
  p.setFont(font(13, false));
  p.drawText(QRectF(0, h - 40, w - 16, 40), Qt::AlignVCenter | Qt::AlignRight, "Click to close");
  // Divider between the title with its stars and the message.
  QLinearGradient rule(58, 0, w - 14, 0);
  rule.setColorAt(0, kGold);
  rule.setColorAt(1, QColor(214, 230, 219));
  p.fillRect(QRectF(58, 70, w - 72, 2), rule);
  // Frame.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kNavy, 3));
  p.drawRect(QRectF(1.5, 1.5, w - 3, h - 3));
  p.setPen(QPen(kGold, 1));
  p.drawRect(QRectF(4.5, 4.5, w - 9, h - 9));
  return image;
}

QImage cut(const QImage& from, const QRect& r) {
  return from.copy(r).convertToFormat(QImage::Format_RGB32);
}

QImage popupIcon(const QImage& background, QPoint at, int w, int h) {
  QImage image = cut(background, QRect(at, QSize(w, h)));
  QPainter p(&image);
  smooth(p);
  const QPointF c(w / 2.0, h / 2.0);
  drawEmblem(p, c, w / 2.0 - 1.5);
  return image;
}

QImage popupStar(const QImage& background, QPoint at, int w, int h) {
  QImage image = cut(background, QRect(at, QSize(w, h)));
  QPainter p(&image);
  smooth(p);
  const QPointF c(w / 2.0, h / 2.0 + 1.5);
  const QPainterPath star = starPath(c, w * 0.47, w * 0.2);
  QRadialGradient g(c - QPointF(3, 5), w * 0.6);
  g.setColorAt(0, QColor(255, 232, 150));
  g.setColorAt(0.6, kGold);
  g.setColorAt(1, kGoldDark);
  p.setPen(QPen(kGoldDark.darker(120), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(g);
  p.drawPath(star);
  return image;
}

// ---- start and name dialogs ----------------------------------------------------------------------

// The emblem's disc of the dialogs ends left of the list and the edit box (x 303 and 387).
const QPointF kDiscCentre(146, 201);
constexpr double kDiscRadius = 140;

// The dialogs' outline: a rounded body with the emblem's disc standing out at its left.
QPainterPath dialogShape() {
  QPainterPath body;
  body.addRoundedRect(QRectF(190, 4, 581, 395), 26, 26);
  QPainterPath disc;
  disc.addEllipse(kDiscCentre, kDiscRadius, kDiscRadius);
  return body.united(disc).simplified();
}

QImage dialogBackground(int w, int h, const QString& title, const QString& subtitle, const QRectF& well,
                        const QString& wellCaption) {
  QImage image = canvas(w, h, Qt::white);  // white is the dialog's transparent colour
  QPainter p(&image);
  smooth(p);
  const QPainterPath shape = dialogShape();
  p.save();
  p.setClipPath(shape);
  p.fillRect(image.rect(), vertical(0, h, kMint, kMintDeep));
  // Faint market line at the foot of the body.
  QPainterPath line;
  line.moveTo(300, 372);
  const double pts[][2] = {{360, 360}, {410, 366}, {470, 344}, {530, 352},
                           {590, 326}, {650, 334}, {771, 300}};
  for (const auto& pt : pts)
    line.lineTo(pt[0], pt[1]);
  QPainterPath area = line;
  area.lineTo(771, 403);
  area.lineTo(300, 403);
  area.closeSubpath();
  p.fillPath(area, QColor(190, 214, 200));
  p.setPen(QPen(QColor(196, 176, 120), 2));
  p.drawPath(line);
  // Header band with the title; the dialog's own X button sits at its right end.
  p.fillRect(QRectF(0, 0, w, 64), vertical(0, 64, kTeal, kNavy));
  p.fillRect(QRectF(0, 64, w, 2), kGold);
  p.restore();

  p.setFont(font(26));
  p.setPen(kGoldLight);
  p.drawText(QRectF(303, 6, 360, 34), Qt::AlignLeft | Qt::AlignVCenter, title);
  p.setFont(font(14, false));
  p.setPen(kCream);
  p.drawText(QRectF(304, 36, 360, 22), Qt::AlignLeft | Qt::AlignVCenter, subtitle);

  // The well that frames the list or the edit box placed over it.
  drawWell(p, well.adjusted(-7, -7, 7, 7), 8, wellCaption);

  // The emblem's disc, then one dark outline around the whole shape: the white outside meets it
  // with a hard edge that survives JPEG's blur.
  const QPointF c = kDiscCentre;
  const double r = kDiscRadius;
  QRadialGradient disc(c - QPointF(40, 50), r * 1.4);
  disc.setColorAt(0, kTealLight);
  disc.setColorAt(0.55, kTeal);
  disc.setColorAt(1, kNavyDeep);
  p.setPen(Qt::NoPen);
  p.setBrush(disc);
  p.drawEllipse(c, r - 1, r - 1);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kGold, 4));
  p.drawEllipse(c, r - 10, r - 10);
  p.setPen(QPen(kGoldDark, 1.2));
  p.drawEllipse(c, r - 16, r - 16);
  drawEmblem(p, c - QPointF(0, 30), 54);
  p.setFont(font(34));
  p.setPen(kGoldLight);
  p.drawText(QRectF(c.x() - 110, c.y() + 30, 220, 40), Qt::AlignCenter, "Qorvex");
  p.setFont(font(14, false));
  p.setPen(kCream);
  p.drawText(QRectF(c.x() - 110, c.y() + 68, 220, 20), Qt::AlignCenter, "virtual stock market");

  p.setPen(QPen(kNavyDeep, 3));
  p.setBrush(Qt::NoBrush);
  p.drawPath(shape);
  return image;
}

QImage dialogButton(const QImage& background, QPoint at, int w, int h, const QString& caption, bool hover) {
  QImage image = cut(background, QRect(at, QSize(w, h)));
  QPainter p(&image);
  smooth(p);
  QPainterPath button;
  button.addRoundedRect(QRectF(1.5, 1.5, w - 3, h - 3), 9, 9);
  if (hover) {
    p.fillPath(button, vertical(1, h - 1, kGoldLight, kGold));
    p.setPen(QPen(kGoldDark, 1.5));
  } else {
    p.fillPath(button, vertical(1, h - 1, kTealLight, kTeal.darker(115)));
    p.setPen(QPen(kNavyDeep, 1.5));
  }
  p.drawPath(button);
  p.setFont(font(19));
  p.setPen(hover ? kNavyDeep : kCream);
  p.drawText(QRectF(0, 0, w, h - 1), Qt::AlignCenter, caption);
  return image;
}

// ---- writing -------------------------------------------------------------------------------------

struct EncodeError {
  jpeg_error_mgr base;
  std::jmp_buf resume;
};

[[noreturn]] void failEncode(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<EncodeError*>(cinfo->err);
  char message[JMSG_LENGTH_MAX];
  err->base.format_message(cinfo, message);
  std::fprintf(stderr, "qorvex_skins: %s\n", message);
  std::longjmp(err->resume, 1);
}

// Plain C data only in this frame (see failEncode's jump). Full-resolution colour keeps captions sharp.
bool encodeRows(const QImage& rgb, unsigned char** out, unsigned long* size) {
  jpeg_compress_struct cinfo;
  EncodeError err;
  cinfo.err = jpeg_std_error(&err.base);
  err.base.error_exit = failEncode;
  if (setjmp(err.resume)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, out, size);
  cinfo.image_width = JDIMENSION(rgb.width());
  cinfo.image_height = JDIMENSION(rgb.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 94, TRUE);
  for (int i = 0; i < cinfo.num_components; ++i)
    cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row[1] = {const_cast<JSAMPLE*>(rgb.constScanLine(int(cinfo.next_scanline)))};
    jpeg_write_scanlines(&cinfo, row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

bool writeJpeg(const QImage& image, const QString& path) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool encoded = encodeRows(rgb, &buffer, &size);
  bool written = false;
  if (encoded) {
    QSaveFile file(path);
    written = file.open(QIODevice::WriteOnly) &&
              file.write(reinterpret_cast<const char*>(buffer), qint64(size)) == qint64(size) &&
              file.commit();
    if (!written) std::fprintf(stderr, "qorvex_skins: cannot write %s\n", qPrintable(path));
  }
  std::free(buffer);
  return written;
}

Painters painters() {
  Painters m;
  m["frmMain_imgBK"] = mainBackground;
  m["frmMain_btnSave"] = [](int w, int h) { return topButton(w, h, "Save", Icon::Save, false); };
  m["frmMain_btnSaveX"] = [](int w, int h) { return topButton(w, h, "Save", Icon::Save, true); };
  m["frmMain_btnFeedback"] = [](int w, int h) { return topButton(w, h, "Feedback", Icon::Feedback, false); };
  m["frmMain_btnFeedbackX"] = [](int w, int h) { return topButton(w, h, "Feedback", Icon::Feedback, true); };
  m["frmMain_mnuMain1"] = [](int w, int h) { return menuBar(w, h, -1); };
  m["frmMain_mnuMain2"] = [](int w, int h) { return menuBar(w, h, 0); };
  m["frmMain_mnuMain3"] = [](int w, int h) { return menuBar(w, h, 1); };
  struct Entry {
    const char* idle;
    const char* control;
    const char* caption;
    Icon icon;
  };
  const Entry entries[] = {{"frmMain_Image1", "frmMain_mnuHome", "Home", Icon::Home},
                           {"frmMain_Image2", "frmMain_mnuMarket", "Market", Icon::Market},
                           {"frmMain_Image3", "frmMain_mnuShop", "Shop", Icon::Shop},
                           {"frmMain_Image6", "frmMain_mnuSetting", "Setting", Icon::Setting}};
  for (const Entry& e : entries) {
    const QString caption = e.caption;
    const Icon icon = e.icon;
    m[e.idle] = [=](int w, int h) { return menuEntry(w, h, caption, icon, EntryState::Idle); };
    m[e.control] = [=](int w, int h) { return menuEntry(w, h, caption, icon, EntryState::Hover); };
    m[QString(e.control) + "X"] = [=](int w, int h) {
      return menuEntry(w, h, caption, icon, EntryState::Current);
    };
  }
  m["frmMain_mnuSpeedSlow"] = [](int w, int h) { return speedPicture(w, h, 0, "SLOW"); };
  m["frmMain_mnuSpeedMedium"] = [](int w, int h) { return speedPicture(w, h, 1, "MEDIUM"); };
  m["frmMain_mnuSpeedFast"] = [](int w, int h) { return speedPicture(w, h, 2, "FAST"); };
  m["frmMain_imgProcessing1"] = processingPicture;
  m["frmMain_imgRefreshing"] = refreshingPicture;
  m["frmAbout_imgBK"] = aboutPicture;

  // Pictures placed over a background are cut from it, so their corners match the spot they cover.
  m["frmMsgPopup_Image1"] = popupBackground;
  constexpr skins::Skin popup = skins::skinNamed("frmMsgPopup_Image1");
  constexpr skins::Skin dialog = skins::skinNamed("frmLoadGame_imgBK");
  static_assert(dialog.width == skins::skinNamed("frmNewGame_imgBK").width &&
                dialog.height == skins::skinNamed("frmNewGame_imgBK").height);
  const auto spot = [](skins::Spot s) { return QPoint(s.x, s.y); };
  const auto box = [](skins::Box b) { return QRectF(b.x, b.y, b.width, b.height); };
  m["frmMsgPopup_Image2"] = [=](int w, int h) {
    return popupIcon(popupBackground(popup.width, popup.height), spot(skins::kPopupIcon), w, h);
  };
  m["frmMsgPopup_star"] = [=](int w, int h) {
    return popupStar(popupBackground(popup.width, popup.height), spot(skins::kPopupFirstStar), w, h);
  };

  const auto loadBackground = [=](int w, int h) {
    return dialogBackground(w, h, "Welcome, trader", "Start a new market or carry on with a saved one.",
                            box(skins::kLoadList), "Saved games");
  };
  const auto nameBackground = [=](int w, int h) {
    return dialogBackground(w, h, "A new market", "Every fortune starts with a name.", box(skins::kNameBox),
                            "Your name");
  };
  m["frmLoadGame_imgBK"] = loadBackground;
  m["frmNewGame_imgBK"] = nameBackground;
  struct Button {
    const char* normal;
    const char* hover;
    std::function<QImage(int, int)> background;
    QPoint at;
    const char* caption;
  };
  const Button buttons[] = {
      {"frmLoadGame_Image1", "frmLoadGame_btnNewX", loadBackground, spot(skins::kLoadNew), "New"},
      {"frmLoadGame_Image2", "frmLoadGame_btnLoadX", loadBackground, spot(skins::kLoadLoad), "Load"},
      {"frmNewGame_Image1", "frmNewGame_btnNextX", nameBackground, spot(skins::kNameNext), "Next"}};
  for (const Button& b : buttons) {
    const auto background = b.background;
    const QPoint at = b.at;
    const QString caption = b.caption;
    m[b.normal] = [=](int w, int h) {
      return dialogButton(background(dialog.width, dialog.height), at, w, h, caption, false);
    };
    m[b.hover] = [=](int w, int h) {
      return dialogButton(background(dialog.width, dialog.height), at, w, h, caption, true);
    };
  }
  addHomePictures(m);
  addFeedbackPictures(m);
  addMarketPictures(m);
  addProductPictures(m);
  addTransferPictures(m);
  addShopPictures(m);
  return m;
}

}  // namespace
}  // namespace skins

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qorvex_skins <output folder>\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath(".")) {
    std::fprintf(stderr, "qorvex_skins: cannot create %s\n", argv[1]);
    return 1;
  }
  const auto all = skins::painters();
  int failures = 0;
  for (const skins::Skin& skin : skins::kSkins) {
    const auto painter = all.find(skin.name);
    if (painter == all.end()) {
      std::fprintf(stderr, "qorvex_skins: no drawing for %s\n", skin.name);
      ++failures;
      continue;
    }
    const QImage image = painter->second(skin.width, skin.height);
    if (image.size() != QSize(skin.width, skin.height)) {
      std::fprintf(stderr, "qorvex_skins: %s drawn at the wrong size\n", skin.name);
      ++failures;
      continue;
    }
    if (!skins::writeJpeg(image, out.filePath(QString(skin.name) + ".jpg"))) ++failures;
  }
  return failures == 0 ? 0 : 1;
}
