// The stock-details price chart: one line whose segments take the colour of the point they end in, drawn
// as one series per run of a colour; a click on it is reported.

#pragma once

#include <vector>

#include <QChartView>
#include <QColor>

class QBarCategoryAxis;
class QBarSet;
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

  // Replaces the line by the points, the first at the left; the axes fit them, and an empty line shows
  // no scale.
  void setPoints(const std::vector<Point>& points);
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
  QValueAxis* axisY_;
  std::vector<Point> points_;
};

// The stock-details traded-amount chart: green bars, the first at the left.
class AmountBars : public QChartView {
  Q_OBJECT

 public:
  AmountBars(QWidget* parent, const QString& title);

  void setValues(const std::vector<double>& values);
  const std::vector<double>& values() const { return values_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QBarSet* set_;
  QBarCategoryAxis* axisX_;
  QValueAxis* axisY_;
  std::vector<double> values_;
};

}  // namespace desk
