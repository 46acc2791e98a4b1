#pragma once

#include <QColor>
#include <QTimer>

// What the main window's pieces share: the clock pie's colours, the budget header's prefixes and the
// timer switch.
namespace desk::mainLook {

inline const QColor kPausedPen(96, 0, 0);
inline const QColor kPausedBrush(255, 0, 0);
inline const QColor kPausedText(255, 0, 0);
inline const QColor kRunningPen(141, 191, 49);
inline const QColor kRunningBrush(222, 235, 152);
inline const QColor kRunningText(62, 97, 50);

inline const char* const kBudgetPrefixes[6] = {
    "TH BUDGET : ", "UK BUDGET : ", "JP BUDGET : ", "SG BUDGET : ", "US BUDGET : ", "HK BUDGET : "};

// Starts a stopped timer; a running one is left alone (start() would restart its period).
inline void enableTimer(QTimer* timer, bool on) {
  if (on && !timer->isActive()) timer->start();
  if (!on && timer->isActive()) timer->stop();
}

}  // namespace desk::mainLook
