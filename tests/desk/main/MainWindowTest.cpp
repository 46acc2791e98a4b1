#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "DoubleClick.h"
#include "FileOps.h"
#include "GameWindowTest.h"
#include "ScopedEnv.h"
#include "TestDatabase.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"

namespace {

class MainWindowTest : public GameWindowTest {
 protected:
  // One clock period, and the tick it starts run to its end.
  void tickAndWait() {
    main_->timerClockTimer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main_->isProcessing; }, 30000));
  }
  void releaseAltP(bool autoRepeat = false) {
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_P, Qt::AltModifier, "p", autoRepeat);
    QApplication::sendEvent(main_.get(), &release);
  }
};

TEST(MainWindowClock, DayTextAndAutoSaveDecision) {
  const std::vector<std::pair<int, QString>> days = {
      {0, "Your first day"},
      {1, "1 day so far"},
      {2, "2 days"},
      {30, "1 month "},
      {31, "1 month 1 day"},
      {360, "1 year "},
      {390, "1 year 1 month "},
      {395, "1 year 1 month 5 days"},
      {720, "2 years "},
  };
  for (const auto& [d, text] : days)
    EXPECT_EQ(TfrmMain::dayText(d), text) << d;

  struct Case {
    int frequency, daycount, clockTick, lastClockTick;
    bool due;
  };
  const Case cases[] = {
      {1, 3, 0, 19, true},   {1, 0, 0, 0, false},   // a new game's first cycle never saves
      {2, 14, 0, 19, true},  {2, 14, 0, 0, false},  // the same cycle again: saved already
      {2, 15, 0, 19, false}, {3, 30, 0, 19, true}, {3, 31, 0, 19, false},
      {0, 30, 0, 19, false}, {1, 3, 5, 4, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TfrmMain::autoSaveDue(c.frequency, c.daycount, c.clockTick, c.lastClockTick), c.due)
        << c.frequency << " " << c.daycount << " " << c.clockTick << " " << c.lastClockTick;
}

TEST_F(MainWindowTest, ClockIntervalFollowsTheSpeedFromTheNextPeriod) {
  struct Case {
    QAction* action;
    int speed;
    int interval;
  };
  const Case cases[] = {{main_->Fast1, 32, 1000}, {main_->Slow1, 0, 5000}, {main_->Medium1, 16, 2200}};
  for (const Case& c : cases) {
    c.action->trigger();
    EXPECT_EQ(db().speed, c.speed);
    tickAndWait();
    EXPECT_EQ(main_->timerClock->interval(), c.interval) << c.speed;
  }
  // An unknown speed keeps the period it had.
  db().speed = 7;
  tickAndWait();
  EXPECT_EQ(main_->timerClock->interval(), 2200);
  // The same period again does not restart a running clock.
  db().speed = 16;
  main_->timerClock->start();
  QTest::qWait(300);
  const int before = main_->timerClock->remainingTime();
  main_->timerClockTimer();
  EXPECT_LE(main_->timerClock->remainingTime(), before);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !main_->isProcessing; }, 30000));
}

TEST_F(MainWindowTest, AltPTogglesTheClockButNeitherItsRepeatsNorAPlainP) {
  main_->timerClock->start();
  releaseAltP();
  EXPECT_FALSE(main_->timerClock->isActive());
  EXPECT_EQ(popupText(), "Pause|The game is paused.");
  releaseAltP(true);  // a held key's repeats toggle nothing
  EXPECT_FALSE(main_->timerClock->isActive());
  releaseAltP();
  EXPECT_TRUE(main_->timerClock->isActive());
  EXPECT_EQ(popupText(), "Resume|The game is resumed.");
  QKeyEvent plainP(QEvent::KeyRelease, Qt::Key_P, Qt::NoModifier, "p");
  QApplication::sendEvent(main_.get(), &plainP);
  EXPECT_TRUE(main_->timerClock->isActive()) << "P without Alt";
  main_->timerClock->stop();
}

