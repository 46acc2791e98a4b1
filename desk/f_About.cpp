#include "f_About.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include "JpegLoader.h"

TfrmAbout* frmAbout = nullptr;

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  const QImage picture = desk::skin("frmAbout_imgBK");
  const QSize size = picture.isNull() ? QSize(480, 300) : picture.size();
  setFixedSize(size);
  setFocusPolicy(Qt::StrongFocus);

  imgBK = new QLabel(this);
  imgBK->setGeometry(QRect(QPoint(0, 0), size));
  imgBK->setPixmap(QPixmap::fromImage(picture));
  imgBK->installEventFilter(this);
}

void TfrmAbout::FormKeyDown() {
  done(1);
}
void TfrmAbout::imgBKClick() {
  done(1);
}

void TfrmAbout::showEvent(QShowEvent* event) {
  // Centred on the desktop, not over the main window.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());
  QDialog::showEvent(event);
}

void TfrmAbout::keyPressEvent(QKeyEvent*) {
  FormKeyDown();
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == imgBK && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && imgBK->rect().contains(mouse->position().toPoint())) {
      imgBKClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
