// The note: a short text at the mouse pointer that closes itself.

#pragma once

#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

class TfrmMsgQuote : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmMsgQuote(QWidget* parent = nullptr);

  // Shows the text with the window's top-left corner at the mouse pointer. The closing timer keeps one
  // rhythm: a note shown while it runs closes at its next tick.
  void showQuote(const QString& text);

  QFrame* Shape1;
  QLabel* lblMsg;
  QTimer* timerFadeOut;

 public slots:
  void timerFadeOutTimer();
};

extern TfrmMsgQuote* frmMsgQuote;