// Whichever control pauses and whichever resumes, the timer and the look agree after each step: the pie
// and the day text take the paused or running colours. Only Alt+P raises a popup; only the pie writes
// its word over the day text.
TEST_F(MainWindowTest, EitherControlPausesAndResumesWithTheOneLookOfItsState) {
  enum class By { Pie, AltP };
  struct Case {
    By pause, resume;
  };
  const Case cases[] = {{By::Pie, By::Pie}, {By::Pie, By::AltP}, {By::AltP, By::Pie}, {By::AltP, By::AltP}};
  const QString dayText = "Your first day (0/20)";
  const auto step = [&](By by, bool runs) {
    popup_->lblTitle->clear();
    popup_->lblMsg->clear();
    if (by == By::Pie)
      QTest::mouseClick(main_->pieClock, Qt::LeftButton);
    else
      releaseAltP();
    SCOPED_TRACE(runs ? "resumed" : "paused");
    EXPECT_EQ(main_->timerClock->isActive(), runs);
    EXPECT_EQ(main_->pieClock->penColor(), runs ? QColor(141, 191, 49) : QColor(96, 0, 0));
    EXPECT_EQ(main_->pieClock->brushColor(), runs ? QColor(222, 235, 152) : QColor(255, 0, 0));
    EXPECT_EQ(main_->lblClock->palette().color(QPalette::WindowText),
              runs ? QColor(62, 97, 50) : QColor(255, 0, 0));
    if (by == By::Pie) {
      EXPECT_EQ(popupText(), "|");
      EXPECT_EQ(main_->lblClock->text(), runs ? "RESUMED" : "PAUSED");
    } else {
      EXPECT_EQ(popupText(), runs ? "Resume|The game is resumed." : "Pause|The game is paused.");
      EXPECT_EQ(main_->lblClock->text(), dayText);
    }
  };
  // The day text as the last tick wrote it; no tick runs between the steps, so Alt+P right after the pie
  // finds the pie's word on it.
  main_->updateClock(false, true);
  main_->timerClock->start();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pause == By::Pie ? "pie" : "Alt+P") + " then " +
                 (c.resume == By::Pie ? "pie" : "Alt+P"));
    step(c.pause, false);
    step(c.resume, true);
  }
  main_->timerClock->stop();
}

// The popup takes the keys while it is up: Alt+P released there still pauses and resumes, and its own
// popup stays up when Alt is let go, whichever of the two keys goes first.
TEST_F(MainWindowTest, AltPPausesAndResumesWhateverPopupIsUp) {
  const auto release = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent event(QEvent::KeyRelease, key, modifiers, key == Qt::Key_P ? "p" : "");
    QApplication::sendEvent(popup_.get(), &event);
  };
  main_->timerClock->start();
  popup_->showPopup("Save", "Save overwritten.", 0);
  const struct {
    Qt::KeyboardModifiers altLetGo;
    bool running;
    const char* shown;
  } cases[] = {{Qt::AltModifier, false, "Pause|The game is paused."},
               {Qt::NoModifier, true, "Resume|The game is resumed."}};
  for (const auto& c : cases) {
    release(Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(main_->timerClock->isActive(), c.running);
    EXPECT_TRUE(popup_->isVisible());
    EXPECT_EQ(popupText(), c.shown);
    release(Qt::Key_Alt, c.altLetGo);
    EXPECT_TRUE(popup_->isVisible()) << c.shown << ": letting Alt go leaves the popup up";
  }
  release(Qt::Key_A, Qt::NoModifier);
  EXPECT_FALSE(popup_->isVisible()) << "any other key closes it";
  EXPECT_TRUE(main_->timerClock->isActive());
  main_->timerClock->stop();
}

