// The developer test bench: the series parsing and report, the turning-point test, the random draw, and
// its opening from the start dialog while that dialog is modal.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QTest>
#include <QTimer>

#include "Prandom.h"
#include "ScopedEnv.h"
#include "TestDatabase.h"
#include "f_LoadGame.h"
#include "f_TestAlgo.h"

namespace {

class TestBenchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bench_.showMessage = [this](const QString& text) { messages_.push_back(text); };
  }
  std::vector<float> values() const { return bench_.series().getValues(); }
  void analyse(const QString& text) {
    bench_.txtVals->setText(text);
    bench_.Button2Click();
  }
  QString turningPoints(const QStringList& lines) {
    messages_.clear();
    bench_.txtData->setPlainText(lines.join('\n'));
    bench_.Button1Click();
    return messages_.empty() ? QString("(no message)") : messages_.back();
  }
  static QStringList numbers(int from, int to) {
    QStringList out;
    for (int i = from; i <= to; ++i)
      out << QString::number(i);
    return out;
  }

  TForm1 bench_;
  std::vector<QString> messages_;
};

TEST_F(TestBenchTest, ListPiecesFeedTheSeries) {
  const struct {
    const char* text;
    std::vector<float> series;
  } cases[] = {
      {"0,0,0", {0, 0, 0}}, {"1,,2", {1, 0, 2}}, {"1,2,", {1, 2}}, {"", {}},
      {" 2.5x", {2.5f}},    {"abc", {0}},        {"1e3", {1000}},  {"0x10", {0}},
      {"inf,nan", {0, 0}},  {"2,5", {2, 5}},     {"1e39", {0}},    {"-1.5,+2", {-1.5f, 2}},
  };
  for (const auto& c : cases) {
    analyse(c.text);
    EXPECT_EQ(values(), c.series) << c.text;
  }
}

TEST_F(TestBenchTest, ReportOfAFlatAndARisingSeries) {
  analyse("0,0,0");
  EXPECT_EQ(bench_.lblCount->text(), "COUNT: 3");
  EXPECT_EQ(bench_.lblMin->text(), "MIN: 0");
  EXPECT_EQ(bench_.lblMax->text(), "MAX: 0");
  EXPECT_EQ(bench_.lblTrend->text(), "Unknown");
  EXPECT_EQ(bench_.lblVariation->text(), "0");
  EXPECT_EQ(bench_.lblTopPeaks->text(), "");
  EXPECT_EQ(bench_.lblBottomPeaks->text(), "");
  ASSERT_FALSE(messages_.empty());
  EXPECT_EQ(messages_.back(), "[0] 0.00\n[1] 0.00\n[2] 0.00\n");
  EXPECT_EQ(bench_.lstVals->count(), 3);

  analyse(numbers(1, 20).join(','));
  EXPECT_EQ(bench_.lblCount->text(), "COUNT: 20");
  EXPECT_EQ(bench_.lblMax->text(), "MAX: 20");
  EXPECT_EQ(bench_.lblTrend->text(), "Rising");
  EXPECT_EQ(bench_.lblVariation->text(), "0");
  EXPECT_EQ(bench_.lblTopPeaks->text(), "1, 20");
  EXPECT_EQ(bench_.lblBottomPeaks->text(), "1, 20");
  EXPECT_TRUE(messages_.back().startsWith("[0] 1.00\n[1] 2.00\n"));
  EXPECT_TRUE(messages_.back().endsWith("[19] 20.00\n"));
  EXPECT_EQ(bench_.LineSeries2->count(), 20);
}

TEST_F(TestBenchTest, OperandsFromTheSmallBox) {
  analyse("5,6,7");
  const struct {
    void (TForm1::*button)();
    const char* operand;
    std::vector<float> series;
    bool reported;
  } steps[] = {
      {&TForm1::Button4Click, "abc", {6, 7}, true},  // letters read as 0: the first value goes
      {&TForm1::Button4Click, "99", {6, 7}, true},
      {&TForm1::Button4Click, "99999999999", {6, 7}, true},
      {&TForm1::Button4Click, "-1", {6, 7}, true},
      {&TForm1::Button5Click, "abc", {6, 7}, false},
      {&TForm1::Button5Click, "1e39", {6, 7}, false},
      {&TForm1::Button5Click, "2,5", {6, 7}, false},
      {&TForm1::Button5Click, "1.5", {7.5f, 8.5f}, true},
      {&TForm1::Button6Click, "x", {7.5f, 8.5f}, false},
      {&TForm1::Button6Click, "-2", {-15, -17}, true},
      {&TForm1::Button3Click, "", {-17, -15}, true},
  };
  for (const auto& s : steps) {
    messages_.clear();
    bench_.txtK->setText(s.operand);
    (bench_.*s.button)();
    EXPECT_EQ(values(), s.series) << s.operand;
    EXPECT_EQ(!messages_.empty(), s.reported) << s.operand;
  }
}

