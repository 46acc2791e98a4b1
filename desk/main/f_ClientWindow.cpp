#include "f_ClientWindow.h"

#include <algorithm>

#include <QPainter>

#include "JpegLoader.h"

TfrmClientWindow* frmClientWindow = nullptr;

TfrmClientWindow::TfrmClientWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::FramelessWindowHint) {
  hide();
  // The main window's background stands in for the page picture.
  background_ = desk::skin("frmMain_imgBK");
  panelTop = new QWidget(this);
  panelTop->move(3, 4);
  panelBody = new QWidget(this);
  panelBody->move(0, 106);
  FormResize();
}

void TfrmClientWindow::FormResize() {
  const int inner = width() - 2 * panelTop->x();
  panelTop->resize(inner, panelTop->height());
  panelBody->resize(inner, std::max(0, height() - panelBody->y() - 80));
}

void TfrmClientWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TfrmClientWindow::paintEvent(QPaintEvent*) {
  if (background_.isNull()) return;
  QPainter p(this);
  p.drawImage(QRect(0, 0, width(), height()), background_);
}