TEST_F(MainWindowTest, WhileATickIsProcessedTheClockAndTheGameChangingActionsRefuse) {
  const int stepBefore = main_->core->step;
  // The master waits for this thread to serve its hand-offs: until the test waits, the tick stays busy.
  main_->timerClockTimer();
  EXPECT_TRUE(main_->isProcessing) << "busy from the moment the clock starts the master";

  main_->timerClockTimer();
  EXPECT_TRUE(main_->imgProcessing1->isVisibleTo(main_.get()));
  main_->Fast1->trigger();
  EXPECT_EQ(db().speed, 0) << "a speed change is refused";
  EXPECT_EQ(quote_->lblMsg->text(), "PROCESSING: Please wait.");
  main_->btnSaveClick();
  EXPECT_EQ(popupText(), "DENIED|You cannot save while it is currently processing.");
  EXPECT_FALSE(std::filesystem::exists(user_.file("Save"))) << "nothing saved";
  quote_->lblMsg->clear();
  main_->btnMinMouseUp(Qt::RightButton, Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_EQ(quote_->lblMsg->text(), "PROCESSING: Please wait.") << "the boost is refused";

  ASSERT_TRUE(QTest::qWaitFor([&] { return !main_->isProcessing; }, 30000));
  EXPECT_EQ(main_->core->step, stepBefore + 1) << "two periods, one tick";
  EXPECT_FALSE(main_->imgProcessing1->isVisibleTo(main_.get()));
}

TEST_F(MainWindowTest, RealTicksAdvanceTheClockWithTheirHandOffsOnTheGuiThread) {
  std::vector<std::string> handOffs;
  bool allOnGui = true;
  main_->handOffObserver = [&](std::string_view name) {
    handOffs.emplace_back(name);
    allOnGui = allOnGui && QThread::currentThread() == qApp->thread();
  };
  QSignalSpy refreshes(main_.get(), &TfrmMain::displayRefreshRequested);
  for (int i = 1; i < Qorvex6::QorvexCore::STEPS_PER_CYCLE; ++i) {
    tickAndWait();
    EXPECT_EQ(main_->core->step, i);
    EXPECT_EQ(main_->pieClock->spanDegrees(), 360 - 36 * i);
  }
  EXPECT_EQ(refreshes.count(), 0) << "ticks inside a cycle refresh no page";
  EXPECT_EQ(handOffs.back(), "tickFinished");
  handOffs.clear();

  tickAndWait();  // closes the cycle
  EXPECT_TRUE(allOnGui);
  EXPECT_EQ(main_->core->step, 0);
  EXPECT_EQ(db().clockTick, 1);
  EXPECT_EQ(main_->lblClock->text(), "Your first day (1/20)");
  EXPECT_EQ(main_->pieClock->spanDegrees(), 360);
  ASSERT_EQ(refreshes.count(), 1);
  EXPECT_FALSE(main_->isWritingData);
  ASSERT_GE(handOffs.size(), 5u);
  EXPECT_EQ(handOffs.front(), "tickStarted");
  EXPECT_EQ(std::vector<std::string>(handOffs.end() - 4, handOffs.end()),
            (std::vector<std::string>{"setWriting on", "setWriting off", "cycleFinished", "tickFinished"}));
}

// A whole game day through the window's clock: every period's tick ends, and the day rolls over.
TEST_F(MainWindowTest, TheClockPlaysAWholeGameDay) {
  const int ticksPerDay = 20 * Qorvex6::QorvexCore::STEPS_PER_CYCLE;
  for (int i = 0; i < ticksPerDay; ++i) {
    tickAndWait();
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(db().daycount, 1);
  EXPECT_EQ(db().clockTick, 0);
  EXPECT_EQ(main_->lblClock->text(), "1 day so far (0/20)");
  EXPECT_FALSE(main_->isWritingData);
}

TEST_F(MainWindowTest, SaveWritesTheSaveFolderAndTellsNewFromOverwritten) {
  const std::filesystem::path save = user_.file("Save") / "Tester";
  main_->btnSaveClick();
  EXPECT_EQ(popupText(), "Save|Saved completed!");
  EXPECT_TRUE(std::filesystem::is_regular_file(save));
  main_->btnSaveClick();
  EXPECT_EQ(popupText(), "Save|Save overwritten.");

  // A tick whose period was due for a save saves at its end, with the busy state already cleared.
  std::filesystem::remove(save);
  db().autoSaveFreq = 1;
  db().clockTick = 3;  // the clock moved to a new cycle since the last period; 0 would open a new day
  main_->timerClockTimer();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !main_->isProcessing; }, 30000));
  EXPECT_FALSE(std::filesystem::exists(save)) << "cycle 3 is no new day";
  db().clockTick = 0;
  tickAndWait();
  EXPECT_TRUE(std::filesystem::is_regular_file(save)) << "auto-save at a new day";
  EXPECT_EQ(popupText(), "Save|Saved completed!");
}

TEST_F(MainWindowTest, ADoubleClickOnSaveOrThePieActsOnce) {
  doubleClick(main_->btnSave);
  EXPECT_EQ(popupText(), "Save|Saved completed!");

  main_->timerClock->start();
  doubleClick(main_->pieClock);
  EXPECT_FALSE(main_->timerClock->isActive());
}

