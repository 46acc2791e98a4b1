// The popup: a titled message with zero to five stars that stays until the player dismisses it.

#pragma once

#include <array>

#include <QString>
#include <QWidget>

class QLabel;

class TfrmMsgPopup : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmMsgPopup(QWidget* parent = nullptr);

  // Fills and shows the popup without waiting; a popup on screen gets the new content. Main thread only.
  void showPopup(const QString& title, const QString& text, int stars);
  // Queues showPopup onto the popup's thread and returns at once: callable from any thread, also while
  // the caller holds locks the main thread may be waiting for.
  void postPopup(QString title, QString text, int stars);

  QLabel* Image1;
  QLabel* Image2;
  QLabel* lblTitle;
  std::array<QLabel*, 5> stars;  // star1 .. star5
  QLabel* lblMsg;

 public slots:
  void FormKeyUp();
  void Image1Click();
  void lblMsgClick();

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TfrmMsgPopup* frmMsgPopup;
