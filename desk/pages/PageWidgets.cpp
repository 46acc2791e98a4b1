#include "PageWidgets.h"

#include "Colors.h"

namespace desk {

QLabel* pageTitle(QWidget* parent, const QString& caption, QPoint at) {
  return pageLabel(parent, caption, QRect(at, QSize(320, 28)), 20, kPageTitleColour, true);
}

QFrame* slotFrame(QWidget* parent, QRect at) {
  auto* frame = new QFrame(parent);
  frame->setObjectName("Shape");
  frame->setStyleSheet(
      QString("QFrame#Shape { background: white; border: 1px solid %1; border-radius: 4px; }")
          .arg(cssColour(kSlotFrameColour)));
  frame->setGeometry(at);
  return frame;
}

QWidget* bodyPanel(QStackedWidget* body, const char* name) {
  auto* panel = new QWidget;
  panel->setObjectName(name);
  panelLook(panel, 225);
  body->addWidget(panel);
  return panel;
}

}  // namespace desk
