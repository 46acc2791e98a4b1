// The popup, the note and the About box.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>

#include <QCursor>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "f_About.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"

namespace {

int shownStars(const TfrmMsgPopup& popup) {
  int shown = 0;
  for (int i = 0; i < 5; ++i) {
    if (!popup.stars[i]->isVisibleTo(&popup)) continue;
    EXPECT_EQ(shown, i) << "star" << i + 1 << " shown after a hidden one";
    ++shown;
  }
  return shown;
}

TEST(MsgPopupTest, ShowsTitleTextAndOnlyTheFirstOneToFiveStars) {
  TfrmMsgPopup popup;
  EXPECT_EQ(popup.size(), QSize(384, 276));
  EXPECT_EQ(shownStars(popup), 0);
  // In sequence on the same popup: each call replaces the stars of the one before.
  const struct {
    int stars;
    int shown;
  } cases[] = {{2, 2}, {1, 1}, {5, 5}, {0, 0}, {3, 3}, {6, 0}, {4, 4}, {-1, 0}};
  for (const auto& c : cases) {
    const QString title = QString("Title %1").arg(c.stars);
    const QString text = QString("Message with %1 stars").arg(c.stars);
    popup.showPopup(title, text, c.stars);
    EXPECT_TRUE(popup.isVisible()) << c.stars;
    EXPECT_EQ(popup.lblTitle->text(), title);
    EXPECT_EQ(popup.lblMsg->text(), text);
    EXPECT_EQ(shownStars(popup), c.shown) << "stars " << c.stars;
  }
}

TEST(MsgPopupTest, KeyReleaseOrClickOnPictureOrMessageClosesIt) {
  TfrmMsgPopup popup;
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"key A", [&] { QTest::keyRelease(&popup, Qt::Key_A); }},
      {"Escape", [&] { QTest::keyRelease(&popup, Qt::Key_Escape); }},
      {"picture", [&] { QTest::mouseClick(popup.Image1, Qt::LeftButton, {}, QPoint(370, 260)); }},
      {"message", [&] { QTest::mouseClick(popup.lblMsg, Qt::LeftButton, {}, QPoint(10, 10)); }},
  };
  for (const auto& [name, close] : ways) {
    popup.showPopup("Save", "Saved completed!", 0);
    ASSERT_TRUE(popup.isVisible()) << name;
    close();
    EXPECT_FALSE(popup.isVisible()) << name;
  }
}

TEST(MsgPopupTest, RepeatedReleaseOfAHeldKeyOrAModifierAloneDoesNotCloseIt) {
  TfrmMsgPopup popup;
  popup.showPopup("Pause", "The game is paused.", 0);
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool autoRepeat;
  } releases[] = {{Qt::Key_P, Qt::NoModifier, true},        {Qt::Key_Alt, Qt::AltModifier, false},
                  {Qt::Key_Alt, Qt::NoModifier, false},     {Qt::Key_Shift, Qt::ShiftModifier, false},
                  {Qt::Key_Control, Qt::NoModifier, false}, {Qt::Key_AltGr, Qt::NoModifier, false}};
  for (const auto& r : releases) {
    QKeyEvent release(QEvent::KeyRelease, r.key, r.modifiers, QString(), r.autoRepeat);
    QCoreApplication::sendEvent(&popup, &release);
    EXPECT_TRUE(popup.isVisible()) << QKeySequence(r.key).toString().toStdString();
  }
}

TEST(MsgPopupTest, PostedFromAnotherThreadShowsOnTheMainThreadWithoutWaiting) {
  TfrmMsgPopup popup;
  // The main thread serves no events until the worker is done: a waiting hand-off could not finish.
  auto worker = std::async(std::launch::async, [&] { popup.postPopup("Milestone", "First million!", 3); });
  const bool returned = worker.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  EXPECT_TRUE(returned) << "the hand-off waited for the main thread";
  if (returned) {
    EXPECT_FALSE(popup.isVisible()) << "shown before the main thread served its events";
  } else {
    // Only lets the stuck hand-off end; the failure is reported above.
    (void)QTest::qWaitFor(
        [&] { return worker.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 3000);
  }

  ASSERT_TRUE(QTest::qWaitFor([&] { return popup.isVisible(); }, 3000));
  EXPECT_EQ(popup.lblTitle->text(), "Milestone");
  EXPECT_EQ(popup.lblMsg->text(), "First million!");
  EXPECT_EQ(shownStars(popup), 3);
}

TEST(MsgQuoteTest, ShowsAtTheMousePointer) {
  // The pointer is shared by every test of the binary: put it back afterwards.
  struct RestorePointer {
    QPoint at = QCursor::pos();
    ~RestorePointer() { QCursor::setPos(at); }
  } restore;
  TfrmMsgQuote note;
  QCursor::setPos(QPoint(123, 87));
  note.showQuote("PROCESSING: Please wait.");
  EXPECT_TRUE(note.isVisible());
  EXPECT_EQ(note.lblMsg->text(), "PROCESSING: Please wait.");
  EXPECT_EQ(note.pos(), QPoint(123, 87));
  EXPECT_EQ(note.size(), QSize(330, 107));
}

TEST(MsgQuoteTest, LaterNotesCloseOnTheRhythmOfTheFirst) {
  TfrmMsgQuote note;
  QElapsedTimer clock;
  clock.start();
  note.showQuote("PROCESSING: Please wait.");
  QTest::qWait(600);
  ASSERT_TRUE(note.isVisible());

  const qint64 secondShown = clock.elapsed();
  note.showQuote("WRITING DATA: Please wait.");
  // Not restarted: the tick that closes it is the first note's, about 600 ms away.
  EXPECT_LT(note.timerFadeOut->remainingTime(), 1000);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !note.isVisible(); }, 3000));
  const qint64 shownFor = clock.elapsed() - secondShown;
  EXPECT_GE(shownFor, 300);
  EXPECT_LT(shownFor, 1000);
  EXPECT_GE(clock.elapsed(), 1100);  // a coarse timer may fire up to 5 % early
  EXPECT_TRUE(note.timerFadeOut->isActive());
}

TEST(AboutTest, AnyKeyOrAClickOnThePictureClosesWithResultOne) {
  TfrmAbout about;
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"key Q", [&] { QTest::keyPress(&about, Qt::Key_Q); }},
      {"Escape", [&] { QTest::keyPress(&about, Qt::Key_Escape); }},
      {"Enter", [&] { QTest::keyPress(&about, Qt::Key_Return); }},
      {"click", [&] { QTest::mouseClick(about.imgBK, Qt::LeftButton, {}, QPoint(200, 150)); }},
  };
  for (const auto& [name, close] : ways) {
    bool answered = false;
    QTimer::singleShot(0, &about, [&] {
      answered = about.isVisible();
      close();
    });
    EXPECT_EQ(about.exec(), 1) << name;
    EXPECT_TRUE(answered) << name;
    EXPECT_FALSE(about.isVisible()) << name;
  }
}

}  // namespace
