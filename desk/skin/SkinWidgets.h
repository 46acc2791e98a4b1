#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPoint>
#include <QPushButton>
#include <QString>

#include "SkinList.h"

namespace desk {

// The picture list's places and sizes as Qt geometry.
inline QPoint spotOf(skins::Spot s) {
  return {s.x, s.y};
}
inline QRect boxOf(skins::Box b) {
  return {b.x, b.y, b.width, b.height};
}
inline QSize skinSize(std::string_view name) {
  const skins::Skin s = skins::skinNamed(name);
  return {s.width, s.height};
}

// The forms' font (Carlito, metric-compatible with Calibri) at a pixel size.
QFont windowFont(int pixels, bool bold = false);

// Sets the colour of a label's text.
void setTextColour(QWidget* widget, QColor colour);

// Centres a window on the work area of its screen.
void centreOnScreen(QWidget* window);

// Whether the event is a left-button release inside the widget.
bool isLeftReleaseInside(const QWidget* widget, const QMouseEvent* mouse);

// A label showing the skin picture `name` at `at`, sized to the picture (120x34 while it is missing).
QLabel* skinPicture(QWidget* parent, const QString& name, QPoint at);

// A borderless dialog of the size of its background picture, shaped by the picture's white surround;
// returns the background label.
QLabel* shapedBackground(QDialog* dialog, const QString& name, QSize size);

// A left-button click on pictures whose mouse events an event filter takes: the press and the release on
// the same picture, the release inside it.
class PictureClick {
 public:
  // A left press on the picture starts a click; true for a left press.
  bool press(QObject* picture, const QMouseEvent* mouse);
  // True when this left release ends a click on the picture.
  bool release(QObject* picture, const QMouseEvent* mouse);

 private:
  QObject* pressedOn_ = nullptr;
};

// The shaped dialogs' "X" button, 75x25 at `at`, never the default button.
QPushButton* closeButton(QWidget* parent, QPoint at);

}  // namespace desk
