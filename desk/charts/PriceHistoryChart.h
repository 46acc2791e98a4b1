// The stock-details price chart: one line whose segments take the colour of the point they end in, drawn
// as one series per run of a colour; a click on it is reported.

#pragma once

#include <vector>

#include <QChartView>
#include <QColor>

class QBarCategoryAxis;
class QBarSet;
class QCategoryAxis;
class QValueAxis;

namespace desk {

class PriceHistoryChart : public QChartView {
  Q_OBJECT

 public:
  struct Point {
    double value;
    QColor colour;
  };

  PriceHistoryChart(QWidget* parent, const QString& title);

  // Replaces the line by the points, the first at the left; the axes fit them, the price ticks labelled
  // with the number texts of the currency (a market index), and an empty line shows no scale.
  void setPoints(const std::vector<Point>& points, int currency);
  const std::vector<Point>& points() const { return points_; }
  // The series drawn for the points: one per run of a colour.
  int runCount() const;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QValueAxis* axisX_;
  QCategoryAxis* axisY_;
  std::vector<Point> points_;
};

// The stock-details traded-amount chart: green bars, the first at the left.
class AmountBars : public QChartView {
  Q_OBJECT

 public:
  AmountBars(QWidget* parent, const QString& title);

  // Replaces the bars by the values, the amount ticks labelled as the price chart's.
  void setValues(const std::vector<double>& values, int currency);
  const std::vector<double>& values() const { return values_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QBarSet* set_;
  QBarCategoryAxis* axisX_;
  QCategoryAxis* axisY_;
  std::vector<double> values_;
};

}  // namespace desk
