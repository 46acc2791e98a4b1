// The About box: one picture; any key or a click on it closes the box with result 1.

#pragma once

#include <QDialog>

class QLabel;

class TfrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* parent = nullptr);

  QLabel* imgBK;

 public slots:
  void FormKeyDown();
  void imgBKClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TfrmAbout* frmAbout;
