// The desktop gadget: a small always-on-top window that stands in for the main window while the game
// runs on. It shows the game day and, in turn with a fade between them, the holdings with their gain or
// loss and the six market indices. A click on it, or its close box, brings the main window back.

#pragma once

#include <vector>

#include <QColor>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "GadgetLines.h"

class TfrmMain;

namespace desk {

// A label that reports a left click.
class GadgetLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace desk

class TfrmGadget : public QWidget {
  Q_OBJECT

 public:
  static constexpr int MODE_LEFT = 0;
  static constexpr int MODE_HOLDINGS = 1;
  static constexpr int MODE_INDICES = 2;

  // Text colours of the lines, normal and faded.
  static inline const QColor kNormal{66, 68, 34};
  static inline const QColor kFaded{223, 223, 175};
  // The day label's colours while a tick runs and after it.
  static inline const QColor kBusyClock{255, 0, 0};
  static inline const QColor kIdleClock{0, 128, 0};

  // The main window it stands in for; it reads the game through that window's core.
  explicit TfrmGadget(TfrmMain* main);

  // A colour as one number: blue x 65536 + green x 256 + red.
  static int colourNumber(const QColor& c) { return c.blue() * 65536 + c.green() * 256 + c.red(); }
  // Where a window of `size` goes: the bottom right of the screen, 20 from the right and 64 from the
  // bottom, kept inside the available area.
  static QRect placement(QSize size, QRect screen, QRect available);

  int displayMode = MODE_INDICES;
  std::vector<pGadgetDisplayUnit> portfolioLines;
  std::vector<pGadgetDisplayUnit> indexLines;

  desk::GadgetLabel* lblClock;
  desk::GadgetLabel* lblTitle;
  QLabel* imgStateUp2;
  QLabel* imgStateUp1;
  QLabel* imgState0;
  QLabel* imgStateDown1;
  QLabel* imgStateDown2;
  QTimer* timerFadeIn;
  QTimer* timerFadeOut;
  QTimer* timerToggle;

  QColor titleColour() const { return titleColour_; }

 public slots:
  void showGadget();
  // Rebuilds both line lists from the game, under the game lock; a failure keeps the old lines.
  void refreshData();
  void renderText();
  // After each new cycle, shown or not: the lines rebuilt and drawn, the turns started again.
  void refreshAfterCycle();
  // The tick hand-offs: the day label red while a tick runs, green after it; the day text.
  void setClockBusy(bool busy);
  void setDayText(const QString& text);
  void timerToggleTimer();
  void timerFadeOutTimer();
  void timerFadeInTimer();
  void lblTitleClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void setTitleColour(const QColor& colour);
  void stopTimers();
  // Keeps the window inside the available area of its screen.
  void keepOnScreen();

  TfrmMain* main_;
  QColor titleColour_ = kNormal;
};

extern TfrmGadget* frmGadget;
