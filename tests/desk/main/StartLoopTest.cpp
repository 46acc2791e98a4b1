// The main window's start loop, driven through its real dialogs, and what a running game does on the
// way to the gadget and back.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "FileOps.h"
#include "ListText.h"
#include "NameMessages.h"
#include "Qorvex6class.h"
#include "ScopedEnv.h"
#include "TestDatabase.h"
#include "f_LoadGame.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "f_NewGame.h"
#include "f_splash.h"
#include "qxHost.h"

namespace {

namespace fs = std::filesystem;

// Answers the modal windows of the start loop as they come up, one step per window, and logs each
// window it saw. A window that comes up when no step is left is logged and closed, so a wrong loop
// shows in the log instead of hanging the test.
class ModalAnswers : public QObject {
 public:
  using Step = std::function<void(QWidget*)>;

  ModalAnswers() {
    connect(&poll_, &QTimer::timeout, this, &ModalAnswers::look);
    poll_.start(10);
  }
  void then(Step step) { steps_.push_back(std::move(step)); }
  bool done() const { return steps_.empty(); }
  QStringList seen;

 private:
  void look() {
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr || !window->isVisible() || window == answered_) return;
    answered_ = window;
    if (auto* box = qobject_cast<QMessageBox*>(window))
      seen << "message: " + box->text();
    else if (window == frmLoadGame)
      seen << "start dialog";
    else if (window == frmNewGame)
      seen << "name dialog";
    else
      seen << QString("window: ") + window->metaObject()->className();
    if (steps_.empty()) {
      if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->done(QDialog::Rejected);
      return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step(window);
    // The same dialog may come up again later (the start dialog after a failed load).
    QTimer::singleShot(0, this, [this, window] {
      if (answered_ == window) answered_ = nullptr;
    });
  }

  QTimer poll_;
  std::deque<Step> steps_;
  QWidget* answered_ = nullptr;
};

// Stands in for the desktop's opener of local files.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened << url; }
};

void chooseNew(QWidget*) {
  frmLoadGame->Image1Click();
}
void chooseX(QWidget*) {
  frmLoadGame->Button1Click();
}
ModalAnswers::Step chooseSave(const QString& name) {
  return [name](QWidget*) {
    const QList<QListWidgetItem*> found = frmLoadGame->lstSave->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    frmLoadGame->lstSave->setCurrentItem(found[0]);
    frmLoadGame->Image2Click();
  };
}
ModalAnswers::Step enterName(const QString& name) {
  return [name](QWidget*) {
    frmNewGame->txtUsername->setText(name);
    frmNewGame->Image1Click();
  };
}
void acknowledge(QWidget* box) {
  static_cast<QMessageBox*>(box)->accept();
}

// Every regular file under the folder, relative to it.
std::vector<std::string> filesUnder(const fs::path& folder) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), folder).string());
  return files;
}

class StartLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    frmMsgPopup = popup_.get();
    frmMsgQuote = quote_.get();
    frmLoadGame = load_.get();
    frmNewGame = name_.get();
  }
  void TearDown() override {
    main_.reset();
    frmLoadGame = nullptr;
    frmNewGame = nullptr;
    frmMsgPopup = nullptr;
    frmMsgQuote = nullptr;
  }

  // A save the start dialog lists, written by a game of its own.
  void writeSave(const std::string& player) {
    Qorvex6::qxNullHost host;
    Qorvex6::QorvexCore core(host,
                             {binFolder().toStdString(), user_.path(), {testsupport::saveCheckerProgram()}});
    ASSERT_TRUE(core.createGame(player));
    fs::create_directories(core.saveFolder());
    ASSERT_TRUE(core.saveGame(core.savePath(player).string()));
  }
  static QString binFolder() { return QCoreApplication::applicationDirPath(); }

  // Shows the main window. The race checker's build only runs what showing it runs: Qt, which that
  // checker cannot see into, hands the painting of a window this large to its own thread pool.
  void showMain() {
#if defined(__SANITIZE_THREAD__)
    QMetaObject::invokeMethod(main_.get(), &TfrmMain::FormShow, Qt::QueuedConnection);
#else
    main_->show();
#endif
  }

  // Shows the main window, as the start-up window does, and serves events until the answers are used
  // up and the start loop has ended: with a running game, or with the window closed.
  void start() {
    main_ = std::make_unique<TfrmMain>();
    closed_ = std::make_unique<QSignalSpy>(main_.get(), &TfrmMain::gameClosed);
    showMain();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          return answers_.done() && QApplication::activeModalWidget() == nullptr &&
                 (main_->Tag == 255 || closed_->count() > 0);
        },
        20000))
        << "seen: " << answers_.seen.join(", ").toStdString();
  }

  testsupport::TempDir user_;
  ScopedEnv userEnv_{"QORVEX_USER_DIR", QByteArray::fromStdString(user_.path().string())};
  ScopedEnv resourceEnv_{"QORVEX_RESOURCE_DIR", binFolder().toUtf8()};
  std::unique_ptr<TfrmMsgPopup> popup_ = std::make_unique<TfrmMsgPopup>();
  std::unique_ptr<TfrmMsgQuote> quote_ = std::make_unique<TfrmMsgQuote>();
  std::unique_ptr<TfrmLoadGame> load_ = std::make_unique<TfrmLoadGame>();
  std::unique_ptr<TfrmNewGame> name_ = std::make_unique<TfrmNewGame>();
  ModalAnswers answers_;
  std::unique_ptr<TfrmMain> main_;
  std::unique_ptr<QSignalSpy> closed_;
};

TEST_F(StartLoop, TheInvisibleStartUpWindowShowsTheMainWindowAfterItsHold) {
#if defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "it shows the main window for real";
#endif
  main_ = std::make_unique<TfrmMain>();
  frmMain = main_.get();
  QElapsedTimer held;
  qint64 dialogAfter = -1;
  answers_.then([&](QWidget* w) {
    dialogAfter = held.elapsed();
    chooseX(w);
  });
  held.start();
  TfrmSplash splash;
  splash.show();
  EXPECT_EQ(splash.windowOpacity(), 0.0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return answers_.done(); }, 10000));
  frmMain = nullptr;
  EXPECT_GE(dialogAfter, TfrmSplash::kHoldMs - 50);
  EXPECT_FALSE(splash.isVisible());
  EXPECT_FALSE(splash.timerHold->isActive()) << "it holds once";
}

TEST_F(StartLoop, TheXButtonEndsTheProgramWithNothingWritten) {
  answers_.then(chooseX);
  start();
  EXPECT_EQ(answers_.seen, QStringList{"start dialog"}) << "the dialog is not shown again";
  EXPECT_EQ(closed_->count(), 1);
  EXPECT_EQ(main_->Tag, 0);
  EXPECT_EQ(main_->core, nullptr);
  EXPECT_FALSE(main_->timerClock->isActive());
  EXPECT_EQ(filesUnder(user_.path()), std::vector<std::string>{});
}

TEST_F(StartLoop, ClosingTheNameDialogEndsTheProgramWithNothingWritten) {
  answers_.then(chooseNew);
  answers_.then([](QWidget*) { frmNewGame->Button1Click(); });
  start();
  EXPECT_EQ(answers_.seen, (QStringList{"start dialog", "name dialog"}));
  EXPECT_EQ(closed_->count(), 1);
  EXPECT_EQ(main_->core, nullptr);
  EXPECT_EQ(filesUnder(user_.path()), std::vector<std::string>{});
}

