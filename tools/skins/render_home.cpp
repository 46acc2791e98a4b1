#include "render_home.h"

#include <cmath>

#include <QRadialGradient>

namespace skins {
namespace {

// The page's own colour near its top, where the header and the left menu lie.
const QColor kPage = kMint;
const QColor kPortfolio(kPortfolioList.r, kPortfolioList.g, kPortfolioList.b);
const QColor kCaption = kTeal.darker(135);

// ---- sub-menu icons, designed on a 24x24 grid ----------------------------------------------------

enum class SubIcon { Portfolio, Stats, Money, Life, Milestone };

void drawSubIcon(QPainter& p, SubIcon icon, const QRectF& box, const QColor& colour) {
  p.save();
  p.translate(box.topLeft());
  const double s = box.width() / 24.0;
  p.scale(s, s);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  switch (icon) {
    case SubIcon::Portfolio: {  // a briefcase
      QPainterPath bag;
      bag.setFillRule(Qt::OddEvenFill);
      bag.addRoundedRect(QRectF(1.5, 7, 21, 14.5), 2.5, 2.5);
      bag.addRect(QRectF(1.5, 12.5, 21, 1.6));  // the seam
      p.drawPath(bag);
      p.drawRoundedRect(QRectF(10, 11.3, 4, 4), 0.8, 0.8);  // the lock
      p.setPen(QPen(colour, 2.2));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(QRectF(8, 3, 8, 5), 1.5, 1.5);
      break;
    }
    case SubIcon::Stats: {  // a pie chart with one slice drawn out
      p.drawPie(QRectF(1.5, 3.5, 19, 19), 90 * 16, 270 * 16);
      p.drawPie(QRectF(3.5, 1.5, 19, 19), 0, 90 * 16);
      break;
    }
    case SubIcon::Money: {  // a stack of coins and a coin standing in front
      for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(QRectF(1, 18.5 - i * 4.2, 13, 3.6), 1.6, 1.6);
      QPainterPath coin;
      coin.setFillRule(Qt::OddEvenFill);
      coin.addEllipse(QPointF(16.5, 14.5), 7, 7);
      coin.addEllipse(QPointF(16.5, 14.5), 4.8, 4.8);
      coin.addEllipse(QPointF(16.5, 14.5), 3.2, 3.2);
      p.drawPath(coin);
      break;
    }
    case SubIcon::Life: {  // a heart
      QPainterPath heart;
      heart.moveTo(12, 21.5);
      heart.cubicTo(5, 16, 1, 12.5, 1, 8);
      heart.cubicTo(1, 4.5, 3.8, 2.5, 6.6, 2.5);
      heart.cubicTo(9, 2.5, 11, 4, 12, 6);
      heart.cubicTo(13, 4, 15, 2.5, 17.4, 2.5);
      heart.cubicTo(20.2, 2.5, 23, 4.5, 23, 8);
      heart.cubicTo(23, 12.5, 19, 16, 12, 21.5);
      p.drawPath(heart);
      break;
    }
    case SubIcon::Milestone: {  // a trophy
      QPainterPath cup;
      cup.moveTo(6, 2);
      cup.lineTo(18, 2);
      cup.cubicTo(18, 10, 16, 13.5, 12, 14);
      cup.cubicTo(8, 13.5, 6, 10, 6, 2);
      p.drawPath(cup);
      p.drawRect(QRectF(10.8, 13.5, 2.4, 4));
      p.drawRoundedRect(QRectF(6.5, 17.5, 11, 2.4), 0.8, 0.8);
      p.drawRoundedRect(QRectF(5, 20.2, 14, 2.6), 0.8, 0.8);
      p.setPen(QPen(colour, 1.8));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(1.5, 3.5, 7, 7), 90 * 16, 180 * 16);
      p.drawArc(QRectF(15.5, 3.5, 7, 7), 90 * 16, -180 * 16);
      break;
    }
  }
  p.restore();
}

SubMenuIcon homeIcon(SubIcon icon) {
  return [icon](QPainter& p, const QRectF& box, const QColor& colour) { drawSubIcon(p, icon, box, colour); };
}

// A head and shoulders in a teal tile, a gold tie at the collar.
QImage avatar(int w, int h) {
  QImage image = canvas(w, h, kPage);
  QPainter p(&image);
  smooth(p);
  QPainterPath tile;
  tile.addRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 6, 6);
  QRadialGradient back(w * 0.35, h * 0.3, w * 0.9);
  back.setColorAt(0, kTealLight);
  back.setColorAt(1, kNavy);
  p.fillPath(tile, back);
  p.save();
  p.setClipPath(tile);
  const double u = w / 32.0;
  QPainterPath shoulders;
  shoulders.addEllipse(QPointF(16 * u, 33 * u), 12.5 * u, 10.5 * u);
  p.fillPath(shoulders, vertical(22 * u, 32 * u, kCream, kSage));
  QPainterPath tie;
  tie.moveTo(16 * u, 23.5 * u);
  tie.lineTo(17.6 * u, 26 * u);
  tie.lineTo(16.8 * u, 32 * u);
  tie.lineTo(15.2 * u, 32 * u);
  tie.lineTo(14.4 * u, 26 * u);
  tie.closeSubpath();
  p.fillPath(tie, kGold);
  p.restore();
  QRadialGradient face(14 * u, 9.5 * u, 7 * u);
  face.setColorAt(0, QColor(255, 250, 236));
  face.setColorAt(1, kCream.darker(112));
  p.setPen(Qt::NoPen);
  p.setBrush(face);
  p.drawEllipse(QPointF(16 * u, 12.5 * u), 6.2 * u, 6.6 * u);
  p.setPen(QPen(kGold, 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(tile);
  return image;
}

void shadedStar(QPainter& p, const QPointF& c, double outer, double inner) {
  QRadialGradient g(c - QPointF(outer * 0.2, outer * 0.35), outer * 1.2);
  g.setColorAt(0, QColor(255, 232, 150));
  g.setColorAt(0.6, kGold);
  g.setColorAt(1, kGoldDark);
  p.setPen(QPen(kGoldDark.darker(120), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(g);
  p.drawPath(starPath(c, outer, inner));
}

QImage goldStar(int w, int h, const QColor& ground) {
  QImage image = canvas(w, h, ground);
  QPainter p(&image);
  smooth(p);
  shadedStar(p, QPointF(w / 2.0, h / 2.0 + w * 0.05), w * 0.47, w * 0.2);
  return image;
}

// ---- state pictures of the holdings list ---------------------------------------------------------

const QColor kUp(38, 150, 58);
const QColor kDown(208, 48, 40);

// A state picture on the list's colour, drawn on a 20x20 grid.
class StatePicture : public GridPicture {
 public:
  StatePicture(int w, int h) : GridPicture(w, h, kPortfolio, 20, 20) {}
};

QImage halted(int w, int h) {
  StatePicture picture(w, h);
  QPainter& p = picture.painter();
  QPolygonF octagon;
  for (int i = 0; i < 8; ++i) {
    const double a = M_PI / 8 + i * M_PI / 4;
    octagon << QPointF(10 + 9.2 * std::cos(a), 10 + 9.2 * std::sin(a));
  }
  p.setPen(QPen(QColor(120, 20, 16), 1));
  p.setBrush(vertical(1, 19, QColor(236, 70, 56), QColor(172, 26, 20)));
  p.drawPolygon(octagon);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(4.5, 8.5, 11, 3), 0.8, 0.8);
  return picture.finish();
}

QImage badge(int w, int h, const QString& text, const QColor& top, const QColor& bottom) {
  StatePicture picture(w, h);
  QPainter& p = picture.painter();
  p.setPen(QPen(bottom.darker(140), 1));
  p.setBrush(vertical(3, 17, top, bottom));
  p.drawRoundedRect(QRectF(0.5, 3.5, 19, 13), 3.5, 3.5);
  p.setFont(font(11));
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 3, 20, 14), Qt::AlignCenter, text);
  return picture.finish();
}

// An arrow of one or two heads, pointing up (direction -1) or down (1).
QImage trendArrow(int w, int h, int direction, bool twice, const QColor& colour) {
  StatePicture picture(w, h);
  QPainter& p = picture.painter();
  if (direction > 0) {
    p.translate(0, 20);
    p.scale(1, -1);
  }
  p.setPen(QPen(colour.darker(150), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(vertical(0, 20, colour.lighter(135), colour));
  if (twice) {
    for (double top : {1.0, 8.5}) {
      p.drawPolygon(QPolygonF(
          {{1, top + 8.5}, {10, top}, {19, top + 8.5}, {19, top + 12}, {10, top + 4.5}, {1, top + 12}}));
    }
  } else {
    p.drawPolygon(
        QPolygonF({{10, 2}, {18, 10.5}, {13.2, 10.5}, {13.2, 18}, {6.8, 18}, {6.8, 10.5}, {2, 10.5}}));
  }
  return picture.finish();
}

QImage level(int w, int h) {
  StatePicture picture(w, h);
  QPainter& p = picture.painter();
  p.setPen(QPen(QColor(128, 120, 92), 1));
  p.setBrush(vertical(7, 13, QColor(250, 222, 90), QColor(214, 170, 30)));
  p.drawRoundedRect(QRectF(2.5, 7, 15, 6), 2.5, 2.5);
  return picture.finish();
}

QImage wishStar(int w, int h) {
  StatePicture picture(w, h);
  QPainter& p = picture.painter();
  shadedStar(p, QPointF(10, 10.8), 9.5, 4);
  return picture.finish();
}

}  // namespace

QImage subMenuPicture(int w, int h, const QString& caption, const SubMenuIcon& icon, bool highlight) {
  QImage image = canvas(w, h, kPage);
  QPainter p(&image);
  smooth(p);
  QPainterPath card;
  card.addRoundedRect(QRectF(2.5, 3.5, w - 5, h - 7), 7, 7);
  QColor text = kCaption;
  QColor mark = kTeal;
  if (highlight) {
    p.fillPath(card.translated(0, 1), QColor(170, 196, 182));
    p.fillPath(card, vertical(3, h - 3, kTealLight, kTeal.darker(120)));
    p.setPen(QPen(kGold, 1.5));
    p.drawPath(card);
    // A pointer towards the sub-page on the right.
    p.setPen(Qt::NoPen);
    p.setBrush(kGoldLight);
    p.drawPolygon(QPolygonF({{w - 16.0, h / 2.0 - 5}, {w - 10.0, h / 2.0}, {w - 16.0, h / 2.0 + 5}}));
    text = kGoldLight;
    mark = kGoldLight;
  } else {
    p.fillPath(card.translated(0, 1), QColor(186, 208, 196));
    p.fillPath(card, vertical(3, h - 3, QColor(246, 250, 245), QColor(214, 230, 219)));
    p.setPen(QPen(kSage, 1));
    p.drawPath(card);
    p.setPen(QPen(kGold, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, h - 7.5), QPointF(w - 8, h - 7.5));
  }
  icon(p, QRectF(13, h / 2.0 - 11, 22, 22), mark);
  p.setFont(font(17));
  p.setPen(text);
  p.drawText(QRectF(45, 0, w - 62, h - 1), Qt::AlignVCenter | Qt::AlignLeft, caption);
  return image;
}

void addSubMenuEntry(Painters& painters, const QString& form, const QString& entry, int number,
                     const QString& caption, const SubMenuIcon& icon) {
  painters[form + "_submnu" + entry] = [=](int w, int h) {
    return subMenuPicture(w, h, caption, icon, false);
  };
  painters[QString("%1_hil%2").arg(form).arg(number)] = [=](int w, int h) {
    return subMenuPicture(w, h, caption, icon, true);
  };
}

void addHomePictures(Painters& m) {
  struct Entry {
    const char* name;
    const char* caption;
    SubIcon icon;
  };
  const Entry entries[] = {{"Port", "Port folio", SubIcon::Portfolio},
                           {"Stats", "Stats", SubIcon::Stats},
                           {"Money", "Money", SubIcon::Money},
                           {"Life", "Life", SubIcon::Life},
                           {"Milestone", "Milestone", SubIcon::Milestone}};
  int number = 1;
  for (const Entry& e : entries)
    addSubMenuEntry(m, "frmCwHome", e.name, number++, e.caption, homeIcon(e.icon));
  m["frmCwHome_imgAvatar"] = avatar;
  m["frmCwHome_star"] = [](int w, int h) { return goldStar(w, h, kPage); };

  m["imlStates_3"] = halted;
  m["imlStates_4"] = [](int w, int h) {
    return badge(w, h, "SP", QColor(170, 172, 170), QColor(112, 116, 114));
  };
  m["imlStates_5"] = [](int w, int h) {
    return badge(w, h, "XD", QColor(70, 136, 220), QColor(26, 74, 156));
  };
  m["imlStates_6"] = [](int w, int h) { return trendArrow(w, h, -1, true, kUp); };
  m["imlStates_7"] = [](int w, int h) { return trendArrow(w, h, -1, false, kUp); };
  m["imlStates_8"] = level;
  m["imlStates_9"] = [](int w, int h) { return trendArrow(w, h, 1, false, kDown); };
  m["imlStates_10"] = [](int w, int h) { return trendArrow(w, h, 1, true, kDown); };
  m["imlStates_11"] = wishStar;
}

}  // namespace skins
