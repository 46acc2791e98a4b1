// Plays the program's start without a display and writes pictures of its windows:
//   qorvex_screenshots [folder]   (default: screenshots)
// It answers the start dialog with New, names the player, lets the clock run and raises a popup; then it
// stops the clock, fills the game with a sample and pictures every sub-page of the Home page, then the
// Market page and its order dialog (screenshots_market.cpp).

#include <cstdio>
#include <mutex>
#include <utility>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "Forms.h"
#include "QorvexApplication.h"
#include "SampleGame.h"
#include "ScreenshotSteps.h"
#include "f_About.h"
#include "f_CWHome.h"
#include "f_LoadGame.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "f_NewGame.h"
#include "f_splash.h"

namespace {

QString folder;
bool allWritten = true;

void save(QWidget* window, const char* name) {
  const QString path = QDir(folder).filePath(QString::fromUtf8(name) + ".png");
  const bool written = window->grab().save(path);
  allWritten = allWritten && written;
  std::printf("%s %s\n", written ? "wrote" : "could not write", qPrintable(path));
}

// Calls `step` once `ready` holds, looking every 100 ms.
void when(std::function<bool()> ready, std::function<void()> step) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, ready = std::move(ready), step = std::move(step)] {
    if (!ready()) return;
    timer->stop();
    timer->deleteLater();
    step();
  });
  timer->start(100);
}

// Fills the game once the clock stands still, then shows and saves each Home sub-page in turn.
void homePages() {
  frmMain->timerClock->stop();
  when([] { return !frmMain->isProcessing; },
       [] {
         {
           std::lock_guard lock(frmMain->gameLock());
           if (!sample::fillSampleGame(*frmMain->core, sample::SampleSize{})) {
             std::printf("the sample game could not be written\n");
             allWritten = false;
           }
         }
         frmCwHome->chkWishlist->setChecked(true);
         frmMain->mnuHomeClick();
         using Step = std::pair<void (TfrmCwHome::*)(), const char*>;
         static const Step steps[] = {{&TfrmCwHome::submnuPortClick, "5-home-portfolio"},
                                      {&TfrmCwHome::submnuStatsClick, "6-home-stats"},
                                      {&TfrmCwHome::submnuMoneyClick, "7-home-money"},
                                      {&TfrmCwHome::submnuLifeClick, "8-home-life"},
                                      {&TfrmCwHome::submnuMilestoneClick, "9-home-milestone"}};
         for (std::size_t i = 0; i < std::size(steps); ++i)
           QTimer::singleShot(400 * static_cast<int>(i + 1), [i] {
             const auto click = steps[i].first;
             (frmCwHome->*click)();
             QTimer::singleShot(150, [i] { save(frmMain, steps[i].second); });
           });
         QTimer::singleShot(400 * static_cast<int>(std::size(steps) + 1), [] {
           shots::marketPages(save, [] { QCoreApplication::exit(allWritten ? 0 : 1); });
         });
       });
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QTemporaryDir user;
  qputenv("QORVEX_USER_DIR", user.path().toUtf8());
  desk::QorvexApplication app(argc, argv);
  folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
  QDir().mkpath(folder);

  desk::createForms();
  QObject::connect(frmMain, &TfrmMain::gameClosed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  frmSplash->show();

  when([] { return frmLoadGame->isVisible(); },
       [] {
         save(frmLoadGame, "1-start-dialog");
         frmLoadGame->done(TfrmLoadGame::ResultNew);
       });
  when([] { return frmNewGame->isVisible(); },
       [] {
         frmNewGame->txtUsername->setText("Ann");
         save(frmNewGame, "2-name-dialog");
         frmNewGame->Image1Click();  // Next
       });
  when([] { return frmMain->Tag == 255 && frmMain->core->step.load() >= 2; },
       [] {
         save(frmMain, "3-main-window");
         frmMsgPopup->showPopup("Achievement", "You bought the first share of a stock on your wishlist.", 3);
         QTimer::singleShot(300, [] {
           save(frmMsgPopup, "4-popup");
           frmMsgPopup->hide();
           homePages();
         });
       });
  QTimer::singleShot(60000, [] {
    QWidget* modal = QApplication::activeModalWidget();
    std::printf("the start did not reach the main window in time (game %s, modal window: %s)\n",
                frmMain->Tag == 255 ? "running" : "not started",
                modal ? qPrintable(modal->metaObject()->className()) : "none");
    if (auto* box = qobject_cast<QMessageBox*>(modal)) std::printf("it says: %s\n", qPrintable(box->text()));
    QCoreApplication::exit(1);
  });
  const int result = app.exec();
  // The clock may still be ticking: the main window waits for it and frees the game.
  desk::freeForms();
  return result;
}
