// The start dialog: lists the saved games and lets the player start a new game, load a save or leave.
// It never touches the running game; the start loop acts on its choice.

#pragma once

#include <functional>

#include <QDialog>
#include <QString>

#include "SkinWidgets.h"

class QLabel;
class QListWidget;
class QMouseEvent;
class QPushButton;

class TfrmLoadGame : public QDialog {
  Q_OBJECT

 public:
  // exec() results: New, the X button, Load (the chosen name goes out through run()). Esc and every other way
  // of closing give QDialog::Rejected (0), which the start loop treats like the X button.
  static constexpr int ResultNew = 1;
  static constexpr int ResultClose = 2;
  static constexpr int ResultLoad = 3;

  enum class Choice { NewGame, LoadGame, Quit };

  explicit TfrmLoadGame(QWidget* parent = nullptr);

  // Shows the dialog modally (the list read afresh) and returns the player's choice. For LoadGame,
  // savePath (when given) receives the full path of the chosen save, ready for QorvexCore::loadGame;
  // for the other choices it is left alone.
  Choice run(QString* savePath = nullptr);

  // The folder the list shows: the Save folder of the user folder.
  static QString saveFolder();

  // Opens the developer test bench; the main window fills it in. Nothing happens while it is empty.
  std::function<void()> openTestBench;

  QLabel* imgBK;
  QListWidget* lstSave;
  QLabel* Image1;
  QLabel* btnNewX;
  QLabel* Image2;
  QLabel* btnLoadX;
  QLabel* lblClock;
  QPushButton* Button1;

 public slots:
  void FormShow();
  void Image1Click();
  void Image2Click();
  void lstSaveDblClick();
  void Image2MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void Button1Click();
  void Image1MouseMove();
  void btnNewXMouseLeave();
  void Image2MouseMove();
  void btnLoadXMouseLeave();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void loadSelected();
  void importSelected();

  QString selectedName_;
  desk::PictureClick click_;
  bool swallowClick_ = false;  // the import gesture's press eats the click that follows
};

extern TfrmLoadGame* frmLoadGame;
