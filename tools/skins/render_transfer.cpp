#include "render_transfer.h"

namespace skins {
namespace {

constexpr double kCorner = 14;

// A mint card with rounded corners on white (the dialog's transparent colour), a teal header band with a
// gold rule, and a faint frame around the preview rows.
QImage transferBackground(int w, int h) {
  QImage image = canvas(w, h, Qt::white);
  QPainter p(&image);
  smooth(p);
  QPainterPath shape;
  shape.addRoundedRect(QRectF(1, 1, w - 2, h - 2), kCorner, kCorner);
  p.save();
  p.setClipPath(shape);
  p.fillRect(image.rect(), vertical(0, h, kMint, kMintDeep));
  p.fillRect(QRectF(0, 0, w, kTransferHeader), vertical(0, kTransferHeader, kTeal, kNavy));
  p.fillRect(QRectF(0, kTransferHeader, w, 2), kGold);
  // The preview well: amount, fee and the amount received.
  p.setPen(QPen(kSage, 1.5));
  p.setBrush(QColor(236, 245, 238));
  p.drawRoundedRect(QRectF(18, 150, w - 36, 110), 8, 8);
  p.restore();
  // One dark outline: the white outside meets it with a hard edge that survives JPEG's blur.
  p.setPen(QPen(kNavyDeep, 2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(shape);
  return image;
}

// Two arrows passing each other over a coin, cut from the header so its colours match.
QImage exchangeIcon(int w, int h) {
  const QImage background = transferBackground(460, 330);
  QImage image = background.copy(kTransferIcon.x, kTransferIcon.y, w, h);
  QPainter p(&image);
  smooth(p);
  p.scale(w / 40.0, h / 40.0);
  QRadialGradient coin(QPointF(16, 14), 22);
  coin.setColorAt(0, kGoldLight);
  coin.setColorAt(1, kGoldDark);
  p.setPen(QPen(kGoldDark.darker(130), 1));
  p.setBrush(coin);
  p.drawEllipse(QPointF(20, 20), 17, 17);
  p.setPen(QPen(kNavy, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(10, 15), QPointF(28, 15));
  p.drawPolyline(QPolygonF({{23, 10}, {29, 15}, {23, 20}}));
  p.drawLine(QPointF(30, 26), QPointF(12, 26));
  p.drawPolyline(QPolygonF({{17, 21}, {11, 26}, {17, 31}}));
  return image;
}

}  // namespace

void addTransferPictures(Painters& m) {
  m["frmTransfer_imgBK"] = transferBackground;
  m["frmTransfer_Image2"] = exchangeIcon;
}

}  // namespace skins
