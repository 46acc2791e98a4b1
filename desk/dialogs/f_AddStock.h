// The "Add Stock" dialog: a data-entry form for a new stock that reads its fields and stores nothing.
// Only an unbound Ctrl handler of the Market page would show it.

#pragma once

#include <QDialog>

#include "PlainMessage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class TfrmAddStock : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAddStock(QWidget* parent = nullptr);

  desk::PlainMessage message;

  QLineEdit* txtSymbol;
  QComboBox* selMarket;
  QLineEdit* txtCompany;
  QComboBox* selSection;
  QLineEdit* txtBalance;
  QLineEdit* txtVol;
  QLineEdit* txtParVal;
  QCheckBox* chkDiv;
  QLineEdit* txtNumDays;
  QLineEdit* txtDivShare;
  QLineEdit* txtYield;
  QLineEdit* txtClose;
  QLineEdit* txt52High;
  QLineEdit* txt52Low;
  QPushButton* Button1;

 public slots:
  void Button1Click();
};

extern TfrmAddStock* frmAddStock;
