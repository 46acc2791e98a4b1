#include "PageWidgets.h"

namespace desk {

QLabel* pageTitle(QWidget* parent, const QString& caption, QPoint at) {
  return pageLabel(parent, caption, QRect(at, QSize(320, 28)), 20, kPageTitleColour, true);
}

QWidget* bodyPanel(QStackedWidget* body, const char* name) {
  auto* panel = new QWidget;
  panel->setObjectName(name);
  panelLook(panel, 225);
  body->addWidget(panel);
  return panel;
}

}  // namespace desk
