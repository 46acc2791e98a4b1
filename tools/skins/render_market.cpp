#include "render_market.h"

#include <cmath>

#include "render_home.h"

namespace skins {
namespace {

// Small pictures are drawn on white; the page masks the white away, so they sit on any list colour.
const QColor kGround = Qt::white;
const QColor kUp(38, 150, 58);
const QColor kDown(208, 48, 40);

// ---- sub-menu icons, on a 24x24 grid -------------------------------------------------------------

enum class MarketIcon { Table, Stats, Queue };

SubMenuIcon marketIcon(MarketIcon icon) {
  return [icon](QPainter& p, const QRectF& box, const QColor& colour) {
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 24.0, box.width() / 24.0);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    switch (icon) {
      case MarketIcon::Table:  // a grid of rows with a header
        p.drawRoundedRect(QRectF(1.5, 2.5, 21, 4.5), 1, 1);
        for (int r = 0; r < 3; ++r) {
          p.drawRect(QRectF(1.5, 9 + r * 4.8, 6, 3.2));
          p.drawRect(QRectF(9, 9 + r * 4.8, 13.5, 3.2));
        }
        break;
      case MarketIcon::Stats:  // rising bars over a base line
        p.drawRect(QRectF(1.5, 20.5, 21, 2));
        p.drawRoundedRect(QRectF(3, 12, 4.5, 8), 1, 1);
        p.drawRoundedRect(QRectF(9.75, 6, 4.5, 14), 1, 1);
        p.drawRoundedRect(QRectF(16.5, 2, 4.5, 18), 1, 1);
        break;
      case MarketIcon::Queue: {  // a clock face beside waiting lines
        p.drawRoundedRect(QRectF(1, 3, 10, 3), 1, 1);
        p.drawRoundedRect(QRectF(1, 10.5, 7, 3), 1, 1);
        p.drawRoundedRect(QRectF(1, 18, 10, 3), 1, 1);
        QPainterPath face;
        face.setFillRule(Qt::OddEvenFill);
        face.addEllipse(QPointF(17, 12), 6.5, 6.5);
        face.addEllipse(QPointF(17, 12), 4.8, 4.8);
        p.drawPath(face);
        p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(17, 12), QPointF(17, 8.6));
        p.drawLine(QPointF(17, 12), QPointF(19.4, 13.4));
        break;
      }
    }
    p.restore();
  };
}

// ---- order buttons -------------------------------------------------------------------------------

// A rounded order button: green for a bid, red-brown for an offer; the hover picture is lit.
QImage orderButton(int w, int h, const QString& caption, bool bid, bool hover) {
  QImage image = canvas(w, h, kMint);
  QPainter p(&image);
  smooth(p);
  const QColor base = bid ? QColor(36, 128, 70) : QColor(168, 62, 44);
  QPainterPath body;
  body.addRoundedRect(QRectF(1.5, 1.5, w - 3, h - 3), 6, 6);
  p.fillPath(body.translated(0, 1), base.darker(160));
  p.fillPath(body, vertical(1, h - 2, hover ? base.lighter(150) : base.lighter(118),
                            hover ? base : base.darker(115)));
  p.setPen(QPen(hover ? kGoldLight : kGold, hover ? 2 : 1.2));
  p.drawPath(body);
  // An arrow: up into the portfolio for a bid, out of it for an offer.
  p.setPen(Qt::NoPen);
  p.setBrush(kCream);
  const double cx = 18;
  const double cy = h / 2.0;
  if (bid)
    p.drawPolygon(QPolygonF({{cx - 6, cy + 4}, {cx, cy - 5}, {cx + 6, cy + 4}}));
  else
    p.drawPolygon(QPolygonF({{cx - 6, cy - 4}, {cx, cy + 5}, {cx + 6, cy - 4}}));
  p.setFont(font(16));
  p.setPen(kCream);
  p.drawText(QRectF(30, 0, w - 36, h), Qt::AlignVCenter | Qt::AlignHCenter, caption);
  return image;
}

// ---- small pictures on white ---------------------------------------------------------------------

class WhitePicture : public GridPicture {
 public:
  WhitePicture(int w, int h, double gridW, double gridH) : GridPicture(w, h, kGround, gridW, gridH) {}
  QPainter& p() { return painter(); }
};

// A triangle pointing up (direction -1) or down (1) on a 20x20 grid.
QImage triangle(int w, int h, int direction, const QColor& colour) {
  WhitePicture picture(w, h, 20, 20);
  QPainter& p = picture.p();
  const QPolygonF up({{10, 3}, {18, 16}, {2, 16}});
  const QPolygonF down({{2, 4}, {18, 4}, {10, 17}});
  p.setPen(QPen(colour.darker(150), 1));
  p.setBrush(vertical(2, 18, colour.lighter(130), colour));
  p.drawPolygon(direction < 0 ? up : down);
  return picture.finish();
}

QImage unchanged(int w, int h) {
  WhitePicture picture(w, h, 20, 20);
  QPainter& p = picture.p();
  p.setPen(QPen(QColor(120, 110, 80), 1));
  p.setBrush(vertical(8, 12, QColor(250, 222, 90), QColor(206, 164, 32)));
  p.drawRoundedRect(QRectF(3, 8, 14, 4.5), 2, 2);
  return picture.finish();
}

