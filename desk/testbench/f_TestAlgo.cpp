#include "f_TestAlgo.h"

#include <cmath>
#include <cstdint>
#include <string>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>

#include "BenchChart.h"
#include "NumberParse.h"
#include "NumberText.h"
#include "Prandom.h"
#include "Qorvex6class.h"

TForm1* Form1 = nullptr;

namespace {

using TrendAnalytic::pTrend;
using TrendAnalytic::pTrendFitter;

constexpr std::uint32_t kRed = 255;
constexpr std::uint32_t kBlack = 0;
// A list piece is read from a buffer of 100 bytes: longer pieces are cut.
constexpr int kPieceLength = 99;

QString text(const std::string& s) {
  return QString::fromStdString(s);
}

QString trendName(std::uint8_t trendClass) {
  switch (trendClass) {
    case TrendAnalytic::TREND_RISING:
      return "Rising";
    case TrendAnalytic::TREND_SHARP_RISING:
      return "Sharp Rising";
    case TrendAnalytic::TREND_FALLING:
      return "Falling";
    case TrendAnalytic::TREND_SHARP_FALLING:
      return "Sharp Falling";
    default:
      return "Unknown";
  }
}

QString peakValues(const pTrendFitter& fitter, const std::vector<int>& positions) {
  QStringList values;
  for (int p : positions)
    values << text(platform::formatFixedOrExponent(fitter.valueAt(p), 2, 0));
  return values.join(", ");
}

QPushButton* button(QWidget* parent, const QString& caption, QRect at) {
  auto* b = new QPushButton(caption, parent);
  b->setGeometry(at);
  return b;
}

QLabel* label(QWidget* parent, const QString& caption, QRect at) {
  auto* l = new QLabel(caption, parent);
  l->setTextFormat(Qt::PlainText);
  l->setGeometry(at);
  return l;
}

}  // namespace

TForm1::TForm1(QWidget* owner) : QWidget(owner, Qt::Window), trend(std::make_unique<pTrend>()) {
  setWindowTitle("Form1");
  resize(929, 570);
  QFont font("DejaVu Sans");
  font.setPixelSize(11);
  setFont(font);

  // Collapsed to its caption row: the turning-point test is reached only through its handler.
  GroupBox1 = new QGroupBox("Trend Analyzer", this);
  GroupBox1->setGeometry(8, 8, 593, 23);
  txtData = new QPlainTextEdit("Enter data here", GroupBox1);
  txtData->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtData->setGeometry(8, 26, 120, 374);
  Button1 = button(GroupBox1, "Analyze", {8, 404, 75, 25});
  chartData = new desk::BenchChart(GroupBox1);
  chartData->setGeometry(136, 26, 449, 394);
  LineSeries1 = chartData->addLine(kRed);
  Series1 = chartData->addDiamonds(kBlack);

  GroupBox2 = new QGroupBox("pTrendAnalytic", this);
  GroupBox2->setGeometry(8, 37, 593, 432);
  Label1 = label(GroupBox2, "Input data:", {8, 22, 70, 21});
  txtVals = new QLineEdit("0,0,0", GroupBox2);
  txtVals->setGeometry(80, 22, 420, 21);
  Button2 = button(GroupBox2, "Analyze", {508, 20, 75, 25});
  lblCount = label(GroupBox2, "COUNT:", {8, 52, 120, 17});
  lblMin = label(GroupBox2, "MIN:", {136, 52, 150, 17});
  lblMax = label(GroupBox2, "MAX:", {294, 52, 150, 17});
  lstVals = new QListWidget(GroupBox2);
  lstVals->setGeometry(8, 76, 120, 262);
  Chart1 = new desk::BenchChart(GroupBox2);
  Chart1->setGeometry(136, 76, 449, 262);
  LineSeries2 = Chart1->addLine(kBlack);
  BubbleSeries1 = Chart1->addDiamonds(kBlack);
  BubbleSeries1->setVisible(false);
  Button3 = button(GroupBox2, "Revert", {8, 346, 75, 25});
  Button4 = button(GroupBox2, "Remove at", {91, 346, 75, 25});
  txtK = new QLineEdit("0", GroupBox2);
  txtK->setGeometry(174, 348, 60, 21);
  Button5 = button(GroupBox2, "+ all", {242, 346, 75, 25});
  Button6 = button(GroupBox2, "x all", {325, 346, 75, 25});
  Label2 = label(GroupBox2, "Top Peaks:", {8, 380, 80, 17});
  lblTopPeaks = label(GroupBox2, "OO", {100, 380, 200, 17});
  Label3 = label(GroupBox2, "Bottom Peaks:", {8, 402, 88, 17});
  lblBottomPeaks = label(GroupBox2, "OO", {100, 402, 200, 17});
  Label4 = label(GroupBox2, "Trend:", {310, 380, 60, 17});
  lblTrend = label(GroupBox2, "OO", {372, 380, 210, 17});
  Label5 = label(GroupBox2, "Variation:", {310, 402, 60, 17});
  lblVariation = label(GroupBox2, "OO", {372, 402, 210, 17});

  GroupBox3 = new QGroupBox("Random", this);
  GroupBox3->setGeometry(607, 37, 282, 252);
  Button7 = button(GroupBox3, "Generate", {8, 20, 75, 25});
  ListBox1 = new QListWidget(GroupBox3);
  ListBox1->setGeometry(8, 52, 266, 192);

  connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
  connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
  connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
}

