#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <QApplication>
#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QStackedWidget>
#include <QValueAxis>

#include "AxisTicks.h"
#include "ListSort.h"
#include "PriceHistoryChart.h"
#include "pages/MarketTestFixture.h"

namespace {

// The chart's widths: its design width and about those the Market page gives it at 1366x768 and
// 1920x1080.
constexpr int kWidths[] = {327, 675, 1230};

// The value labels the chart draws: every visible text but its title.
QStringList axisLabels(QChartView& view) {
  QStringList texts;
  for (QGraphicsItem* item : view.scene()->items()) {
    const auto* label = dynamic_cast<QGraphicsTextItem*>(item);
    if (label == nullptr || !label->isVisible()) continue;
    const QString text = label->toPlainText();
    if (!text.isEmpty() && text != view.chart()->title()) texts << text;
  }
  return texts;
}

// The value labels from the foot of the scale up.
std::vector<std::string> labelsUpwards(QChartView& view) {
  std::multimap<double, std::string, std::greater<>> byHeight;
  for (QGraphicsItem* item : view.scene()->items()) {
    const auto* label = dynamic_cast<QGraphicsTextItem*>(item);
    if (label == nullptr || !label->isVisible()) continue;
    const QString text = label->toPlainText();
    if (!text.isEmpty() && text != view.chart()->title())
      byHeight.emplace(label->sceneBoundingRect().center().y(), text.toStdString());
  }
  std::vector<std::string> labels;
  for (const auto& [y, text] : byHeight)
    labels.push_back(text);
  return labels;
}

QValueAxis* valueAxis(QChartView& view) {
  return qobject_cast<QValueAxis*>(view.chart()->axes(Qt::Vertical).front());
}

// The details panel as the Market page has it: the charts are filled while their page is behind another
// one, and shown afterwards.
class HiddenPage {
 public:
  explicit HiddenPage(int width) {
    stack_.resize(width + 40, 500);
    stack_.addWidget(new QWidget);
    stack_.addWidget(page_);
    price = new desk::PriceHistoryChart(page_, "Price History");
    price->setGeometry(10, 8, width, 230);
    amount = new desk::AmountBars(page_, "Amount History");
    amount->setGeometry(10, 244, width, 160);
    stack_.show();
    QApplication::processEvents();
  }
  void hide() {
    stack_.setCurrentIndex(0);
    QApplication::processEvents();
  }
  void show() {
    stack_.setCurrentWidget(page_);
    QApplication::processEvents();
  }
  desk::PriceHistoryChart* price;
  desk::AmountBars* amount;

