// The page template: a borderless page of the main window with an empty top and body panel. No code of
// the running program shows it.

#pragma once

#include <QImage>
#include <QWidget>

class TfrmClientWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmClientWindow(QWidget* mainWindow);

  QWidget* panelTop;
  QWidget* panelBody;

 public slots:
  void FormResize();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage background_;
};

extern TfrmClientWindow* frmClientWindow;
