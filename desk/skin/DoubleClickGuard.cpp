#include "DoubleClickGuard.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMouseEvent>

namespace desk {

namespace {

constexpr char kClickOnly[] = "qorvexClickOnly";

}  // namespace

void markClickOnly(QWidget* control) {
  control->setProperty(kClickOnly, true);
}

bool isClickOnly(const QObject* receiver) {
  if (qobject_cast<const QAbstractButton*>(receiver) != nullptr) return true;
  if (const auto* label = qobject_cast<const QLabel*>(receiver))
    return !(label->textInteractionFlags() & Qt::TextSelectableByMouse);
  return receiver->property(kClickOnly).toBool();
}

bool DoubleClickGuard::drops(QObject* receiver, QEvent* event) {
  // The receiver first: events that other threads post (to windows, pages and the application, never to
  // a click-only control) are not read here before their receiver has taken them over.
  if (!receiver->isWidgetType() || !isClickOnly(receiver)) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      pressedTwice_ = nullptr;
      return false;
    case QEvent::MouseButtonDblClick:
      pressedTwice_ = receiver;
      button_ = static_cast<QMouseEvent*>(event)->button();
      event->accept();
      return true;
    case QEvent::MouseButtonRelease:
      if (pressedTwice_.isNull() || receiver != pressedTwice_ ||
          static_cast<QMouseEvent*>(event)->button() != button_)
        return false;
      pressedTwice_ = nullptr;
      event->accept();
      return true;
    default:
      return false;
  }
}

}  // namespace desk
