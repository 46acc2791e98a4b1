#include "Indicator.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QPainter>

#include "Colors.h"
#include "NumberText.h"
#include "Qorvex6class.h"

namespace {

using desk::fromTColor;

constexpr std::uint32_t kBackgroundPen = 0x307C2F;
constexpr std::uint32_t kBackgroundBrush = 0xF3F8F1;
constexpr std::uint32_t kTick = 0x90B050;
constexpr std::uint32_t kGrid = 0xD3D8D1;
constexpr std::uint32_t kWick = 0x508010;
constexpr std::uint32_t kRisingPen = 0x003F15;
constexpr std::uint32_t kRisingBrush = 0x208035;
constexpr std::uint32_t kFallingPen = 0x00103F;
constexpr std::uint32_t kFallingBrush = 0x204080;
constexpr float kMissingAbove = 100000.0f;
constexpr int kMargin = 20;
constexpr int kGridStep = 30;

QPen penOf(std::uint32_t colour, int width, Qt::PenStyle style = Qt::SolidLine) {
  QPen p(fromTColor(colour));
  p.setWidth(width);
  p.setStyle(style);
  return p;
}

}  // namespace

// --- Canvas over a QPainter ---------------------------------------------------------------------------

void PainterCanvas::setPen(const QPen& pen) {
  painter_.setPen(pen);
}
void PainterCanvas::setBrush(const QBrush& brush) {
  painter_.setBrush(brush);
}
void PainterCanvas::drawLine(int x1, int y1, int x2, int y2) {
  painter_.drawLine(x1, y1, x2, y2);
}
void PainterCanvas::drawRect(int x1, int y1, int x2, int y2) {
  painter_.drawRect(
      QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QSize(std::abs(x2 - x1), std::abs(y2 - y1))));
}
void PainterCanvas::fillRect(int x1, int y1, int x2, int y2) {
  painter_.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), painter_.brush());
}
void PainterCanvas::drawText(int x, int y, const QString& text) {
  const QFontMetrics metrics(painter_.font());
  const QRect cell(x, y, metrics.horizontalAdvance(text), metrics.height());
  painter_.fillRect(cell, painter_.brush());
  painter_.drawText(cell, Qt::AlignLeft | Qt::AlignTop, text);
}

// --- Painter ------------------------------------------------------------------------------------------

qxIndicator::qxIndicator(std::int32_t w, std::int32_t h, CandleCanvas* c)
    : width(w), height(h), canvas(c), pen(Qt::black), brush(Qt::white) {
  pen.setWidth(1);
}

void qxIndicator::applyPenBrush() {
  canvas->setPen(pen);
  canvas->setBrush(brush);
}

void qxIndicator::drawLine(int x1, int y1, int x2, int y2) {
  applyPenBrush();
  canvas->drawLine(x1, y1, x2, y2);
}

void qxIndicator::drawRect(int x1, int y1, int x2, int y2) {
  applyPenBrush();
  canvas->drawRect(x1, y1, x2, y2);
}

void qxIndicator::drawBackground() {
  canvas->setPen(penOf(kBackgroundPen, 1));
  canvas->setBrush(QBrush(fromTColor(kBackgroundBrush)));
  canvas->fillRect(0, 0, width, height);
}

void qxIndicator::priceRange(float price, float& max, float& min) {
  struct Band {
    float below, min, max;
  };
  static constexpr Band bands[] = {{3, 0, 5},      {25, 0, 55},       {50, 15, 85},     {100, 35, 120},
                                   {500, 90, 555}, {1000, 440, 1100}, {3000, 920, 3200}};
  for (const Band& b : bands) {
    if (price < b.below) {
      min = b.min;
      max = b.max;
      return;
    }
  }
  min = 0.811f * price;
  max = 1.333f * price;
}

