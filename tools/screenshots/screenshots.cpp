// Plays the program's start without a display and writes pictures of its windows:
//   qorvex_screenshots [folder]   (default: screenshots)
// It answers the start dialog with New, names the player, lets the clock run, pauses and resumes it and
// raises a popup; then it stops the clock, fills the game with a sample and pictures every sub-page of the
// Home page, the Market page and its order dialog (screenshots_market.cpp), the gadget, the test bench, the
// dormant forms, the Shop, a purchase, the Setting page and the transfer dialog.

#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include "Forms.h"
#include "QorvexApplication.h"
#include "SampleGame.h"
#include "ScreenshotSteps.h"
#include "f_About.h"
#include "f_AddStock.h"
#include "f_CWHome.h"
#include "f_CWShop.h"
#include "f_Feedback.h"
#include "f_Gadget.h"
#include "f_LoadGame.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "f_NewGame.h"
#include "f_TestAlgo.h"
#include "f_Transfer.h"
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

// The Shop with the vehicles and a purchase's popup, the Setting page, and the transfer dialog showing the
// preview of 1,000 USD to THB; then the program ends.
void otherPages() {
  frmMain->mnuShopClick();
  QTimer::singleShot(400, [] {
    save(frmMain, "23-shop");
    frmCwShop->buyItem(0);
    // Before the milestone's popup, queued behind it, takes its place.
    save(frmMsgPopup, "24-shop-bought");
    QTimer::singleShot(300, [] {
      frmMsgPopup->hide();
      frmMain->mnuSettingClick();
      QTimer::singleShot(400, [] {
        save(frmMain, "25-setting");
        QTimer::singleShot(400, [] {
          frmTransfer->lstAmount->setCurrentRow(9);
          frmTransfer->lstAmountClick();
          QTimer::singleShot(150, [] {
            save(frmTransfer, "26-transfer");
            frmTransfer->Button2Click();
          });
        });
        frmTransfer->run();
        QCoreApplication::exit(allWritten ? 0 : 1);
      });
    });
  });
}

// The gadget in both turns, the test bench after analysing 1..20, the feedback form and the Add Stock
// dialog; then the other pages.
void peripheryWindows() {
  {
    // A few index values per market, as cycles would have recorded them.
    std::lock_guard lock(frmMain->gameLock());
    const float moves[] = {1.0f, 1.012f, 0.994f, 1.021f};
    for (int market = 0; market < 6; ++market) {
      std::string title;
      Qorvex6::marketTitleOf(title, market);
      for (int k = 0; k < 4; ++k)
        frmMain->core->database->insertIndex(
            title, k,
            Qorvex6::qxSaveGame::indexBase(market) * moves[k] * (1.0f + 0.03f * static_cast<float>(market)));
    }
  }
  frmMain->btnMinMouseUp(Qt::LeftButton, Qt::NoModifier);
  QTimer::singleShot(300, [] {
    save(frmGadget, "18-gadget-indices");
    frmGadget->displayMode = TfrmGadget::MODE_HOLDINGS;
    frmGadget->renderText();
    QTimer::singleShot(150, [] {
      save(frmGadget, "19-gadget-holdings");
      frmGadget->lblTitleClick();
      QStringList values;
      for (int i = 1; i <= 20; ++i)
        values << QString::number(i);
      Form1->showMessage = [](const QString&) {};
      Form1->txtVals->setText(values.join(','));
      Form1->show();
      Form1->Button2Click();
      QTimer::singleShot(300, [] {
        save(Form1, "20-test-bench");
        Form1->hide();
        frmFeedback->txtEmail->setText("ann@example.org");
        frmFeedback->txtComment->setText("The gadget keeps me company while the market plays.");
        frmFeedback->show();
        frmAddStock->show();
        QTimer::singleShot(300, [] {
          save(frmFeedback, "21-feedback");
          save(frmAddStock, "22-add-stock");
          otherPages();
        });
      });
    });
  });
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
         struct Step {
           std::function<void()> show;
           const char* name;
         };
         static const std::vector<Step> steps = {
             {[] { frmCwHome->submnuPortClick(); }, "5-home-portfolio"},
             {[] { frmCwHome->submnuStatsClick(); }, "6-home-stats"},
             {[] { frmCwHome->submnuMoneyClick(); }, "7-home-money"},
             {[] { frmCwHome->submnuLifeClick(); }, "8-home-life"},
             {[] { frmCwHome->submnuMilestoneClick(); }, "9-home-milestone"}};
         for (std::size_t i = 0; i < steps.size(); ++i)
           QTimer::singleShot(400 * static_cast<int>(i + 1), [i] {
             steps[i].show();
             QTimer::singleShot(150, [i] { save(frmMain, steps[i].name); });
           });
         QTimer::singleShot(400 * static_cast<int>(steps.size() + 1),
                            [] { shots::marketPages(save, [] { peripheryWindows(); }); });
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
         // Paused by the pie, the clock takes the paused look and its word; resumed by the key, the running
         // look and the day text again.
         frmMain->pieClockClick();
         save(frmMain, "3-main-window-paused");
         QKeyEvent altP(QEvent::KeyRelease, Qt::Key_P, Qt::AltModifier, "p");
         QApplication::sendEvent(frmMain, &altP);
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