TEST_F(TestBenchTest, TurningPointsStandForTheirValues) {
  // Up to 22 values the points are positions of the whole series; beyond, the finder looks at the last
  // twenty, whose positions are offset into the series.
  const struct {
    int count;
    const char* first;
    const char* last;
  } cases[] = {
      {20, "[2] 3.00\n", "[15] 16.00\n"}, {21, "[2] 3.00\n", "[16] 17.00\n"},
      {22, "[2] 3.00\n", "[17] 18.00\n"}, {23, "[5] 6.00\n", "[18] 19.00\n"},
      {25, "[7] 8.00\n", "[20] 21.00\n"},
  };
  for (const auto& c : cases) {
    const QString report = turningPoints(numbers(1, c.count));
    EXPECT_TRUE(report.startsWith(c.first)) << c.count << ": " << report.toStdString();
    EXPECT_TRUE(report.endsWith(c.last)) << c.count << ": " << report.toStdString();
    EXPECT_FALSE(report.contains("Abs Delta")) << c.count;
  }
  EXPECT_GT(bench_.Series1->count(), 0);

  EXPECT_EQ(turningPoints(numbers(1, 5)), "No turning points: at least 20 values are needed.");
  EXPECT_EQ(turningPoints({"1", "abc", "3"}), "'abc' is not a valid floating point value");

  // Twenty equal values turn everywhere; their pairs add nothing.
  const QString flat = turningPoints(QStringList(20, "0"));
  EXPECT_TRUE(flat.endsWith("\n\nAbs Delta = 0.00\n")) << flat.toStdString();
  EXPECT_EQ(flat.count("] 0.00\n"), 20);
}

TEST(TestBenchDelta, AbsDeltaDividesOnlyByAPositiveLowerValue) {
  EXPECT_EQ(TForm1::absDeltaText({0, 0}), "\n\nAbs Delta = 0.00\n");
  EXPECT_EQ(TForm1::absDeltaText({1, 2}), "\n\nAbs Delta = 0.50\n");
  EXPECT_EQ(TForm1::absDeltaText({2, 1, 1, 3}), "\n\nAbs Delta = 0.75\n");
  EXPECT_EQ(TForm1::absDeltaText({0, 5}), "\n\nAbs Delta = --\n");
}

TEST_F(TestBenchTest, GenerateAppendsThreeDecimalsWithoutALeadingZero) {
  Qorvex6::setDrawSource([](float) { return 0.6487529f; });
  bench_.Button7Click();
  Qorvex6::setDrawSource(nullptr);
  bench_.Button7Click();
  ASSERT_EQ(bench_.ListBox1->count(), 2);
  EXPECT_EQ(bench_.ListBox1->item(0)->text(), ".649");
  const QString drawn = bench_.ListBox1->item(1)->text();
  EXPECT_TRUE(drawn.isEmpty() || drawn == "1" || (drawn.startsWith('.') && drawn.size() <= 4))
      << drawn.toStdString();
}

TEST(TestBenchFromStartDialog, CtrlPressOnLoadOpensABenchThatTakesInputWhileTheDialogIsModal) {
#if defined(__SANITIZE_THREAD__)
  // Drawing the exposed charts hands work to Qt's own threads, which the race checker cannot see into.
  GTEST_SKIP() << "Qt's drawing threads are not instrumented";
#endif
  testsupport::TempDir user;
  ScopedEnv userEnv{"QORVEX_USER_DIR", QByteArray::fromStdString(user.path().string())};
  TfrmLoadGame dialog;
  auto* bench = new TForm1(&dialog);
  std::vector<QString> messages;
  bench->showMessage = [&](const QString& text) { messages.push_back(text); };
  dialog.openTestBench = [bench] {
    bench->show();
    bench->raise();
  };
  bool benchShown = false;
  QTimer::singleShot(0, &dialog, [&] {
    QTest::mousePress(dialog.Image2, Qt::LeftButton, Qt::ControlModifier);
    QTest::mouseRelease(dialog.Image2, Qt::LeftButton, Qt::ControlModifier);
    benchShown = bench->isVisible() && bench->isWindow();
    if (benchShown && QTest::qWaitForWindowExposed(bench)) QTest::mouseClick(bench->Button2, Qt::LeftButton);
    dialog.done(TfrmLoadGame::ResultClose);
  });
  QTimer::singleShot(5000, &dialog, [&] { dialog.done(-1); });
  dialog.exec();
  EXPECT_TRUE(benchShown);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "[0] 0.00\n[1] 0.00\n[2] 0.00\n");
}

}  // namespace
