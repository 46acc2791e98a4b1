#include "PageWidgets.h"

#include <QPainter>

#include "Colors.h"
#include "JpegLoader.h"
#include "SkinWidgets.h"

namespace desk {

QLabel* pageLabel(QWidget* parent, const QString& caption, QRect at, int pixels, std::uint32_t colour,
                  bool bold) {
  auto* l = new QLabel(caption, parent);
  l->setTextFormat(Qt::PlainText);
  l->setFont(windowFont(pixels, bold));
  setTextColour(l, fromTColor(colour));
  l->setGeometry(at);
  return l;
}

QLabel* pageTitle(QWidget* parent, const QString& caption, QPoint at) {
  return pageLabel(parent, caption, QRect(at, QSize(320, 28)), 20, kPageTitleColour, true);
}

QWidget* bodyPanel(QStackedWidget* body, const char* name) {
  auto* panel = new QWidget;
  panel->setObjectName(name);
  panel->setAttribute(Qt::WA_StyledBackground);
  panel->setStyleSheet(QString("QWidget#%1 { background: rgba(244, 250, 236, 225); border: 1px solid #8dca68;"
                               " border-radius: 6px; }")
                           .arg(name));
  body->addWidget(panel);
  return panel;
}

QPushButton* pageButton(QWidget* parent, const QString& caption, QRect at) {
  auto* b = new QPushButton(caption, parent);
  b->setFont(windowFont(14, true));
  b->setGeometry(at);
  b->setAutoDefault(false);
  b->setCursor(Qt::PointingHandCursor);
  b->setStyleSheet(
      "QPushButton { color: #113127; background: #deeb98; border: 1px solid #68ca8d; border-radius: 4px; }"
      "QPushButton:hover { background: #c8e27a; }"
      "QPushButton:disabled { color: #8a9a86; background: #e8eede; border-color: #b8c8b0; }");
  return b;
}

PageBackground::PageBackground() : picture_(skin("frmMain_imgBK")) {}

void PageBackground::paint(QWidget* page) {
  const QRect target(0, -page->y(), page->width(), page->height() + page->y());
  if (scaledFor_ != target.size()) {
    scaled_ = picture_.isNull() ? QPixmap()
                                : QPixmap::fromImage(picture_.scaled(target.size(), Qt::IgnoreAspectRatio,
                                                                     Qt::SmoothTransformation));
    scaledFor_ = target.size();
  }
  QPainter painter(page);
  if (scaled_.isNull())
    painter.fillRect(page->rect(), fromTColor(0xD5DBD8));
  else
    painter.drawPixmap(target.topLeft(), scaled_);
}

}  // namespace desk