TForm1::~TForm1() = default;

std::optional<float> TForm1::strictValue(const QString& text) {
  const std::optional<double> value = platform::parseDecimal(text.toStdString());
  if (!value) return std::nullopt;
  const auto single = static_cast<float>(*value);
  if (!std::isfinite(single)) return std::nullopt;
  return single;
}

float TForm1::pieceValue(const QString& piece) {
  const auto single = static_cast<float>(platform::decimalPrefix(piece.left(kPieceLength).toStdString()));
  return std::isfinite(single) ? single : 0.0f;
}

int TForm1::seriesPosition(int point, int count) {
  return count > 22 ? count - 20 + point : point;
}

QString TForm1::absDeltaText(const std::vector<float>& values) {
  double delta = 0;
  for (std::size_t i = 1; i < values.size(); ++i) {
    const double a = values[i - 1];
    const double b = values[i];
    if (a == b) continue;
    const double low = std::min(a, b);
    if (low == 0) return "\n\nAbs Delta = --\n";
    delta += std::fabs(a - b) / low;
  }
  delta /= static_cast<double>(values.size());
  return text(platform::formatNumber("\n\nAbs Delta = %0.2f\n", delta));
}

void TForm1::message(const QString& text) {
  if (showMessage) {
    showMessage(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, windowTitle(), text, QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void TForm1::Button1Click() {
  LineSeries1->clear();
  Series1->clear();
  std::vector<float> values;
  const QStringList lines = txtData->toPlainText().split('\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    // The editor's last line break leaves no line of its own.
    if (i == lines.size() - 1 && lines[i].isEmpty() && i > 0) break;
    const std::optional<float> value = strictValue(lines[i]);
    if (!value) {
      chartData->fitAxes();
      message("'" + lines[i] + "' is not a valid floating point value");
      return;
    }
    LineSeries1->append(static_cast<double>(values.size()), *value);
    values.push_back(*value);
  }
  std::vector<int> points;
  float maxValue = 0;
  float minValue = 0;
  Qorvex6::QorvexCore::findTurningPoints(values, points, maxValue, minValue);
  if (points.empty()) {
    chartData->fitAxes();
    message("No turning points: at least 20 values are needed.");
    return;
  }
  const int count = static_cast<int>(values.size());
  QString report;
  std::vector<float> turning;
  for (int p : points) {
    const int at = seriesPosition(p, count);
    const float v = values[static_cast<std::size_t>(at)];
    Series1->append(static_cast<double>(turning.size()), v);
    turning.push_back(v);
    report += text(platform::formatNumber("[" + std::to_string(at) + "] %0.2f\n", v));
  }
  if (points.size() >= 20) report += absDeltaText(turning);
  chartData->fitAxes();
  message(report);
}

void TForm1::Button2Click() {
  clearTrend();
  const QString all = txtVals->text();
  qsizetype i = 0;
  while (i < all.size()) {
    qsizetype end = all.indexOf(',', i);
    if (end < 0) end = all.size();
    feedTrend(pieceValue(all.mid(i, end - i)));
    i = end + 1;
  }
  showTrendReport();
}

void TForm1::Button3Click() {
  trend->reverse();
  showTrendReport();
}

void TForm1::Button4Click() {
  trend->removeAt(platform::integerPrefix(txtK->text().toStdString()));
  showTrendReport();
}

void TForm1::Button5Click() {
  const std::optional<float> operand = strictValue(txtK->text());
  if (!operand) return;
  trend->addToAll(*operand);
  showTrendReport();
}

void TForm1::Button6Click() {
  const std::optional<float> operand = strictValue(txtK->text());
  if (!operand) return;
  trend->multiplyAll(*operand);
  showTrendReport();
}

void TForm1::Button7Click() {
  ListBox1->addItem(text(platform::formatOptionalDecimals(Qorvex6::randomFloat(1.0f), 3)));
}

void TForm1::feedTrend(float value) {
  trend->add(value);
}

void TForm1::clearTrend() {
  trend->clear();
  LineSeries2->clear();
  lstVals->clear();
}

void TForm1::showTrendReport() {
  LineSeries2->clear();
  lstVals->clear();
  lblMin->setText("MIN: " + text(platform::floatToStr(trend->getMin())));
  lblMax->setText("MAX: " + text(platform::floatToStr(trend->getMax())));
  lblCount->setText("COUNT: " + QString::number(trend->count()));
  QString report;
  for (int i = 0; i < trend->count(); ++i) {
    const float v = trend->valueAt(i);
    report += text(platform::formatNumber("[" + std::to_string(i) + "] %4.2f\n", v));
    LineSeries2->append(i, v);
    lstVals->addItem(text(platform::floatToStr(v)));
  }
  Chart1->fitAxes();
  message(report);

  pTrendFitter fitter;
  fitter.setValues(trend->getValues());
  std::uint8_t trendClass = 0;
  std::uint8_t strength = 0;
  fitter.fit(&trendClass, &strength);
  lblTopPeaks->setText(peakValues(fitter, fitter.getPeaks()));
  lblBottomPeaks->setText(peakValues(fitter, fitter.getTroughs()));
  lblTrend->setText(trendName(trendClass));
  lblVariation->setText(QString::number(static_cast<std::int8_t>(strength)));
}
