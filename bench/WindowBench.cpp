#include "WindowBench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "f_Main.h"

namespace bench {

OffscreenGame::OffscreenGame() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QORVEX_USER_DIR", user_.path().toUtf8());
  if (qEnvironmentVariableIsEmpty("QORVEX_RESOURCE_DIR"))
    qputenv("QORVEX_RESOURCE_DIR", QByteArray(QORVEX_RESOURCE_DIR));
}

void playAtFast(int cycles) {
  frmMain->Fast1Click();
  const Qorvex6::qxSaveGame& db = *frmMain->core->database;
  const auto cyclesPlayed = [&db] { return db.daycount * 20 + db.clockTick; };
  const int firstCycle = cyclesPlayed();
  double worstLateness = 0;
  int lastDay = 0;
  QElapsedTimer since;
  since.start();
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    worstLateness = std::max(worstLateness, static_cast<double>(since.nsecsElapsed()) / 1e6 - 10.0);
    since.restart();
    if (cyclesPlayed() - firstCycle >= cycles && !frmMain->isProcessing) {
      lastDay = db.daycount;
      QApplication::quit();
    }
  });
  probe.start(10);
  frmMain->timerClock->start();
  const auto playStart = std::chrono::steady_clock::now();
  QApplication::exec();
  const double played = std::chrono::duration<double>(std::chrono::steady_clock::now() - playStart).count();
  std::printf("event loop over %d cycles at Fast (%.0f s, day %d): worst lateness of a 10 ms timer %.1f ms\n",
              cycles, played, lastDay, worstLateness);
}

}  // namespace bench