void qxIndicator::drawCandle(int x, float scale, float min, float open, float close, float high, float low) {
  const auto y = [&](float v) {
    return static_cast<int>(static_cast<float>(height) - (v - min) * scale - kMargin);
  };
  pen = penOf(kWick, 2);
  applyPenBrush();
  if (low == 0) low = high;
  if (high > 0.01f && low > 0.01f) drawLine(x, y(high), x, y(low));
  const bool falling = open > close;
  pen = penOf(falling ? kFallingPen : kRisingPen, 2);
  brush = QBrush(fromTColor(falling ? kFallingBrush : kRisingBrush));
  applyPenBrush();
  const int half = bodyHalfWidth(candleStep());
  if (open > 0.01f && close > 0.01f) {
    drawRect(x - half, y(open), x + half, y(close));
  } else {
    const float v = std::max(open, close);
    drawLine(x - half, y(v), x + half, y(v));
  }
}

int qxIndicator::candleStep() const {
  if (markers.empty()) return 1;
  return std::max(1, (width - kAxisX) / static_cast<int>(markers.size()));
}

int qxIndicator::bodyHalfWidth(int step) {
  return std::min(4, std::max(1, (step - 2) / 2));
}

void qxIndicator::prepareCandlestick() {
  if (markers.empty()) return;
  if (width <= kAxisX || height <= 2 * kMargin) {
    drawBackground();
    return;
  }
  const int step = candleStep();
  using Qorvex6::QorvexCore;
  QorvexCore::debugLog("BEGIN prepare Candlestick");
  for (DailyPriceMarker& m : markers) {
    for (float* v : {&m.open, &m.close, &m.high, &m.low})
      if (*v > kMissingAbove) *v = -1.0f;
    const float top = m.close <= 0 ? m.close : std::max({m.high, m.open, m.close});
    const float bottom = m.close < 0 ? m.close : std::min({m.low, m.open, m.close});
    QorvexCore::debugLog("Candle >> Open/Close: " + platform::formatFixed(m.open, 1, false) + ", " +
                         platform::formatFixed(m.close, 1, false) +
                         " >> High/Low: " + platform::formatFixed(top, 1, false) + ", " +
                         platform::formatFixed(bottom, 0, false) + " ");
  }
  QorvexCore::debugLog("END prepare Candlestick");

  float max = 0;
  float min = 0;
  priceRange(currentPrice, max, min);
  min = min > 1900 ? min - 300 : min * 0.83f;
  const float scale = static_cast<float>(height - 2 * kMargin) / (max - min);

  drawBackground();
  pen = QPen(Qt::black);
  drawLine(kAxisX, 0, kAxisX, height);
  for (int y = kMargin; y < height - kMargin; y += kGridStep) {
    pen = penOf(kTick, 1);
    drawLine(0, y, kAxisX, y);
    pen = penOf(kGrid, 1, Qt::DotLine);
    drawLine(kAxisX + 1, y, width, y);
    const float price = min + static_cast<float>(height - kMargin - y) / scale;
    brush = QBrush(Qt::white);
    applyPenBrush();
    canvas->setPen(QPen(Qt::black));
    canvas->drawText(0, y - 3, QString::fromStdString(platform::formatFixed(price, 2, false)));
  }
  // Each candle in the middle of its own slot, so the first body stays right of the axis.
  int x = kAxisX + 1 + step / 2;
  for (const DailyPriceMarker& m : markers) {
    drawCandle(x, scale, min, m.open, m.close, m.high, m.low);
    x += step;
  }
}

std::vector<DailyPriceMarker> candlesOf(const Qorvex6::pList<Qorvex6::qxStockHistory>& rows) {
  const int k = std::min(qxIndicator::kMaxCandles, rows.count());
  std::vector<DailyPriceMarker> candles;
  candles.reserve(static_cast<std::size_t>(k));
  for (int i = k - 1; i >= 0; --i) {
    const Qorvex6::qxStockHistory row = rows.at(i);
    DailyPriceMarker m;
    m.open = row.open;
    m.close = row.close;
    m.high = row.high > 0.001f ? row.high : std::max(row.open, row.close);
    m.low = row.low > 0.001f ? row.low : std::min(row.open, row.close);
    candles.push_back(m);
  }
  return candles;
}
