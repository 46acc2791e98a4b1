// A double click on a control that acts on clicks is one click: the double-click press and the release that
// ends it never reach the control. Lists, text fields and every other widget keep their double clicks.

#pragma once

#include <QPointer>

class QEvent;
class QObject;
class QWidget;

namespace desk {

// Marks a control that is neither a button nor a label as one that acts on clicks only (for a scroll
// area, mark its viewport, which receives the mouse).
void markClickOnly(QWidget* control);

// Whether a double click on the widget is one click: buttons, labels that select no text, marked controls.
bool isClickOnly(const QObject* receiver);

// Sits in front of every event delivery and tells which mouse events to drop.
class DoubleClickGuard {
 public:
  // True for a double-click press on a click-only control and for the release that follows it.
  bool drops(QObject* receiver, QEvent* event);

 private:
  QPointer<QObject> pressedTwice_;
  Qt::MouseButton button_ = Qt::NoButton;
};

}  // namespace desk
