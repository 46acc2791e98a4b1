#include "SkinWidgets.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "JpegLoader.h"
#include "SkinShape.h"

namespace desk {

QFont windowFont(int pixels, bool bold) {
  QFont font("Carlito");
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void setTextColour(QWidget* widget, QColor colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

void centreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) window->move(screen->availableGeometry().center() - window->rect().center());
}

bool isLeftReleaseInside(const QWidget* widget, const QMouseEvent* mouse) {
  return mouse->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
         widget->rect().contains(mouse->position().toPoint());
}

QLabel* skinPicture(QWidget* parent, const QString& name, QPoint at) {
  auto* label = new QLabel(parent);
  const QImage image = skin(name);
  label->setPixmap(QPixmap::fromImage(image));
  label->setGeometry(QRect(at, image.isNull() ? QSize(120, 34) : image.size()));
  return label;
}

QLabel* shapedBackground(QDialog* dialog, const QString& name, QSize size) {
  dialog->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  dialog->setWindowTitle("Qorvex");
  dialog->setFixedSize(size);
  const QImage background = skin(name);
  auto* label = new QLabel(dialog);
  label->setPixmap(QPixmap::fromImage(background));
  label->setGeometry(QRect(QPoint(0, 0), size));
  if (!background.isNull()) dialog->setMask(shapeOf(background));
  return label;
}

QPushButton* closeButton(QWidget* parent, QPoint at) {
  auto* button = new QPushButton("X", parent);
  button->setGeometry(QRect(at, QSize(75, 25)));
  button->setAutoDefault(false);
  button->setCursor(Qt::PointingHandCursor);
  button->setStyleSheet(
      "QPushButton { color: #f4e6b4; background: transparent; border: 1px solid #c9a94f; border-radius: 4px;"
      " font: bold 15px 'Carlito'; }"
      "QPushButton:hover { background: rgba(255, 255, 255, 40); }");
  return button;
}

bool PictureClick::press(QObject* picture, const QMouseEvent* mouse) {
  if (mouse->button() != Qt::LeftButton) return false;
  pressedOn_ = picture;
  return true;
}

bool PictureClick::release(QObject* picture, const QMouseEvent* mouse) {
  if (mouse->button() != Qt::LeftButton) return false;
  const bool click = pressedOn_ == picture && isLeftReleaseInside(static_cast<QWidget*>(picture), mouse);
  pressedOn_ = nullptr;
  return click;
}

}  // namespace desk