TEST_F(StartLoop, ANewGameStartsTheClockOnTheHomePage) {
  // Behind the start dialog no game runs yet: no budget header, clock, pie or speed picture.
  const auto gameDisplayShown = [&] {
    int shown = 0;
    for (const QWidget* w :
         {static_cast<QWidget*>(main_->lblBudgetHeader), static_cast<QWidget*>(main_->lblClock),
          static_cast<QWidget*>(main_->pieClock), static_cast<QWidget*>(main_->mnuSpeedSlow),
          static_cast<QWidget*>(main_->mnuSpeedMedium), static_cast<QWidget*>(main_->mnuSpeedFast)})
      shown += w->isVisibleTo(main_.get());
    return shown;
  };
  int shownBehindTheDialog = -1;
  answers_.then([&](QWidget* w) {
    shownBehindTheDialog = gameDisplayShown();
    chooseNew(w);
  });
  answers_.then(enterName("Zoe"));
  start();
  EXPECT_EQ(shownBehindTheDialog, 0);
  EXPECT_EQ(gameDisplayShown(), 6);
  EXPECT_EQ(answers_.seen, (QStringList{"start dialog", "name dialog"}));
  EXPECT_EQ(closed_->count(), 0);
  EXPECT_EQ(main_->Tag, 255);
  EXPECT_TRUE(main_->timerClock->isActive());
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_HOME);
  EXPECT_TRUE(main_->mnuHomeX->isVisibleTo(main_.get()));
  EXPECT_EQ(std::string(main_->core->database->profile.playerName), "Zoe");
  EXPECT_EQ(main_->lblClock->text(), "Your first day (0/20)");
  EXPECT_TRUE(main_->lblBudgetHeader->text().startsWith("TH BUDGET : "));
}

TEST_F(StartLoop, AFailedLoadSaysSoAndShowsTheDialogAgainWithTheListReadAfresh) {
  writeSave("Ann");
  std::ofstream(user_.path() / "Save" / "Broken") << "not a game";
  QStringList firstList;
  QStringList secondList;
  answers_.then([&](QWidget* w) {
    firstList = itemTexts(frmLoadGame->lstSave);
    chooseSave("Broken")(w);
  });
  answers_.then([&](QWidget* box) {
    std::ofstream(user_.path() / "Save" / "Later") << "saved meanwhile";
    acknowledge(box);
  });
  answers_.then([&](QWidget* w) {
    secondList = itemTexts(frmLoadGame->lstSave);
    chooseSave("Ann")(w);
  });
  start();
  EXPECT_EQ(answers_.seen,
            (QStringList{"start dialog", "message: Incompatible save file format.", "start dialog"}));
  EXPECT_EQ(firstList, (QStringList{"Ann", "Broken"}));
  EXPECT_EQ(secondList, (QStringList{"Ann", "Broken", "Later"}));
  ASSERT_EQ(main_->Tag, 255);
  EXPECT_EQ(std::string(main_->core->database->profile.playerName), "Ann");
  EXPECT_TRUE(main_->timerClock->isActive());
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_HOME);
}

TEST_F(StartLoop, AGameThatCannotBeCreatedSaysSoAndEndsTheProgram) {
  testsupport::TempDir noResources;  // the pictures without the template
  fs::create_directory_symlink(fs::path(binFolder().toStdString()) / "skins", noResources.path() / "skins");
  ScopedEnv emptyResources{"QORVEX_RESOURCE_DIR", QByteArray::fromStdString(noResources.path().string())};
  answers_.then(chooseNew);
  answers_.then(enterName("Zoe"));
  answers_.then(acknowledge);
  start();
  EXPECT_EQ(answers_.seen, (QStringList{"start dialog", "name dialog", "message: Cannot start a new game"}));
  EXPECT_EQ(closed_->count(), 1);
  EXPECT_EQ(main_->Tag, 0);
  EXPECT_FALSE(main_->timerClock->isActive());
}

