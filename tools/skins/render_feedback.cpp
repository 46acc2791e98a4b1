#include "render_feedback.h"

#include <QPainter>
#include <QPainterPath>

#include "SkinList.h"

namespace skins {
namespace {

// A well framing an edit box, with its caption above it.
void well(QPainter& p, Box box, const QString& caption) {
  drawWell(p, QRectF(box.x, box.y, box.width, box.height).adjusted(-6, -6, 6, 6), 7, caption);
}

QImage feedbackBackground(int w, int h) {
  QImage image = canvas(w, h, kMint);
  QPainter p(&image);
  smooth(p);
  p.fillRect(image.rect(), vertical(0, h, kMint, kMintDeep));
  // A faint market line along the foot.
  QPainterPath line;
  line.moveTo(0, h - 30);
  const double pts[][2] = {
      {90, h - 44.0}, {170, h - 36.0}, {260, h - 62.0}, {340, h - 54.0}, {430, h - 80.0}};
  for (const auto& pt : pts)
    line.lineTo(pt[0], pt[1]);
  QPainterPath area = line;
  area.lineTo(430, h);
  area.lineTo(0, h);
  area.closeSubpath();
  p.fillPath(area, QColor(190, 214, 200));
  p.setPen(QPen(QColor(196, 176, 120), 2));
  p.drawPath(line);

  p.fillRect(QRectF(0, 0, w, 64), vertical(0, 64, kTeal, kNavy));
  p.fillRect(QRectF(0, 64, w, 2), kGold);
  p.setFont(font(26));
  p.setPen(kGoldLight);
  p.drawText(QRectF(24, 6, 520, 34), Qt::AlignLeft | Qt::AlignVCenter, "Tell us what you think");
  p.setFont(font(14, false));
  p.setPen(kCream);
  p.drawText(QRectF(25, 36, 520, 22), Qt::AlignLeft | Qt::AlignVCenter,
             "Ideas, faults and wishes reach the makers of the game.");

  well(p, kFeedbackEmail, "Your e-mail address");
  well(p, kFeedbackComment, "Your comment");
  p.setFont(font(13, false));
  p.setPen(kTeal.darker(140));
  p.drawText(QRectF(kFeedbackComment.x, kFeedbackComment.y + kFeedbackComment.height + 12, 420, 20),
             Qt::AlignLeft | Qt::AlignVCenter, "At most 255 characters.");

  p.setPen(QPen(kTeal, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 1, w - 2, h - 2));
  return image;
}

}  // namespace

void addFeedbackPictures(Painters& painters) {
  painters["frmFeedback_imgBK"] = feedbackBackground;
}

}  // namespace skins
