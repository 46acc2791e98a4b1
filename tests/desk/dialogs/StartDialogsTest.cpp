// The start dialog and the name dialog, driven by clicks and keys on the offscreen platform.

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ListText.h"
#include "ScopedEnv.h"
#include "f_LoadGame.h"
#include "f_NewGame.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// Runs `action` once the dialog's modal loop is up; a dialog still open after a few seconds is closed so
// a failing test cannot hang, and reported through timedOut.
template <typename Dialog, typename Result>
Result runWith(Dialog& dialog, const std::function<void()>& action, bool* timedOut,
               const std::function<Result()>& run) {
  *timedOut = false;
  QTimer::singleShot(0, &dialog, action);
  QTimer::singleShot(5000, &dialog, [&dialog, timedOut] {
    if (dialog.isVisible()) {
      *timedOut = true;
      dialog.done(-1);
    }
  });
  return run();
}

void touch(const QString& path, const QByteArray& content = "x") {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(content);
}

QPoint itemCentre(QListWidget* list, int row) {
  return list->visualItemRect(list->item(row)).center();
}

class StartDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    save_ = home_.path() + "/Save";
    ASSERT_TRUE(QDir().mkpath(save_));
    touch(save_ + "/Alice");
    touch(save_ + "/Alice.exp");
    touch(save_ + "/Bob");
    touch(save_ + "/Bob.exp");
    ASSERT_TRUE(QDir().mkpath(save_ + "/folder"));
  }

  TfrmLoadGame::Choice runLoad(TfrmLoadGame& d, const std::function<void()>& action, QString* path) {
    return runWith<TfrmLoadGame, TfrmLoadGame::Choice>(d, action, &timedOut_, [&] { return d.run(path); });
  }
  TfrmNewGame::Choice runName(TfrmNewGame& d, const std::function<void()>& action, QString* name) {
    return runWith<TfrmNewGame, TfrmNewGame::Choice>(d, action, &timedOut_, [&] { return d.run(name); });
  }
  void select(TfrmLoadGame& d, const QString& name) {
    const QList<QListWidgetItem*> found = d.lstSave->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(d.lstSave->viewport(), Qt::LeftButton, {},
                      itemCentre(d.lstSave, d.lstSave->row(found[0])));
    ASSERT_TRUE(found[0]->isSelected());
  }

  QTemporaryDir home_;
  QString save_;
  ScopedEnv user_{"QORVEX_USER_DIR", home_.path().toLocal8Bit()};
  ScopedEnv resources_{"QORVEX_RESOURCE_DIR",
                       QFileInfo(QORVEX_TEMPLATE_FILE).dir().absolutePath().toLocal8Bit() + "/.."};
  bool timedOut_ = false;
};

TEST_F(StartDialogs, ListsTheSavesWithoutTheirExportsAndRereadsOnEachShow) {
  TfrmLoadGame d;
  QString path;
  EXPECT_EQ(runLoad(
                d, [&] { d.Button1->click(); }, &path),
            TfrmLoadGame::Choice::Quit);
  EXPECT_EQ(itemTexts(d.lstSave), QStringList({"Alice", "Bob"}));

  touch(save_ + "/Carol");
  touch(save_ + "/Carol.exp.tmp");
  // What a save killed part-way through left is removed as the folder is listed.
  const QString killed = save_ + "/.Bob.tmp-Ab12cD";
  touch(killed);
  {
    QFile file(killed);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
  }
  EXPECT_EQ(runLoad(
                d, [&] { d.Button1->click(); }, &path),
            TfrmLoadGame::Choice::Quit);
  EXPECT_EQ(itemTexts(d.lstSave), QStringList({"Alice", "Bob", "Carol"}));
  EXPECT_FALSE(QFile::exists(killed));

  ASSERT_TRUE(QDir(save_).removeRecursively());
  EXPECT_EQ(runLoad(
                d, [&] { d.Button1->click(); }, &path),
            TfrmLoadGame::Choice::Quit);
  EXPECT_TRUE(itemTexts(d.lstSave).isEmpty());
  EXPECT_FALSE(timedOut_);
}

