#include "f_splash.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "SkinWidgets.h"
#include "f_Main.h"

TfrmSplash* frmSplash = nullptr;

TfrmSplash::TfrmSplash(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowTransparentForInput |
                          Qt::WindowDoesNotAcceptFocus) {
  setWindowTitle("Qorvex");
  setAttribute(Qt::WA_TranslucentBackground);
  setWindowOpacity(0.0);
  resize(1, 1);

  timerHold = new QTimer(this);
  timerHold->setInterval(kHoldMs);
  connect(timerHold, &QTimer::timeout, this, &TfrmSplash::timerHoldTimer);
  timerHold->start();
}

void TfrmSplash::timerHoldTimer() {
  timerHold->stop();
  hide();
  if (frmMain != nullptr) frmMain->show();
}

void TfrmSplash::showEvent(QShowEvent* event) {
  desk::centreOnScreen(this);
  QWidget::showEvent(event);
}
