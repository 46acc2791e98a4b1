// The candlestick chart: up to 90 daily candles of a stock against a price axis whose range follows the
// stock's current price. The painter knows nothing of the game: it is handed candles, a price, a size
// and a canvas.

#pragma once

#include <cstdint>
#include <vector>

#include <QBrush>
#include <QPen>
#include <QString>

class QPainter;

namespace Qorvex6 {
struct qxStockHistory;
template <typename T>
class pList;
}  // namespace Qorvex6

struct DailyPriceMarker {
  float open = 0;
  float close = 0;
  float high = 0;
  float low = 0;
};

// The surface the painter draws on: a QPainter in the game, a recording fake in the tests.
class CandleCanvas {
 public:
  virtual ~CandleCanvas() = default;
  virtual void setPen(const QPen& pen) = 0;
  virtual void setBrush(const QBrush& brush) = 0;
  virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
  // Outlined with the pen and filled with the brush, corners included.
  virtual void drawRect(int x1, int y1, int x2, int y2) = 0;
  // The area filled with the brush alone.
  virtual void fillRect(int x1, int y1, int x2, int y2) = 0;
  // Text with its top-left corner at (x, y), on a cell of the brush.
  virtual void drawText(int x, int y, const QString& text) = 0;
};

// A canvas over a QPainter.
class PainterCanvas : public CandleCanvas {
 public:
  explicit PainterCanvas(QPainter& painter) : painter_(painter) {}
  void setPen(const QPen& pen) override;
  void setBrush(const QBrush& brush) override;
  void drawLine(int x1, int y1, int x2, int y2) override;
  void drawRect(int x1, int y1, int x2, int y2) override;
  void fillRect(int x1, int y1, int x2, int y2) override;
  void drawText(int x, int y, const QString& text) override;

 private:
  QPainter& painter_;
};

class qxIndicator {
 public:
  static constexpr int kMaxCandles = 90;
  static constexpr int kAxisX = 70;

  qxIndicator(std::int32_t width, std::int32_t height, CandleCanvas* canvas);

  void applyPenBrush();
  void drawLine(int x1, int y1, int x2, int y2);
  void drawRect(int x1, int y1, int x2, int y2);
  void drawBackground();
  // The vertical range the chart shows for a current price.
  static void priceRange(float price, float& max, float& min);
  void drawCandle(int x, float scale, float min, float open, float close, float high, float low);
  // Draws the whole chart from the fields; nothing without candles, only the background on a surface
  // too small for the axis and the margins.
  void prepareCandlestick();
  // The horizontal distance of two candles: every candle fits between the axis and the right edge.
  int candleStep() const;
  // Half the width of a candle body at the step.
  static int bodyHalfWidth(int step);

  std::int32_t width;
  std::int32_t height;
  std::vector<DailyPriceMarker> markers;
  float currentPrice = 0;
  CandleCanvas* canvas;  // borrowed
  QPen pen;
  QBrush brush;
};

// The candles of a stock's daily rows given newest first: the newest 90 at most, the oldest first; a
// missing high or low (0.001 or below) is taken from the open and the close.
std::vector<DailyPriceMarker> candlesOf(const Qorvex6::pList<Qorvex6::qxStockHistory>& rows);