TEST_F(StartDialogs, StartDialogChoices) {
  struct Case {
    const char* what;
    std::function<void(TfrmLoadGame&)> act;
    TfrmLoadGame::Choice choice;
    QString path;  // the save path handed back for a load
  };
  const auto clickLoad = [](TfrmLoadGame& d) { QTest::mouseClick(d.Image2, Qt::LeftButton); };
  const Case cases[] = {
      {"New",
       [](TfrmLoadGame& d) { QTest::mouseClick(d.Image1, Qt::LeftButton); },
       TfrmLoadGame::Choice::NewGame,
       {}},
      {"New on the hover picture",
       [](TfrmLoadGame& d) {
         QTest::mouseMove(d.Image1, {10, 10});
         ASSERT_TRUE(d.btnNewX->isVisible());
         QTest::mouseClick(d.btnNewX, Qt::LeftButton);
       },
       TfrmLoadGame::Choice::NewGame,
       {}},
      {"X", [](TfrmLoadGame& d) { d.Button1->click(); }, TfrmLoadGame::Choice::Quit, {}},
      {"Esc", [](TfrmLoadGame& d) { QTest::keyClick(&d, Qt::Key_Escape); }, TfrmLoadGame::Choice::Quit, {}},
      {"Load",
       [&](TfrmLoadGame& d) {
         select(d, "Bob");
         clickLoad(d);
       },
       TfrmLoadGame::Choice::LoadGame, save_ + "/Bob"},
      {"Load on the hover picture",
       [&](TfrmLoadGame& d) {
         select(d, "Alice");
         QTest::mouseMove(d.Image2, {10, 10});
         ASSERT_TRUE(d.btnLoadX->isVisible());
         QTest::mouseClick(d.btnLoadX, Qt::LeftButton);
       },
       TfrmLoadGame::Choice::LoadGame, save_ + "/Alice"},
      {"double click",
       [](TfrmLoadGame& d) {
         QTest::mouseClick(d.lstSave->viewport(), Qt::LeftButton, {}, itemCentre(d.lstSave, 1));
         QTest::mouseDClick(d.lstSave->viewport(), Qt::LeftButton, {}, itemCentre(d.lstSave, 1));
       },
       TfrmLoadGame::Choice::LoadGame, save_ + "/Bob"},
      {"Load without a selection stays, then X",
       [&](TfrmLoadGame& d) {
         clickLoad(d);
         ASSERT_TRUE(d.isVisible());
         d.Button1->click();
       },
       TfrmLoadGame::Choice::Quit,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TfrmLoadGame d;
    QString path = "untouched";
    const TfrmLoadGame::Choice choice = runLoad(
        d, [&] { c.act(d); }, &path);
    EXPECT_FALSE(timedOut_);
    EXPECT_EQ(choice, c.choice);
    EXPECT_EQ(path, c.choice == TfrmLoadGame::Choice::LoadGame ? c.path : QString("untouched"));
  }
}

TEST_F(StartDialogs, HoverPicturesShowOverTheirPictureAndHideOnLeave) {
  const auto check = [](QLabel* base, QLabel* hover) {
    EXPECT_FALSE(hover->isVisible());
    QTest::mouseMove(base, {5, 5});
    EXPECT_TRUE(hover->isVisible());
    EXPECT_EQ(hover->geometry(), base->geometry());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(hover, &leave);
    EXPECT_FALSE(hover->isVisible());
  };
  // One dialog at a time: the offscreen cursor also moves over hidden windows.
  {
    TfrmLoadGame d;
    d.show();
    check(d.Image1, d.btnNewX);
    check(d.Image2, d.btnLoadX);
  }
  {
    TfrmNewGame n;
    n.show();
    check(n.Image1, n.btnNextX);
  }
}

TEST_F(StartDialogs, CtrlPressOnLoadOpensTheTestBenchAndARightPressLoadsNothing) {
  TfrmLoadGame d;
  int opened = 0;
  d.openTestBench = [&] { ++opened; };
  QString path = "untouched";
  const auto choice = runLoad(
      d,
      [&] {
        select(d, "Alice");
        QTest::mouseClick(d.Image2, Qt::RightButton, Qt::ControlModifier);
        EXPECT_EQ(opened, 1);
        EXPECT_TRUE(d.isVisible());
        d.openTestBench = nullptr;  // unset: nothing happens
        QTest::mouseClick(d.Image2, Qt::RightButton, Qt::ControlModifier);
        EXPECT_TRUE(d.isVisible());
        d.Button1->click();
      },
      &path);
  EXPECT_FALSE(timedOut_);
  EXPECT_EQ(choice, TfrmLoadGame::Choice::Quit);
  EXPECT_EQ(path, "untouched");
}

// The import starts a fresh game from the template, so the working copy appears only when it ran.
TEST_F(StartDialogs, ImportGestureNeedsASelectionAndEatsItsClick) {
  const QString workingCopy = home_.path() + "/data/sharp.dde";
  TfrmLoadGame d;
  QString path = "untouched";
  const auto choice = runLoad(
      d,
      [&] {
        QTest::mouseClick(d.Image2, Qt::LeftButton, Qt::AltModifier | Qt::ShiftModifier);
        EXPECT_FALSE(QFile::exists(workingCopy));
        ASSERT_TRUE(d.isVisible());

        select(d, "Bob");
        QTest::mouseClick(d.btnLoadX, Qt::LeftButton, Qt::AltModifier | Qt::ShiftModifier);
        EXPECT_TRUE(QFile::exists(workingCopy));
        ASSERT_TRUE(d.isVisible()) << "the click after the gesture loaded the save";

        // The next ordinary click loads again.
        QTest::mouseClick(d.Image2, Qt::LeftButton);
      },
      &path);
  EXPECT_FALSE(timedOut_);
  EXPECT_EQ(choice, TfrmLoadGame::Choice::LoadGame);
  EXPECT_EQ(path, save_ + "/Bob");
}

TEST_F(StartDialogs, NameDialogAcceptsValidNamesByNextOrEnter) {
  struct Case {
    QString typed;
    bool byEnter;
    QString name;
  };
  const Case cases[] = {
      {"Unknown", false, "Unknown"}, {"Mary Ann", true, "Mary Ann"},
      {"Zoë", false, "Zoë"},         {"  Ann  ", true, "Ann"},  // the blanks at the ends go
      {"A  B", false, "A  B"},                                  // those inside stay
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    TfrmNewGame d;
    QString name;
    const auto choice = runName(
        d,
        [&] {
          d.txtUsername->setText(c.typed);
          if (c.byEnter) {
            QTest::keyClick(d.txtUsername, Qt::Key_Return);
          } else {
            QTest::mouseClick(d.Image1, Qt::LeftButton);
          }
        },
        &name);
    EXPECT_FALSE(timedOut_);
    EXPECT_EQ(choice, TfrmNewGame::Choice::Accept);
    EXPECT_EQ(name, c.name);
  }
}

TEST_F(StartDialogs, NameDialogRefusesInvalidNamesWithAMessageAndStaysOpen) {
  const QString cases[] = {
      "", "   ", "a/b", "x:y", "{z}", "back\\slash", "..", "tab\there", QString(32, 'n'), "Alice.exp"};
  for (const QString& bad : cases) {
    SCOPED_TRACE(bad.toStdString());
    TfrmNewGame d;
    std::optional<QString> message;
    QString name = "untouched";
    const auto choice = runName(
        d,
        [&] {
          d.txtUsername->setText(bad);
          QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
              message = box->text();
              box->done(QMessageBox::Ok);
            }
          });
          QTest::mouseClick(d.Image1, Qt::LeftButton);
          EXPECT_TRUE(d.isVisible());
          EXPECT_EQ(d.txtUsername->text(), bad);
          d.Button1->click();
        },
        &name);
    EXPECT_FALSE(timedOut_);
    ASSERT_TRUE(message.has_value()) << "no message shown";
    EXPECT_EQ(*message, "The name you entered is not valid. \nPlease try another name.");
    EXPECT_EQ(choice, TfrmNewGame::Choice::Quit);
    EXPECT_EQ(name, "untouched");
  }
}

TEST_F(StartDialogs, NameDialogStartsWithUnknownAndClosingQuits) {
  const std::function<void(TfrmNewGame&)> closers[] = {
      [](TfrmNewGame& d) { d.Button1->click(); },
      [](TfrmNewGame& d) { QTest::keyClick(&d, Qt::Key_Escape); },
  };
  for (const auto& close : closers) {
    TfrmNewGame d;
    QString shown;
    const auto choice = runName(
        d,
        [&] {
          shown = d.txtUsername->text();
          close(d);
        },
        nullptr);
    EXPECT_FALSE(timedOut_);
    EXPECT_EQ(shown, "Unknown");
    EXPECT_EQ(choice, TfrmNewGame::Choice::Quit);
  }
}

}  // namespace
