#include "f_NewGame.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include "Colors.h"
#include "JpegLoader.h"
#include "NameMessages.h"
#include "PlayerName.h"
#include "Qorvex6class.h"
#include "SkinShape.h"
#include "SkinWidgets.h"

TfrmNewGame* frmNewGame = nullptr;

TfrmNewGame::TfrmNewGame(QWidget* parent) : QDialog(parent) {
  imgBK = desk::shapedBackground(this, "frmNewGame_imgBK", desk::skinSize("frmNewGame_imgBK"));

  txtUsername = new QLineEdit("Unknown", this);
  txtUsername->setGeometry(desk::boxOf(skins::kNameBox));
  txtUsername->setFrame(false);
  txtUsername->setFont(desk::windowFont(19));
  txtUsername->setStyleSheet(
      QString("QLineEdit { background: %1; color: %2; border: none; padding: 0 3px;"
              " selection-background-color: #286e6e; selection-color: #faf4dc; }")
          .arg(desk::fromTColor(desk::kFieldBackground).name(), desk::fromTColor(desk::kDialogText).name()));

  Image1 = desk::skinPicture(this, "frmNewGame_Image1", desk::spotOf(skins::kNameNext));
  btnNextX = desk::skinPicture(this, "frmNewGame_btnNextX", desk::spotOf(skins::kNameNext));
  for (QLabel* p : {Image1, btnNextX})
    p->setCursor(Qt::PointingHandCursor);
  Image1->installEventFilter(this);
  btnNextX->installEventFilter(this);
  Image1->setMouseTracking(true);
  btnNextX->hide();

  Button1 = desk::closeButton(this, {675, 8});
  connect(Button1, &QPushButton::clicked, this, &TfrmNewGame::Button1Click);
}

TfrmNewGame::Choice TfrmNewGame::run(QString* name, const Qorvex6::QorvexCore* saves) {
  saves_ = saves;
  const int result = exec();
  saves_ = nullptr;
  if (result != QDialog::Accepted) return Choice::Quit;
  if (name != nullptr) *name = playerName_;
  return Choice::Accept;
}

void TfrmNewGame::showEvent(QShowEvent* event) {
  desk::centreOnScreen(this);
  QDialog::showEvent(event);
  txtUsername->setFocus();
  txtUsername->selectAll();
}

void TfrmNewGame::Image1Click() {
  const std::string text(Qorvex6::trimmedPlayerName(txtUsername->text().toStdString()));
  const bool valid = Qorvex6::isValidPlayerName(text);
  if (!valid || (saves_ != nullptr && saves_->hasSave(text))) {
    QMessageBox box(QMessageBox::NoIcon, "Qorvex", valid ? desk::kNameTaken : desk::kNameNotValid,
                    QMessageBox::Ok, this);
    box.exec();
    return;
  }
  playerName_ = QString::fromStdString(text);
  accept();
}

// The start loop ends the program on this result.
void TfrmNewGame::Button1Click() {
  done(ResultQuit);
}

void TfrmNewGame::Image1MouseMove() {
  btnNextX->show();
  btnNextX->raise();
}

void TfrmNewGame::btnNextXMouseLeave() {
  btnNextX->hide();
}

void TfrmNewGame::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Image1Click();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TfrmNewGame::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Image1 && watched != btnNextX) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      click_.press(watched, static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::MouseButtonRelease:
      if (click_.release(watched, static_cast<QMouseEvent*>(event))) Image1Click();
      return true;
    case QEvent::MouseMove:
      if (watched == Image1) Image1MouseMove();
      return false;
    case QEvent::Leave:
      if (watched == btnNextX) btnNextXMouseLeave();
      return false;
    default:
      return QDialog::eventFilter(watched, event);
  }
}
