// The name dialog: asks for the player's name of a new game.

#pragma once

#include <QDialog>
#include <QString>

#include "SkinWidgets.h"

class QLabel;
class QLineEdit;
class QPushButton;
namespace Qorvex6 {
class QorvexCore;
}

class TfrmNewGame : public QDialog {
  Q_OBJECT

 public:
  // exec() results: QDialog::Accepted, the name going out through run(); ResultQuit for the X button, which
  // ends the program. Esc and every other way of closing give QDialog::Rejected (0), also an end.
  static constexpr int ResultQuit = 2;

  enum class Choice { Accept, Quit };

  explicit TfrmNewGame(QWidget* parent = nullptr);

  // Shows the dialog modally. Accept: name (when given) receives a valid player name, ready for
  // QorvexCore::createGame, and with `saves` given one that no save of that core holds. Quit: the start
  // loop ends the program; name is left alone.
  Choice run(QString* name = nullptr, const Qorvex6::QorvexCore* saves = nullptr);

  QLabel* imgBK;
  QLineEdit* txtUsername;
  QLabel* Image1;
  QLabel* btnNextX;
  QPushButton* Button1;

 public slots:
  void Image1Click();
  void Button1Click();
  void Image1MouseMove();
  void btnNextXMouseLeave();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString playerName_;
  const Qorvex6::QorvexCore* saves_ = nullptr;
  desk::PictureClick click_;
};

extern TfrmNewGame* frmNewGame;
