// The developer test bench: the trend analysis and the random generator tried on values typed in by
// hand. Ctrl with a press on the start dialog's Load picture opens it.

#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QString>
#include <QWidget>

#include "Ptrendanalytic.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScatterSeries;

namespace desk {
class BenchChart;
}

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // A window of its own that belongs to `owner`: a child window of a modal dialog takes input while the
  // dialog runs.
  explicit TForm1(QWidget* owner = nullptr);
  ~TForm1() override;

  // The values a "+ all" or "x all" operand, a typed line or a list piece stands for: not finite as a
  // float counts as not a number.
  static std::optional<float> strictValue(const QString& text);
  static float pieceValue(const QString& piece);
  // The positions of a turning-point list within a series of `count` values: the finder looks at the last
  // twenty values of a longer series.
  static int seriesPosition(int point, int count);
  // "Abs Delta = 1.23" over the values at the turning points; "--" where a pair would divide by zero.
  static QString absDeltaText(const std::vector<float>& values);

  // Where the reports go; a plain-text message box unless replaced.
  std::function<void(const QString&)> showMessage;

  QGroupBox* GroupBox1;
  QPlainTextEdit* txtData;
  QPushButton* Button1;
  desk::BenchChart* chartData;
  QLineSeries* LineSeries1;
  QScatterSeries* Series1;

  QGroupBox* GroupBox2;
  QLabel* Label1;
  QLineEdit* txtVals;
  QPushButton* Button2;
  QLabel* lblCount;
  QLabel* lblMin;
  QLabel* lblMax;
  QListWidget* lstVals;
  desk::BenchChart* Chart1;
  QLineSeries* LineSeries2;
  QScatterSeries* BubbleSeries1;
  QPushButton* Button3;
  QPushButton* Button4;
  QLineEdit* txtK;
  QPushButton* Button5;
  QPushButton* Button6;
  QLabel* Label2;
  QLabel* lblTopPeaks;
  QLabel* Label3;
  QLabel* lblBottomPeaks;
  QLabel* Label4;
  QLabel* lblTrend;
  QLabel* Label5;
  QLabel* lblVariation;

  QGroupBox* GroupBox3;
  QPushButton* Button7;
  QListWidget* ListBox1;

  const TrendAnalytic::pTrend& series() const { return *trend; }

 public slots:
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void Button7Click();
  void feedTrend(float value);
  void clearTrend();
  void showTrendReport();

 private:
  void message(const QString& text);

  std::unique_ptr<TrendAnalytic::pTrend> trend;
};

extern TForm1* Form1;
