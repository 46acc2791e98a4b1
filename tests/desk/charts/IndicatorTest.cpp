#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include <QColor>

#include "Indicator.h"
#include "Qorvex6data.h"
#include "Qorvex6list.h"

namespace {

// Records what the painter draws, with the pen and brush colour of each figure.
class RecordingCanvas : public CandleCanvas {
 public:
  struct Figure {
    char kind;  // 'L' line, 'R' rectangle, 'F' fill, 'T' text
    int x1, y1, x2, y2;
    QColor pen, brush;
    QString text;
  };
  void setPen(const QPen& pen) override { pen_ = pen; }
  void setBrush(const QBrush& brush) override { brush_ = brush; }
  void drawLine(int x1, int y1, int x2, int y2) override { add('L', x1, y1, x2, y2); }
  void drawRect(int x1, int y1, int x2, int y2) override { add('R', x1, y1, x2, y2); }
  void fillRect(int x1, int y1, int x2, int y2) override { add('F', x1, y1, x2, y2); }
  void drawText(int x, int y, const QString& text) override {
    add('T', x, y, x, y);
    figures.back().text = text;
  }
  std::vector<Figure> of(char kind, QColor pen = {}) const {
    std::vector<Figure> found;
    for (const Figure& f : figures)
      if (f.kind == kind && (!pen.isValid() || f.pen == pen)) found.push_back(f);
    return found;
  }
  std::vector<Figure> figures;

