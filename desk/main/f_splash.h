// The start-up window: never seen (fully transparent), it holds the start for a moment, then hides and
// shows the main window. It stays hidden for the rest of the run.

#pragma once

#include <QWidget>

class QTimer;

class TfrmSplash : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHoldMs = 1230;

  explicit TfrmSplash(QWidget* parent = nullptr);

  QTimer* timerHold;

 public slots:
  void timerHoldTimer();

 protected:
  void showEvent(QShowEvent* event) override;
};

extern TfrmSplash* frmSplash;