// A save whose file cannot be written says so, and an earlier save of the game stays as it was.
TEST_F(MainWindowTest, AFailedSaveSaysSoAndKeepsTheEarlierSave) {
  const std::filesystem::path save = user_.file("Save") / "Tester";
  const auto failWrites = [](std::string_view step, const std::filesystem::path&) {
    return step == "write" ? EIO : 0;
  };
  platform::setFileFaultHook(failWrites);
  main_->btnSaveClick();
  platform::setFileFaultHook(nullptr);
  EXPECT_EQ(popupText(), "Save|Error Saving your session...");
  EXPECT_FALSE(std::filesystem::exists(save));

  main_->btnSaveClick();
  ASSERT_EQ(popupText(), "Save|Saved completed!");
  const auto savedSize = std::filesystem::file_size(save);
  db().profile.budget[0] += 1000;  // a change the failing save would carry
  platform::setFileFaultHook(failWrites);
  main_->btnSaveClick();
  platform::setFileFaultHook(nullptr);
  EXPECT_EQ(popupText(), "Save|Cannot save your session...");
  EXPECT_EQ(std::filesystem::file_size(save), savedSize);
  // Read back by a game of its own, with a user folder of its own.
  testsupport::TempDir other;
  std::filesystem::create_directory(other.file("Save"));
  std::filesystem::copy_file(save, other.file("Save") / "Tester");
  Qorvex6::qxNullHost host;
  Qorvex6::QorvexCore reader(host, {QCoreApplication::applicationDirPath().toStdString(),
                                    other.path(),
                                    {testsupport::saveCheckerProgram()}});
  ASSERT_TRUE(reader.loadGame((other.file("Save") / "Tester").string()));
  EXPECT_EQ(reader.database->profile.budget[0], db().profile.budget[0] - 1000)
      << "the earlier save is intact";
}

TEST_F(MainWindowTest, ASaveFolderThatCannotBeMadeGivesTheMessageWithTheLockFree) {
  std::ofstream(user_.file("Save")) << "a file where the folder should be";
  QString shown;
  bool lockFree = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    shown = box->text();
    std::thread probe([&] {
      std::unique_lock lock(main_->gameLock(), std::try_to_lock);
      lockFree = lock.owns_lock();
    });
    probe.join();
    box->accept();
  });
  main_->btnSaveClick();
  EXPECT_EQ(shown, "Please run Qorvex as administrator since Windows denies permission to write save file.");
  EXPECT_TRUE(lockFree) << "no modal box under the game lock";
}

TEST_F(MainWindowTest, ClosingWhileATickRunsWaitsForItAndFreesTheGame) {
  QSignalSpy closed(main_.get(), &TfrmMain::gameClosed);
  db().clockTick = 0;
  main_->core->step = Qorvex6::QorvexCore::STEPS_PER_CYCLE - 1;  // the next tick closes a cycle
  main_->timerClock->start();
  main_->timerClockTimer();
  ASSERT_TRUE(main_->isProcessing);
  // While the window waits for the tick, the player pauses and resumes and a clock period comes: none of
  // it may start another tick on the game about to be freed.
  int lateActions = 0;
  QTimer::singleShot(0, main_.get(), [&] {
    main_->pieClockClick();
    main_->pieClockClick();
    main_->timerClockTimer();
    ++lateActions;
  });
  main_->close();
  EXPECT_EQ(lateActions, 1) << "the wait serves events";
  EXPECT_FALSE(main_->isProcessing) << "the tick ran to its end";
  EXPECT_EQ(main_->core, nullptr);
  EXPECT_FALSE(main_->timerClock->isActive());
  EXPECT_EQ(closed.count(), 1);
  main_->timerClockTimer();  // a late period finds no game and does nothing
  EXPECT_FALSE(main_->isProcessing);
}

TEST_F(MainWindowTest, MenuMarksTheCurrentPageAndCloseAsksFirst) {
  QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(10, 10), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(main_->Image2, &move);
  EXPECT_TRUE(main_->mnuMarket->isVisibleTo(main_.get()));
  QTest::mouseClick(main_->mnuMarket, Qt::LeftButton);
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_MARKET);
  EXPECT_TRUE(main_->mnuMarketX->isVisibleTo(main_.get()));
  main_->mnuHomeClick();
  EXPECT_FALSE(main_->mnuMarketX->isVisibleTo(main_.get()));
  EXPECT_TRUE(main_->mnuHomeX->isVisibleTo(main_.get()));
  EXPECT_TRUE(main_->lblBudgetHeader->text().startsWith("TH BUDGET : "));

  // "No" leaves the clock as it was: paused stays paused, running stays running.
  for (const bool running : {false, true}) {
    if (running) main_->timerClock->start();
    QString asked;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      asked = box->windowTitle() + "|" + box->text();
      box->button(QMessageBox::No)->click();
    });
    main_->btnClose0Click();
    EXPECT_EQ(asked, "Exit|Close Qorvex?");
    EXPECT_EQ(main_->timerClock->isActive(), running);
    EXPECT_NE(main_->core, nullptr);
  }
  main_->timerClock->stop();

#if !defined(__SANITIZE_THREAD__)
  // For people to look at. Qt, which the race checker cannot see into, renders a window this large on
  // its own thread pool.
  main_->grab().save(QString::fromStdString(user_.file("qorvex-main-window.png").string()));
#endif
}

}  // namespace
