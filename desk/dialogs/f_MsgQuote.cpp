#include "f_MsgQuote.h"

#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QTimer>

#include "Colors.h"
#include "SkinWidgets.h"

TfrmMsgQuote* frmMsgQuote = nullptr;

TfrmMsgQuote::TfrmMsgQuote(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool) {
  setWindowTitle("Qorvex");
  setFixedSize(330, 107);
  // The note only informs: it leaves the keyboard focus where it was.
  setAttribute(Qt::WA_ShowWithoutActivating);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, desk::fromTColor(desk::kMessageText));
  setPalette(palette);
  setAutoFillBackground(true);

  Shape1 = new QFrame(this);
  Shape1->setGeometry(rect());
  Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
  Shape1->setLineWidth(1);

  lblMsg = new QLabel(this);
  lblMsg->setTextFormat(Qt::PlainText);
  lblMsg->setGeometry(14, 26, 301, 59);
  lblMsg->setFont(desk::windowFont(21));
  lblMsg->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  lblMsg->setWordWrap(true);

  timerFadeOut = new QTimer(this);
  timerFadeOut->setInterval(1200);
  connect(timerFadeOut, &QTimer::timeout, this, &TfrmMsgQuote::timerFadeOutTimer);
}

void TfrmMsgQuote::showQuote(const QString& text) {
  lblMsg->setText(text);
  move(QCursor::pos());
  show();
  raise();
  if (!timerFadeOut->isActive()) timerFadeOut->start();
}

void TfrmMsgQuote::timerFadeOutTimer() {
  hide();
}
