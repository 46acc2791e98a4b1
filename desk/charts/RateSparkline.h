// A small axis-less line chart of a few values: the exchange-rate rows of the Home page.

#pragma once

#include <vector>

#include <QChartView>
#include <QColor>

class QLineSeries;
class QValueAxis;

namespace desk {

class RateSparkline : public QChartView {
  Q_OBJECT

 public:
  RateSparkline(QWidget* parent, QColor colour);

  // Replaces the line by the values, the first at the left; the axes fit them (a flat line is padded).
  void setValues(const std::vector<double>& values);
  const std::vector<double>& values() const { return values_; }
  QLineSeries* series() const { return series_; }

 private:
  QLineSeries* series_;
  QValueAxis* axisX_;
  QValueAxis* axisY_;
  std::vector<double> values_;
};

}  // namespace desk
