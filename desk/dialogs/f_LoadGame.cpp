#include "f_LoadGame.h"

#include <exception>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include "Colors.h"
#include "JpegLoader.h"
#include "Qorvex6class.h"
#include "ResourceFolders.h"
#include "SkinShape.h"
#include "SkinWidgets.h"

TfrmLoadGame* frmLoadGame = nullptr;

TfrmLoadGame::TfrmLoadGame(QWidget* parent) : QDialog(parent) {
  imgBK = desk::shapedBackground(this, "frmLoadGame_imgBK", desk::skinSize("frmLoadGame_imgBK"));

  lstSave = new QListWidget(this);
  lstSave->setGeometry(desk::boxOf(skins::kLoadList));
  lstSave->setFrameShape(QFrame::NoFrame);
  lstSave->setFont(desk::windowFont(19));
  lstSave->setSelectionMode(QAbstractItemView::SingleSelection);
  lstSave->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lstSave->setUniformItemSizes(true);
  lstSave->setStyleSheet(
      QString("QListWidget { background: %1; color: %2; outline: 0; }"
              "QListWidget::item { height: 23px; border: none; padding-left: 4px; }"
              "QListWidget::item:selected { background: %3; color: %4; border: none; padding-left: 4px; }")
          .arg(desk::fromTColor(desk::kFieldBackground).name(), desk::fromTColor(desk::kDialogText).name(),
               QColor(40, 110, 110).name(), QColor(250, 244, 220).name()));
  connect(lstSave, &QListWidget::itemDoubleClicked, this, &TfrmLoadGame::lstSaveDblClick);

  Image1 = desk::skinPicture(this, "frmLoadGame_Image1", desk::spotOf(skins::kLoadNew));
  btnNewX = desk::skinPicture(this, "frmLoadGame_btnNewX", desk::spotOf(skins::kLoadNew));
  Image2 = desk::skinPicture(this, "frmLoadGame_Image2", desk::spotOf(skins::kLoadLoad));
  btnLoadX = desk::skinPicture(this, "frmLoadGame_btnLoadX", desk::spotOf(skins::kLoadLoad));
  for (QLabel* p : {Image1, btnNewX, Image2, btnLoadX}) {
    p->setCursor(Qt::PointingHandCursor);
    p->installEventFilter(this);
  }
  Image1->setMouseTracking(true);
  Image2->setMouseTracking(true);
  btnNewX->hide();
  btnLoadX->hide();

  lblClock = new QLabel("Double click a slot to load, or click 'new' to start a new virtual market. ", this);
  lblClock->setWordWrap(true);
  lblClock->setGeometry(303, 288, 300, 44);
  lblClock->setFont(desk::windowFont(15));
  desk::setTextColour(lblClock, desk::fromTColor(desk::kDialogText));

  Button1 = desk::closeButton(this, {672, 8});
  connect(Button1, &QPushButton::clicked, this, &TfrmLoadGame::Button1Click);
}

TfrmLoadGame::Choice TfrmLoadGame::run(QString* savePath) {
  switch (exec()) {
    case ResultNew:
      return Choice::NewGame;
    case ResultLoad:
      if (savePath != nullptr) *savePath = saveFolder() + "/" + selectedName_;
      return Choice::LoadGame;
    default:
      return Choice::Quit;
  }
}

QString TfrmLoadGame::saveFolder() {
  return desk::saveFolder();
}

void TfrmLoadGame::showEvent(QShowEvent* event) {
  desk::centreOnScreen(this);
  FormShow();
  QDialog::showEvent(event);
}

void TfrmLoadGame::FormShow() {
  std::vector<std::string> files;
  const std::string folder = QFile::encodeName(saveFolder()).toStdString();
  Qorvex6::removeStaleSaveTemporaries(folder);
  Qorvex6::listFolder(folder, &files, false);
  lstSave->clear();
  for (const std::string& file : files) {
    if (file.find(".exp") != std::string::npos) continue;  // the text exports beside the saves
    auto* item = new QListWidgetItem(QFile::decodeName(QByteArray::fromStdString(file)), lstSave);
    item->setSizeHint(QSize(0, 23));
  }
}

void TfrmLoadGame::Image1Click() {
  done(ResultNew);
}

void TfrmLoadGame::Image2Click() {
  loadSelected();
}

void TfrmLoadGame::lstSaveDblClick() {
  loadSelected();
}

void TfrmLoadGame::Button1Click() {
  done(ResultClose);
}

void TfrmLoadGame::loadSelected() {
  const QListWidgetItem* item = lstSave->currentItem();
  if (item == nullptr || !item->isSelected()) return;
  selectedName_ = item->text();
  done(ResultLoad);
}

void TfrmLoadGame::Image2MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::ControlModifier) {
    if (openTestBench) openTestBench();
  } else if ((modifiers & Qt::AltModifier) && (modifiers & Qt::ShiftModifier)) {
    // The import replaces the working copy; loading the same save right after it would be a surprise.
    if (button == Qt::LeftButton) swallowClick_ = true;
    importSelected();
  }
}

void TfrmLoadGame::importSelected() {
  const QListWidgetItem* item = lstSave->currentItem();
  if (item == nullptr || !item->isSelected()) return;
  const QString exportFile = saveFolder() + "/" + item->text() + ".exp";
  try {
    Qorvex6::qxNullHost host;
    // The temporary core closes its database as it goes out of scope, right after the import.
    Qorvex6::QorvexCore core(host, desk::coreFolders());
    std::vector<Qorvex6::qxShare> rows;
    if (!core.importGame(QFile::encodeName(exportFile).toStdString(), &rows))
      qWarning("import of %s failed", qPrintable(exportFile));
  } catch (const std::exception& e) {
    qWarning("import of %s failed: %s", qPrintable(exportFile), e.what());
  }
}

void TfrmLoadGame::Image1MouseMove() {
  btnNewX->show();
  btnNewX->raise();
}

void TfrmLoadGame::btnNewXMouseLeave() {
  btnNewX->hide();
}

void TfrmLoadGame::Image2MouseMove() {
  btnLoadX->show();
  btnLoadX->raise();
}

void TfrmLoadGame::btnLoadXMouseLeave() {
  btnLoadX->hide();
}

bool TfrmLoadGame::eventFilter(QObject* watched, QEvent* event) {
  const bool onNew = watched == Image1 || watched == btnNewX;
  const bool onLoad = watched == Image2 || watched == btnLoadX;
  if (!onNew && !onLoad) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (click_.press(watched, mouse)) swallowClick_ = false;
      if (onLoad) Image2MouseDown(mouse->button(), mouse->modifiers());
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (!click_.release(watched, static_cast<QMouseEvent*>(event))) return true;
      if (swallowClick_) {
        swallowClick_ = false;
      } else if (onNew) {
        Image1Click();
      } else {
        Image2Click();
      }
      return true;
    }
    case QEvent::MouseMove:
      if (watched == Image1) Image1MouseMove();
      if (watched == Image2) Image2MouseMove();
      return false;
    case QEvent::Leave:
      if (watched == btnNewX) btnNewXMouseLeave();
      if (watched == btnLoadX) btnLoadXMouseLeave();
      return false;
    default:
      return QDialog::eventFilter(watched, event);
  }
}
