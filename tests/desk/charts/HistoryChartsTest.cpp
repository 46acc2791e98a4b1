#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <QApplication>
#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QStackedWidget>
#include <QValueAxis>

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
    bool ok = false;
    numbers.push_back(label.toDouble(&ok));
    EXPECT_TRUE(ok) << what << ": label \"" << label.toStdString() << "\"";
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
      page.price->setPoints(points);
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
      page.amount->setValues(values);
      page.show();
      expectReadableScale(*page.amount, 0, *std::max_element(values.begin(), values.end()),
                          std::to_string(values.front()) + " at width " + std::to_string(width));
    }
  }
}

TEST_F(HistoryCharts, AnEmptyChartAfterAFullOneShowsNoScale) {
  HiddenPage page(kWidths[1]);
  page.price->setPoints({{45000, Qt::blue}, {47000, Qt::blue}});
  page.amount->setValues({1e6, 2e6});
  ASSERT_FALSE(axisLabels(*page.price).isEmpty());
  ASSERT_FALSE(axisLabels(*page.amount).isEmpty());
  page.hide();
  page.price->setPoints({});
  page.amount->setValues({});
  page.show();
  EXPECT_EQ(axisLabels(*page.price), QStringList());
  EXPECT_EQ(axisLabels(*page.amount), QStringList());
  EXPECT_LT(valueAxis(*page.price)->max(), 45000) << "the earlier stock's range is gone";
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