 private:
  void add(char kind, int x1, int y1, int x2, int y2) {
    figures.push_back({kind, x1, y1, x2, y2, pen_.color(), brush_.color(), {}});
  }
  QPen pen_;
  QBrush brush_;
};

const QColor kWick(16, 128, 80);
const QColor kRising(21, 63, 0);
const QColor kFalling(63, 16, 0);

std::vector<RecordingCanvas::Figure> bodies(const RecordingCanvas& canvas) {
  std::vector<RecordingCanvas::Figure> found = canvas.of('R', kRising);
  for (const auto& f : canvas.of('R', kFalling))
    found.push_back(f);
  return found;
}

TEST(Indicator, PriceRangeFollowsTheCurrentPriceBand) {
  const struct {
    float price, min, max;
  } cases[] = {{2.99f, 0, 5}, {3, 0, 55},       {24.99f, 0, 55},
               {25, 15, 85},  {49.99f, 15, 85}, {3000, 2433, 3999}};
  for (const auto& c : cases) {
    float max = 0;
    float min = 0;
    qxIndicator::priceRange(c.price, max, min);
    EXPECT_FLOAT_EQ(min, c.min) << c.price;
    EXPECT_FLOAT_EQ(max, c.max) << c.price;
  }
}

TEST(Indicator, CandlesFitTheBoxWithTheNewestAtTheRight) {
  const struct {
    int count, width, step;
  } cases[] = {{12, 640, 47}, {90, 400, 3}, {90, 640, 6}, {1, 100, 30}};
  for (const auto& c : cases) {
    RecordingCanvas canvas;
    qxIndicator chart(c.width, 300, &canvas);
    chart.currentPrice = 10;
    for (int i = 0; i < c.count; ++i)
      chart.markers.push_back({10.0f + i * 0.1f, 10.5f + i * 0.1f, 11.0f + i * 0.1f, 9.5f + i * 0.1f});
    chart.prepareCandlestick();
    EXPECT_EQ(chart.candleStep(), c.step) << c.count << " on " << c.width;
    const auto drawn = bodies(canvas);
    ASSERT_EQ(static_cast<int>(drawn.size()), c.count);
    for (const auto& body : drawn) {
      EXPECT_GT(std::min(body.x1, body.x2), qxIndicator::kAxisX) << c.count << " on " << c.width;
      EXPECT_LE(std::max(body.x1, body.x2), c.width) << c.count << " on " << c.width;
    }
    // The last candle drawn is the rightmost one: the list runs oldest to newest.
    EXPECT_GT(drawn.back().x1, drawn.front().x1 - (c.count == 1 ? 1 : 0));
  }
}

TEST(Indicator, CandleShapesForRisingFallingAndMissingValues) {
  RecordingCanvas canvas;
  qxIndicator chart(400, 300, &canvas);
  chart.currentPrice = 10;             // range 0..55, lower edge 0
  chart.markers = {{12, 10, 13, 9},    // falling
                   {10, 10, 11, 9},    // equal: rising
                   {12, 0, 13, 9},     // no close: a flat line at the open
                   {10, 12, -1, -1}};  // no high or low: no wick
  chart.prepareCandlestick();
  EXPECT_EQ(canvas.of('R', kFalling).size(), 1u);
  EXPECT_EQ(canvas.of('R', kRising).size(), 2u);
  const auto wicks = canvas.of('L', kWick);
  EXPECT_EQ(wicks.size(), 3u);
  const auto flat = canvas.of('L', kFalling);
  ASSERT_EQ(flat.size(), 1u);
  EXPECT_EQ(flat[0].y1, flat[0].y2);
  const float scale = (300 - 40) / 55.0f;
  EXPECT_EQ(flat[0].y1, static_cast<int>(300 - 12 * scale - 20));
  // The top label is the range's maximum.
  const auto labels = canvas.of('T');
  ASSERT_FALSE(labels.empty());
  EXPECT_EQ(labels.front().text, "55.00");
  EXPECT_EQ(labels.front().y1, 17);
}

// The wick of one candle, from its top to its bottom row, or none.
std::optional<std::pair<int, int>> wickOf(const DailyPriceMarker& candle) {
  RecordingCanvas canvas;
  qxIndicator chart(400, 300, &canvas);
  chart.currentPrice = 10;  // range 0..55, lower edge 0
  chart.markers = {candle};
  chart.prepareCandlestick();
  const auto wicks = canvas.of('L', kWick);
  if (wicks.empty()) return std::nullopt;
  EXPECT_EQ(wicks.size(), 1u);
  return std::make_pair(wicks[0].y1, wicks[0].y2);
}

Qorvex6::qxStockHistory dailyRow(float open, float close, float high, float low) {
  Qorvex6::qxStockHistory row;
  row.open = open;
  row.close = close;
  row.high = high;
  row.low = low;
  return row;
}

TEST(Indicator, AWickWhereverTheHighIsKnown) {
  const float scale = (300 - 40) / 55.0f;
  const auto y = [&](float v) { return static_cast<int>(300 - v * scale - 20); };
  using Wick = std::optional<std::pair<int, int>>;
  const auto from = [&](float high, float low) { return Wick(std::make_pair(y(high), y(low))); };
  // A daily row's missing high or low is taken from its open and close.
  const struct {
    Qorvex6::qxStockHistory row;
    Wick wick;
  } rows[] = {
      {dailyRow(10, 12, 13, 0), from(13, 10)},  // only the low missing
      {dailyRow(10, 12, 0, 9), from(12, 9)},    // only the high missing
      {dailyRow(12, 10, 0, 0), from(12, 10)},
  };
  for (const auto& c : rows) {
    Qorvex6::pList<Qorvex6::qxStockHistory> list;
    list.items.push_back(c.row);
    const std::vector<DailyPriceMarker> candles = candlesOf(list);
    ASSERT_EQ(candles.size(), 1u);
    EXPECT_EQ(wickOf(candles[0]), c.wick) << c.row.high << "/" << c.row.low;
  }
  // A candle handed over with a low of 0 has its wick at the high; without a usable high, none.
  const struct {
    DailyPriceMarker candle;
    Wick wick;
  } candles[] = {
      {{10, 12, 13, 9}, from(13, 9)},
      {{10, 12, 13, 0}, from(13, 13)},
      {{10, 12, 0, 9}, std::nullopt},
      {{10, 12, 200000, 9}, std::nullopt},
  };
  for (const auto& c : candles)
    EXPECT_EQ(wickOf(c.candle), c.wick) << c.candle.high << "/" << c.candle.low;
}

TEST(Indicator, NothingWithoutCandlesAndOnlyTheBackgroundInATinyBox) {
  RecordingCanvas empty;
  qxIndicator none(400, 300, &empty);
  none.prepareCandlestick();
  EXPECT_TRUE(empty.figures.empty());
  RecordingCanvas tiny;
  qxIndicator small(70, 300, &tiny);
  small.markers = {{1, 2, 3, 0.5f}};
  small.prepareCandlestick();
  ASSERT_EQ(tiny.figures.size(), 1u);
  EXPECT_EQ(tiny.figures[0].kind, 'F');
}

TEST(Indicator, CandlesComeFromTheNewest90DailyRowsOldestFirst) {
  Qorvex6::pList<Qorvex6::qxStockHistory> rows;
  for (int i = 0; i < 150; ++i) {  // newest first: row 0 is day 150
    Qorvex6::qxStockHistory row;
    row.open = static_cast<float>(150 - i);
    row.close = static_cast<float>(150 - i) + 1;
    row.high = i == 0 ? 0 : 500;
    row.low = i == 0 ? 0 : 0.5f;
    rows.items.push_back(row);
  }
  const std::vector<DailyPriceMarker> candles = candlesOf(rows);
  ASSERT_EQ(candles.size(), 90u);
  EXPECT_EQ(candles.front().open, 61);
  EXPECT_EQ(candles.back().open, 150);
  EXPECT_EQ(candles.back().high, 151) << "a missing high is the larger of open and close";
  EXPECT_EQ(candles.back().low, 150) << "a missing low is the smaller";
}

}  // namespace
