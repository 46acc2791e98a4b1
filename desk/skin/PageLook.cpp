#include "PageLook.h"

#include <QComboBox>
#include <QPainter>
#include <QWidget>

#include "Colors.h"
#include "JpegLoader.h"
#include "SkinWidgets.h"

namespace desk {

QImage stretched(const QImage& source, int w, int h) {
  if (source.isNull() || w <= 0 || h <= 0) return {};
  // Skins decode to RGB888; anything else is converted first.
  const QImage rgb =
      source.format() == QImage::Format_RGB888 ? source : source.convertToFormat(QImage::Format_RGB888);
  QImage target(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    const uchar* in = rgb.constScanLine(static_cast<int>(static_cast<long long>(y) * source.height() / h));
    auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const uchar* px = in + 3 * static_cast<int>(static_cast<long long>(x) * source.width() / w);
      out[x] = qRgb(px[0], px[1], px[2]);
    }
  }
  return target;
}

PageBackground::PageBackground() : background_(skin("frmMain_imgBK")) {}

void PageBackground::paint(QWidget* page) {
  const QRect target(0, -page->y(), page->width(), page->height() + page->y());
  if (stretchedFor_ != target.size()) {
    stretched_ = QPixmap::fromImage(stretched(background_, target.width(), target.height()));
    stretchedFor_ = target.size();
  }
  QPainter painter(page);
  if (stretched_.isNull())
    painter.fillRect(page->rect(), fromTColor(0xD5DBD8));
  else
    painter.drawPixmap(target.topLeft(), stretched_);
}

void panelLook(QWidget* panel, int alpha) {
  if (panel->objectName().isEmpty()) panel->setObjectName("panel");
  panel->setAttribute(Qt::WA_StyledBackground);
  panel->setStyleSheet(QString("QWidget#%1 { background: rgba(244, 250, 236, %2); border: 1px solid %3;"
                               " border-radius: 6px; }")
                           .arg(panel->objectName())
                           .arg(alpha)
                           .arg(cssColour(kFrameGreen)));
}

QLabel* plainLabel(QWidget* parent, const QString& caption, QRect at, int pixels, std::uint32_t colour,
                   bool bold) {
  auto* l = new QLabel(caption, parent);
  l->setTextFormat(Qt::PlainText);
  l->setFont(windowFont(pixels, bold));
  setTextColour(l, fromTColor(colour));
  l->setGeometry(at);
  return l;
}

void dropDownLook(QComboBox* list, int pixels) {
  list->setEditable(false);
  list->setFont(windowFont(pixels));
  list->setStyleSheet(
      QString("QComboBox { color: %1; background: %2; border: 1px solid %3; border-radius: 4px;"
              " padding: 0 6px; }"
              "QComboBox QAbstractItemView { color: %1; background: %2;"
              " selection-background-color: #286e6e; selection-color: #faf4dc; }")
          .arg(cssColour(kDialogText), cssColour(kFieldBackground), cssColour(kFrameGreen)));
}

QPushButton* pageButton(QWidget* parent, const QString& caption, QRect at) {
  auto* b = new QPushButton(caption, parent);
  b->setFont(windowFont(14, true));
  b->setGeometry(at);
  b->setAutoDefault(false);
  b->setCursor(Qt::PointingHandCursor);
  b->setStyleSheet(
      QString("QPushButton { color: %1; background: %3; border: 1px solid %2; border-radius: 4px; }"
              "QPushButton:hover { background: #c8e27a; }"
              "QPushButton:disabled { color: #8a9a86; background: #e8eede; border-color: #b8c8b0; }")
          .arg(cssColour(kDialogText), cssColour(kFrameGreen), cssColour(kInboxFill)));
  return b;
}

}  // namespace desk