// Away to the gadget and back keeps the page and runs no start dialog; only a right release with Alt
// and Shift boosts the prices instead, and the window stays.
TEST_F(StartLoop, TheGadgetSwapAndTheBoostGesture) {
  answers_.then(chooseNew);
  answers_.then(enterName("Zoe"));
  start();
  ASSERT_EQ(main_->Tag, 255);
  main_->mnuMarketClick();
  int gadgetShows = 0;
  main_->showGadget = [&] { ++gadgetShows; };

  QTest::mouseClick(main_->btnMin, Qt::LeftButton, Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_EQ(gadgetShows, 1);
  EXPECT_TRUE(main_->isHidden());
  showMain();
  QTest::qWait(100);
  EXPECT_EQ(answers_.seen, (QStringList{"start dialog", "name dialog"})) << "no start dialog again";
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_MARKET);
  EXPECT_TRUE(main_->mnuMarketX->isVisibleTo(main_.get()));

  answers_.then(acknowledge);
  QTest::mouseClick(main_->btnMin, Qt::RightButton, Qt::AltModifier);
  EXPECT_EQ(gadgetShows, 2) << "a right release without Shift is no boost";
  showMain();
  QTest::qWait(50);
  const bool hiddenBefore = main_->isHidden();
  QTest::mouseClick(main_->btnMin, Qt::RightButton, Qt::AltModifier | Qt::ShiftModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return answers_.done(); }, 5000));
  EXPECT_EQ(answers_.seen.back(), "message: Boosted!");
  EXPECT_EQ(gadgetShows, 2);
  EXPECT_EQ(main_->isHidden(), hiddenBefore) << "the window stays";
  main_->timerClock->stop();
}

TEST_F(StartLoop, TheFeedbackButtonOpensTheGamesOwnPageAndPagesLieBelowTheMenu) {
  answers_.then(chooseNew);
  answers_.then(enterName("Zoe"));
  start();
  main_->timerClock->stop();

  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("file", &catcher, "open");
  main_->btnFeedbackXClick();
  QDesktopServices::unsetUrlHandler("file");
  ASSERT_EQ(catcher.opened.size(), 1);
  const QString page = catcher.opened[0].toLocalFile();
  EXPECT_TRUE(page.endsWith("/Qorvex/Feedback/index.html")) << page.toStdString();
  QFile file(page);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
  EXPECT_TRUE(file.readAll().contains("Feedback"));

  main_->resize(1280, 800);
  main_->layoutControls();  // a hidden window gets its resize event only when shown
  QWidget page1(main_.get());
  main_->placePage(&page1);
  EXPECT_EQ(main_->wndClient->geometry(), QRect(0, 102, 1280, 780));
  EXPECT_EQ(page1.geometry(), QRect(0, 105, 1270, 771));
  EXPECT_TRUE(page1.isVisibleTo(main_.get()));
}

TEST_F(StartLoop, TheNameDialogRefusesTheNameOfASaveAndTakesAnother) {
  writeSave("Bea");
  std::string bea;
  std::error_code ec;
  ASSERT_TRUE(platform::readFile(user_.path() / "Save" / "Bea", std::size_t{1} << 26, bea, ec));
  QString message;
  answers_.then(chooseNew);
  answers_.then([&](QWidget* w) {
    // The refusal's box runs inside the click; it is answered from there.
    QTimer::singleShot(0, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        message = box->text();
        box->accept();
      }
    });
    enterName("Bea")(w);
  });
  answers_.then(enterName("Bee"));
  start();
  EXPECT_EQ(message, desk::kNameTaken);
  EXPECT_EQ(answers_.seen, (QStringList{"start dialog", "name dialog", "name dialog"}));
  ASSERT_EQ(main_->Tag, 255);
  EXPECT_EQ(std::string(main_->core->database->profile.playerName), "Bee");
  std::string after;
  ASSERT_TRUE(platform::readFile(user_.path() / "Save" / "Bea", std::size_t{1} << 26, after, ec));
  EXPECT_TRUE(after == bea);
}

}  // namespace

#include "StartLoopTest.moc"
