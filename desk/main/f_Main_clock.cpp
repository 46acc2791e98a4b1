// The main window's game clock: ticks, speed, pause, the day and saving.

#include "f_Main.h"

#include <QMenu>

#include "FileOps.h"
#include "MainLook.h"
#include "SkinWidgets.h"
#include "f_Gadget.h"
#include "f_NewGame.h"
#include "qx_RefreshDisp.h"
#include "qx_Thread.h"

namespace {

using namespace desk::mainLook;
using desk::setTextColour;

}  // namespace

// --- Clock -------------------------------------------------------------------------------------------

int TfrmMain::clockInterval(int speed, int current) {
  switch (speed) {
    case SPEED_SLOW:
      return 5000;
    case SPEED_MEDIUM:
      return 2200;
    case SPEED_FAST:
      return 1000;
    default:
      return current;
  }
}

bool TfrmMain::autoSaveDue(int frequency, int daycount, int clockTick, int lastClockTick) {
  if (clockTick == lastClockTick || frequency == 0 || clockTick != 0) return false;
  switch (frequency) {
    case 1:
      return true;
    case 2:
      return daycount % 7 == 0;
    case 3:
      return daycount % 30 == 0;
    default:
      return false;
  }
}

QString TfrmMain::dayText(int d) {
  if (d == 0) return "Your first day";
  if (d == 1) return "1 day so far";
  const int y = d / 360;
  const int m = (d / 30) % 12;
  const int r = d % 30;
  QString text;
  if (y > 1) text += QString::number(y) + " years ";
  if (y == 1) text += "1 year ";
  if (m > 1) text += QString::number(m) + " months ";
  if (m == 1) text += "1 month ";
  if (r > 1) text += QString::number(r) + " days";
  if (r == 1) text += "1 day";
  return text;
}

void TfrmMain::timerClockTimer() {
  if (!core || closing_) return;
  const int interval = clockInterval(core->database->speed, timerClock->interval());
  if (interval != timerClock->interval()) timerClock->setInterval(interval);
  if (isProcessing) {
    imgProcessing1->raise();
    imgProcessing1->show();
    return;
  }
  imgProcessing1->hide();
  // Read before the master starts: from then on the master owns the clock.
  const int clockTick = core->database->clockTick;
  const bool autoSave =
      autoSaveDue(core->database->autoSaveFreq, core->database->daycount, clockTick, lastClockTick_);
  if (startTick(autoSave)) lastClockTick_ = clockTick;
}

bool TfrmMain::startTick(bool autoSave) {
  // Busy from now on: nothing that changes the game runs until the tick has finished.
  isProcessing = true;
  ++runningMasters_;
  Qorvex6::TickOptions options;
  options.finished = [this] { --runningMasters_; };
  try {
    auto* master = new Qorvex6::qxThread(true, Qorvex6::qxThread::MODE_MASTER, *core, std::move(options));
    master->autoSave = autoSave;
    master->start();
    return true;
  } catch (const std::exception& e) {
    // No thread to be had: this period is lost, the next one tries again.
    --runningMasters_;
    isProcessing = false;
    trace(std::string("starting the tick: ") + e.what());
    return false;
  }
}

std::array<QWidget*, 6> TfrmMain::gameDisplay() const {
  return {lblBudgetHeader, lblClock, pieClock, mnuSpeedSlow, mnuSpeedMedium, mnuSpeedFast};
}

void TfrmMain::updateClock(bool fullRefresh, bool noRefresh) {
  if (!core) return;
  for (QWidget* display : gameDisplay())
    display->show();
  updateBudgetHeader();
  const Qorvex6::qxSaveGame& db = *core->database;
  dayText_ = dayText(db.daycount) + " (" + QString::number(db.clockTick) + "/20)";
  lblClock->setText(dayText_);
  if (frmGadget != nullptr) frmGadget->setDayText(dayText(db.daycount));
  lblClock->adjustSize();
  if (db.speed == SPEED_SLOW) mnuSpeedSlow->raise();
  if (db.speed == SPEED_MEDIUM) mnuSpeedMedium->raise();
  if (db.speed == SPEED_FAST) mnuSpeedFast->raise();
  if (imgProcessing1->isVisible()) imgProcessing1->raise();
  int step = 0;
  int steps = 0;
  core->getStep(step, steps);
  pieClock->setStep(step, steps);
  if (!noRefresh) {
    qxRefreshDisp::request(fullRefresh);
    emit displayRefreshRequested(fullRefresh);
  }
}

void TfrmMain::setClockPaused(bool paused) {
  enableTimer(timerClock, !paused);
  if (paused)
    pieClock->setLook(kPausedPen, 2, kPausedBrush);
  else
    pieClock->setLook(kRunningPen, 1, kRunningBrush);
  setTextColour(lblClock, paused ? kPausedText : kRunningText);
}

void TfrmMain::FormKeyUp() {
  if (closing_) return;
  const bool pause = timerClock->isActive();
  setClockPaused(pause);
  // The day text again, should the pie's word stand over it.
  if (!dayText_.isEmpty()) {
    lblClock->setText(dayText_);
    lblClock->adjustSize();
  }
  if (pause)
    popup("Pause", "The game is paused.");
  else
    popup("Resume", "The game is resumed.");
}

void TfrmMain::pieClockClick() {
  if (closing_) return;
  const bool pause = timerClock->isActive();
  setClockPaused(pause);
  lblClock->setText(pause ? "PAUSED" : "RESUMED");
  lblClock->adjustSize();
}

void TfrmMain::mnuSpeedSlowClick() {
  mnuSpeed->popup(mapToGlobal(QPoint(mnuSpeedSlow->x() + 10, mnuSpeedSlow->y() + 10)));
}

void TfrmMain::setSpeed(int speed) {
  if (isProcessing) {
    note("PROCESSING: Please wait.");
    return;
  }
  if (!core) return;
  core->database->speed = speed;
  core->database->syncProfile(Qorvex6::PROFILE_WRITE);
  updateClock(false, true);
}

void TfrmMain::Slow1Click() {
  setSpeed(SPEED_SLOW);
}
void TfrmMain::Medium1Click() {
  setSpeed(SPEED_MEDIUM);
}
void TfrmMain::Fast1Click() {
  setSpeed(SPEED_FAST);
}

void TfrmMain::btnSaveClick() {
  if (isProcessing) {
    popup("DENIED", "You cannot save while it is currently processing.");
    return;
  }
  if (!core) return;
  bool folderFailed = false;
  {
    std::lock_guard lock(gameLock_);
    std::error_code error;
    if (!platform::createFolder(core->saveFolder(), error)) {
      folderFailed = true;
    } else {
      const std::string name = core->database->profile.playerName;
      const std::filesystem::path path = core->savePath(name);
      if (core->isAnotherGamesSave(name)) {
        popup("Save", "Another game is saved under your name. Change your name to save this game.");
      } else {
        const bool existed = !path.empty() && std::filesystem::is_regular_file(path, error);
        bool saved = false;
        guarded("saveGame", [&] { saved = !path.empty() && core->saveGame(path.string()); });
        if (existed)
          popup("Save", saved ? "Save overwritten." : "Cannot save your session...");
        else
          popup("Save", saved ? "Saved completed!" : "Error Saving your session...");
      }
    }
  }
  // A modal box never opens while the game lock is held.
  if (folderFailed)
    message("Please run Qorvex as administrator since Windows denies permission to write save file.");
}