// A status badge with its code, on a grid as wide as the picture's proportions.
QImage statusBadge(int w, int h, const QString& code, const QColor& colour) {
  const double gridW = 20.0 * w / h;
  WhitePicture picture(w, h, gridW, 20);
  QPainter& p = picture.p();
  p.setPen(QPen(colour.darker(150), 1));
  p.setBrush(vertical(2, 18, colour.lighter(125), colour));
  p.drawRoundedRect(QRectF(1, 2.5, gridW - 2, 15), 4, 4);
  p.setFont(font(code.size() > 1 ? 11 : 13));
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 2, gridW, 16), Qt::AlignCenter, code);
  return picture.finish();
}

QImage star(int w, int h) {
  WhitePicture picture(w, h, 20, 20);
  QPainter& p = picture.p();
  p.setPen(QPen(kGoldDark, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(vertical(1, 19, kGoldLight, kGold));
  p.drawPath(starPath(QPointF(10, 10.8), 9.3, 3.9));
  return picture.finish();
}

// A coin with an arrow: into the purse for a bid, out of it for an offer.
QImage queueMark(int w, int h, bool bid) {
  WhitePicture picture(w, h, 20, 20);
  QPainter& p = picture.p();
  const QColor colour = bid ? kUp : kDown;
  p.setPen(QPen(colour.darker(150), 1));
  p.setBrush(vertical(1, 19, colour.lighter(140), colour));
  p.drawEllipse(QPointF(10, 10), 8.5, 8.5);
  p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(6, 10), QPointF(14, 10));
  if (bid) p.drawLine(QPointF(10, 6), QPointF(10, 14));
  return picture.finish();
}

// ---- bid/offer dialog ----------------------------------------------------------------------------

QImage dialogBackground(int w, int h) {
  QImage image = canvas(w, h, Qt::white);
  QPainter p(&image);
  smooth(p);
  p.fillRect(QRect(0, 0, w, h), vertical(0, h, QColor(250, 252, 247), kMint));
  p.fillRect(QRect(0, 0, w, 46), vertical(0, 46, kTealLight, kTeal));
  p.setPen(QPen(kGold, 2));
  p.drawLine(QPointF(0, 46), QPointF(w, 46));
  p.setPen(QPen(kSage, 1));
  p.drawLine(QPointF(16, h - 56), QPointF(w - 16, h - 56));
  p.setPen(QPen(kTeal, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 1, w - 2, h - 2));
  return image;
}

}  // namespace

void addMarketPictures(Painters& m) {
  struct Entry {
    const char* name;
    const char* caption;
    MarketIcon icon;
  };
  const Entry entries[] = {{"Table", "Stock Table", MarketIcon::Table},
                           {"Stats", "Market Stats", MarketIcon::Stats},
                           {"Queue", "My Orders", MarketIcon::Queue}};
  int number = 1;
  for (const Entry& e : entries)
    addSubMenuEntry(m, "frmCwMarket", e.name, number++, e.caption, marketIcon(e.icon));
  m["frmCwMarket_btnBid"] = [](int w, int h) { return orderButton(w, h, "BID", true, false); };
  m["frmCwMarket_btnBidX"] = [](int w, int h) { return orderButton(w, h, "BID", true, true); };
  m["frmCwMarket_btnOffer"] = [](int w, int h) { return orderButton(w, h, "OFFER", false, false); };
  m["frmCwMarket_btnOfferx"] = [](int w, int h) { return orderButton(w, h, "OFFER", false, true); };
  m["frmCwMarket_imgIndexUp"] = [](int w, int h) { return triangle(w, h, -1, kUp); };
  m["frmCwMarket_imgIndexDown"] = [](int w, int h) { return triangle(w, h, 1, kDown); };
  m["frmCwMarket_imgStatusH"] = [](int w, int h) { return statusBadge(w, h, "H", QColor(200, 40, 32)); };
  m["frmCwMarket_imgStatusSP"] = [](int w, int h) { return statusBadge(w, h, "SP", QColor(128, 132, 130)); };
  m["frmCwMarket_imgStatusXD"] = [](int w, int h) { return statusBadge(w, h, "XD", QColor(40, 100, 190)); };
  m["frmCwMarket_imgFav"] = star;
  m["frmCwMarket_imlStates_0"] = unchanged;
  m["frmCwMarket_imlStates_1"] = [](int w, int h) { return triangle(w, h, 1, kDown); };
  m["frmCwMarket_imlStates_2"] = [](int w, int h) { return triangle(w, h, -1, kUp); };
  m["frmCwMarket_imlStates_3"] = [](int w, int h) { return statusBadge(w, h, "H", QColor(200, 40, 32)); };
  m["frmCwMarket_imlStates_4"] = [](int w, int h) { return statusBadge(w, h, "SP", QColor(128, 132, 130)); };
  m["frmCwMarket_imlStates_5"] = [](int w, int h) { return statusBadge(w, h, "XD", QColor(40, 100, 190)); };
  m["frmCwMarket_imlStates_6"] = star;
  m["frmCwMarket_imlQueue_0"] = [](int w, int h) { return queueMark(w, h, false); };
  m["frmCwMarket_imlQueue_1"] = [](int w, int h) { return queueMark(w, h, true); };
  m["frmBidOffer_Image1"] = dialogBackground;
}

}  // namespace skins
