#include "f_About.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include "JpegLoader.h"
#include "SkinWidgets.h"

TfrmAbout* frmAbout = nullptr;

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setWindowTitle("Qorvex");
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
  desk::centreOnScreen(this);
  QDialog::showEvent(event);
}

void TfrmAbout::keyPressEvent(QKeyEvent*) {
  FormKeyDown();
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == imgBK && event->type() == QEvent::MouseButtonRelease &&
      desk::isLeftReleaseInside(imgBK, static_cast<QMouseEvent*>(event))) {
    imgBKClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
