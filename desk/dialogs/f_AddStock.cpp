#include "f_AddStock.h"

#include <optional>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "NumberParse.h"

TfrmAddStock* frmAddStock = nullptr;

namespace {

constexpr int kLabelLeft = 16;
constexpr int kFieldLeft = 130;
constexpr int kFieldWidth = 200;
constexpr int kRowHeight = 33;
constexpr int kFirstRow = 16;

// A field that does not read as what it should be.
struct NotANumber {
  QString text;
};

double decimalOf(const QLineEdit* field) {
  const std::optional<double> value = platform::parseDecimal(field->text().toStdString());
  if (!value) throw NotANumber{field->text()};
  return *value;
}

int wholeOf(const QLineEdit* field) {
  const std::string text = field->text().trimmed().toStdString();
  const std::optional<double> value = platform::parseDecimal(text);
  if (!value || text.find_first_of(".eE") != std::string::npos || *value < -2147483648.0 ||
      *value > 2147483647.0)
    throw NotANumber{field->text()};
  return static_cast<int>(*value);
}

}  // namespace

TfrmAddStock::TfrmAddStock(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Add Stock");
  setFixedSize(405, 535);
  int row = 0;
  const auto place = [this, &row](const QString& caption, QWidget* field, const QString& unit = {}) {
    const int top = kFirstRow + row * kRowHeight;
    auto* label = new QLabel(caption, this);
    label->setGeometry(kLabelLeft, top, kFieldLeft - kLabelLeft - 8, 23);
    field->setParent(this);
    field->setGeometry(kFieldLeft, top, kFieldWidth, 23);
    if (!unit.isEmpty()) (new QLabel(unit, this))->setGeometry(kFieldLeft + kFieldWidth + 8, top, 50, 23);
    ++row;
  };
  const auto edit = [](const QString& initial = {}) { return new QLineEdit(initial); };
  place("Symbol", txtSymbol = edit());
  selMarket = new QComboBox;
  selMarket->addItems({"Thai", "London", "Japan", "Singapore", "New York"});
  place("Market", selMarket);
  place("Company", txtCompany = edit());
  selSection = new QComboBox;
  selSection->addItems({"Unknown", "Industry", "Agriculture", "Mining", "Medical", "Commerce", "Assurance",
                        "Technology", "Property", "Bank", "Communication", "Power"});
  place("Section", selSection);
  place("Balance", txtBalance = edit(), "Mil.");
  place("Volume", txtVol = edit(), "Mil.");
  place("Par Value", txtParVal = edit("10"));
  chkDiv = new QCheckBox;
  place("Dividend", chkDiv);
  place("Num of Days", txtNumDays = edit("0"));
  place("Div/Share", txtDivShare = edit("0"));
  place("Yield (%)", txtYield = edit("0"));
  place("Close", txtClose = edit());
  place("52Wk High", txt52High = edit());
  place("52Wk Low", txt52Low = edit());
  Button1 = new QPushButton("Add", this);
  Button1->setGeometry(405 - 16 - 90, 535 - 16 - 30, 90, 30);
  connect(Button1, &QPushButton::clicked, this, &TfrmAddStock::Button1Click);
}

void TfrmAddStock::Button1Click() {
  try {
    // Every field read in its type, as a store would need them; nothing is kept.
    const QString symbol = txtSymbol->text();
    const int market = selMarket->currentIndex();
    const QString company = txtCompany->text();
    const int section = selSection->currentIndex();
    const double balance = decimalOf(txtBalance) * 1000000;
    const double volume = decimalOf(txtVol) * 1000000;
    const double parValue = decimalOf(txtParVal);
    const bool dividend = chkDiv->isChecked();
    const int days = wholeOf(txtNumDays);
    const double perShare = decimalOf(txtDivShare);
    const double yield = decimalOf(txtYield);
    const double close = decimalOf(txtClose);
    const double high = decimalOf(txt52High);
    const double low = decimalOf(txt52Low);
    (void)symbol, (void)market, (void)company, (void)section, (void)balance, (void)volume, (void)parValue;
    (void)dividend, (void)days, (void)perShare, (void)yield, (void)close, (void)high, (void)low;
  } catch (const NotANumber& bad) {
    message(this, "'" + bad.text + "' is not a valid number.");
    return;
  }
  message(this, "The function is not complete.");
  done(2);
}