 private:
  QStackedWidget stack_;
  QWidget* page_ = new QWidget;
};

// The charts are shown: drawing them hands work to Qt's own threads, which the race checker cannot see
// into.
class HistoryCharts : public ::testing::Test {
 protected:
  void SetUp() override {
#if defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "Qt's drawing threads are not instrumented";
#endif
  }
};

// Every label a number, no two alike, the values inside the scale, which never goes below 0.
void expectReadableScale(QChartView& view, double low, double high, const std::string& what) {
  const QStringList labels = axisLabels(view);
  EXPECT_GE(labels.size(), 3) << what;
  std::vector<double> numbers;
  for (const QString& label : labels) {
    const std::optional<double> number = desk::cellNumber(label.toStdString());
    numbers.push_back(number.value_or(0));
    EXPECT_TRUE(number) << what << ": label \"" << label.toStdString() << "\"";
  }
  std::sort(numbers.begin(), numbers.end());
  EXPECT_EQ(std::adjacent_find(numbers.begin(), numbers.end()), numbers.end())
      << what << ": " << labels.join(" ").toStdString();
  const QValueAxis* axis = valueAxis(view);
  EXPECT_LE(axis->min(), low) << what;
  EXPECT_GE(axis->max(), high) << what;
  EXPECT_GE(axis->min(), 0) << what;
}

TEST_F(HistoryCharts, PriceLabelsAreReadableNumbersFromACentToAHundredThousand) {
  const double magnitudes[] = {0.01, 0.05, 0.5, 3, 12, 980, 45000, 100000};
  for (const int width : kWidths) {
    for (const double price : magnitudes) {
      HiddenPage page(width);
      page.hide();
      std::vector<desk::PriceHistoryChart::Point> points;
      for (int i = 0; i < 120; ++i)
        points.push_back({price * (1 + 0.01 * (i % 7)), Qt::blue});
      page.price->setPoints(points, 4);
      page.show();
      expectReadableScale(*page.price, price, price * 1.06,
                          std::to_string(price) + " at width " + std::to_string(width));
    }
  }
}

TEST_F(HistoryCharts, AmountLabelsAreReadableNumbers) {
  const std::vector<std::vector<double>> cases = {{3, 1, 2}, {1e6, 2.5e7, 3e5}, {4e9, 1.2e10}};
  for (const int width : kWidths) {
    for (const auto& values : cases) {
      HiddenPage page(width);
      page.hide();
      page.amount->setValues(values, 4);
      page.show();
      expectReadableScale(*page.amount, 0, *std::max_element(values.begin(), values.end()),
                          std::to_string(values.front()) + " at width " + std::to_string(width));
    }
  }
}

TEST_F(HistoryCharts, AnEmptyChartAfterAFullOneShowsNoScale) {
  HiddenPage page(kWidths[1]);
  page.price->setPoints({{45000, Qt::blue}, {47000, Qt::blue}}, 4);
  page.amount->setValues({1e6, 2e6}, 4);
  ASSERT_FALSE(axisLabels(*page.price).isEmpty());
  ASSERT_FALSE(axisLabels(*page.amount).isEmpty());
  page.hide();
  page.price->setPoints({}, 4);
  page.amount->setValues({}, 4);
  page.show();
  EXPECT_EQ(axisLabels(*page.price), QStringList());
  EXPECT_EQ(axisLabels(*page.amount), QStringList());
  EXPECT_LT(valueAxis(*page.price)->max(), 45000) << "the earlier stock's range is gone";
}

TEST(AxisTicks, LabelTheTicksWithTheGameNumberTexts) {
  constexpr int kThb = 0, kUsd = 4, kHkd = 5;
  struct Case {
    double low, high;
    int maxTicks, currency;
    std::vector<std::string> texts;
  } cases[] = {
      {0, 0, 5, kThb, {"0.00", "0.50", "1.00"}},
      {12.2, 13.3, 7, kUsd, {"12.00", "12.50", "13.00", "13.50"}},
      {0, 999, 5, kThb, {"0", "500", "1,000", "1,500"}},
      {0, 2.5e6, 5, kUsd, {"0", "1.00 Mil.", "2.00 Mil.", "3.00 Mil."}},
      {0, 4e9, 6, kThb, {"0", "1.000 Bil.", "2.000 Bil.", "3.000 Bil.", "4.000 Bil.", "5.000 Bil."}},
      {0, 1e12, 5, kUsd, {"0", "500.00 Bil.", "1,000.00 Bil.", "1,500.00 Bil."}},
      // Whole billions only: a tick between them is written out.
      {0, 1.2e9, 5, kHkd, {"0", "500.00 Mil.", "1 Bil.", "1,500,000,000"}},
      {0.045, 0.055, 8, kUsd, {"0.044", "0.046", "0.048", "0.050", "0.052", "0.054", "0.056"}},
      {1200, 1350, 8, kThb, {"1,150", "1,200", "1,250", "1,300", "1,350", "1,400"}},
  };
  for (const Case& c : cases) {
    const std::vector<desk::AxisTick> ticks = desk::axisTicks(c.low, c.high, c.maxTicks, c.currency);
    std::vector<std::string> texts;
    for (const desk::AxisTick& tick : ticks) {
      texts.push_back(tick.text);
      EXPECT_NEAR(desk::cellNumber(tick.text).value_or(-1), tick.value, 1e-9 * std::max(1.0, tick.value))
          << tick.text;
    }
    EXPECT_EQ(texts, c.texts) << c.low << ".." << c.high;
  }
}

// From the foot of the scale to its top every tick shows its whole label, in the game's number text of
// the currency, however wide the window makes the chart.
TEST_F(HistoryCharts, EveryTickShowsItsWholeLabelAtBothWindowSizes) {
  struct Case {
    bool price;
    std::vector<double> values;
    int currency;
  } cases[] = {
      {false, {999, 120}, 0},   {false, {4e9, 3.1e9}, 0},   {false, {1e12, 2e11}, 4},
      {false, {1.2e9, 3e8}, 5}, {false, {2.5e6, 1.5e6}, 4}, {true, {0.05, 0.053}, 0},
      {true, {1250, 1330}, 0},  {true, {45000, 47500}, 5},
  };
  for (const int width : kWidths) {
    for (const Case& c : cases) {
      HiddenPage page(width);
      page.hide();
      QChartView* view = page.amount;
      if (c.price) {
        std::vector<desk::PriceHistoryChart::Point> points;
        for (const double value : c.values)
          points.push_back({value, Qt::blue});
        page.price->setPoints(points, c.currency);
        view = page.price;
      } else {
        page.amount->setValues(c.values, c.currency);
      }
      page.show();
      const std::string what = std::to_string(c.values.front()) + " at width " + std::to_string(width);
      const std::vector<std::string> labels = labelsUpwards(*view);
      ASSERT_GE(labels.size(), 3u) << what;
      std::vector<double> ticks;
      for (const std::string& label : labels)
        ticks.push_back(desk::cellNumber(label).value_or(-1));
      const double step = ticks[1] - ticks[0];
      const QValueAxis* axis = valueAxis(*view);
      EXPECT_DOUBLE_EQ(ticks.front(), axis->min()) << what;
      EXPECT_DOUBLE_EQ(ticks.back(), axis->max()) << what;
      for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_NEAR(ticks[i], ticks[0] + static_cast<double>(i) * step, step * 1e-6)
            << what << ": " << labels[i];
        EXPECT_EQ(labels[i], desk::tickText(ticks[i], step, c.currency)) << what;
      }
    }
  }
}

class DetailsChartsTest : public MarketTest {};

TEST_F(DetailsChartsTest, TheAmountChartSkipsDaysWithoutTradedAmount) {
  const std::string symbol = core().getStocksWithCompany("NewYork", 0).items.at(0).stock.symbol;
  // Oldest first: the chart shows the traded days in that order.
  for (const double amount : {500.0, 0.0, 700.0, 0.0, 0.0, 900.0})
    sql("INSERT INTO dailyPrice (symbol, open, close, tradedAmount) VALUES ('" + symbol + "', 10, 11, " +
        std::to_string(amount) + ")");
  showMarket(kNewYork);
  page_->showStockDetails(symbol);
  EXPECT_EQ(page_->chartAmount->values(), (std::vector<double>{500, 700, 900}));
}

}  // namespace
