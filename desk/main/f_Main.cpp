#include "f_Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "DoubleClickGuard.h"
#include "JpegLoader.h"
#include "MainLook.h"
#include "ResourceFolders.h"
#include "SkinList.h"
#include "SkinWidgets.h"
#include "f_CWShop.h"
#include "f_LoadGame.h"
#include "f_NewGame.h"

TfrmMain* frmMain = nullptr;

namespace desk {

MainPicture::MainPicture(QWidget* parent, const QString& skinName) : QLabel(parent) {
  if (!skinName.isEmpty()) {
    const QImage image = skin(skinName);
    if (!image.isNull()) {
      setPixmap(QPixmap::fromImage(image));
      resize(image.size());
    }
  }
}

void MainPicture::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

void MainPicture::mouseReleaseEvent(QMouseEvent* event) {
  if (isLeftReleaseInside(this, event)) emit clicked();
  event->accept();
}

void MainPicture::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved();
  QLabel::mouseMoveEvent(event);
}

void MainPicture::enterEvent(QEnterEvent* event) {
  emit entered();
  QLabel::enterEvent(event);
}

void MainPicture::leaveEvent(QEvent* event) {
  emit left();
  QLabel::leaveEvent(event);
}

ClockPie::ClockPie(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
  markClickOnly(this);
}

void ClockPie::setStep(int step, int steps) {
  if (steps <= 0) steps = Qorvex6::QorvexCore::STEPS_PER_CYCLE;
  const int span = 360 - (360 / steps) * std::clamp(step, 0, steps);
  if (span == spanDegrees_) return;
  spanDegrees_ = span;
  update();
}

void ClockPie::setLook(QColor pen, int penWidth, QColor brush) {
  pen_ = pen;
  penWidth_ = penWidth;
  brush_ = brush;
  update();
}

void ClockPie::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(pen_, penWidth_));
  p.setBrush(brush_);
  const QRectF box = QRectF(rect()).adjusted(penWidth_, penWidth_, -penWidth_, -penWidth_);
  // The faint rest of the disc shows how much of the cycle has passed.
  p.save();
  p.setPen(QPen(pen_, 1, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(box);
  p.restore();
  if (spanDegrees_ >= 360)
    p.drawEllipse(box);
  else if (spanDegrees_ > 0)
    p.drawPie(box, 0, spanDegrees_ * 16);
}

void ClockPie::mouseReleaseEvent(QMouseEvent* event) {
  if (isLeftReleaseInside(this, event)) emit clicked();
  event->accept();
}

}  // namespace desk
namespace {

using desk::MainPicture;
using namespace desk::mainLook;

constexpr int kTopBarHeight = 63;
constexpr int kMenuTop = 63;
constexpr int kMenuHeight = 40;
constexpr int kClientTop = 102;

using desk::setTextColour;
using desk::windowFont;

// Paints the window behind a widget in the top bar's colour.
void fillWithTopBarColour(QWidget* widget) {
  widget->setAutoFillBackground(true);
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, QColor(skins::kTopBar.r, skins::kTopBar.g, skins::kTopBar.b));
  widget->setPalette(palette);
}

}  // namespace

TfrmMain::TfrmMain(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint) {
  setWindowTitle("Qorvex");
  setFocusPolicy(Qt::StrongFocus);
  fillWithTopBarColour(this);

  core = std::make_unique<Qorvex6::QorvexCore>(*this, desk::coreFolders());
  currentPage = 0;

  imgBK = new QLabel(this);
  background_ = desk::skin("frmMain_imgBK");

  bkTop = new QWidget(this);
  fillWithTopBarColour(bkTop);
  bkTop->setGeometry(0, 0, 800, kTopBarHeight);

  lblTitle = new MainPicture(this);
  lblTitle->setText("Qorvex 6.7");
  lblTitle->setFont(windowFont(26, true));
  setTextColour(lblTitle, QColor(236, 214, 150));
  lblTitle->adjustSize();
  lblTitle->move(0, (kTopBarHeight - lblTitle->height()) / 2);
  lblTitle->setCursor(Qt::PointingHandCursor);

  auto makeTopButton = [this](const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setFont(windowFont(16, true));
    button->setFlat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(
        "QPushButton { color: rgb(236,214,150); background: rgb(24,70,84); border: 1px solid rgb(60,120,126);"
        " border-radius: 4px; }"
        "QPushButton:hover { background: rgb(36,96,108); }");
    button->resize(26, 26);
    button->move(0, (kTopBarHeight - 26) / 2);
    return button;
  };
  btnClose = makeTopButton("x");
  btnMin = makeTopButton("v");
  btnMin->setToolTip("Minimize to floating gadget.");

  auto makeHoverPair = [this](MainPicture*& base, MainPicture*& hover, const char* baseName,
                              const char* hoverName) {
    base = new MainPicture(this, baseName);
    hover = new MainPicture(this, hoverName);
    // The hover picture lies over the base and lets the mouse through, so the base keeps its hover and
    // click: both show the same action.
    hover->setAttribute(Qt::WA_TransparentForMouseEvents);
    hover->hide();
    base->setCursor(Qt::PointingHandCursor);
    base->move(0, (kTopBarHeight - base->height()) / 2);
    hover->move(base->pos());
    connect(base, &MainPicture::entered, hover, [hover] {
      hover->show();
      hover->raise();
    });
    connect(base, &MainPicture::left, hover, &QWidget::hide);
  };
  makeHoverPair(btnFeedback, btnFeedbackX, "frmMain_btnFeedback", "frmMain_btnFeedbackX");
  makeHoverPair(btnSave, btnSaveX, "frmMain_btnSave", "frmMain_btnSaveX");
  btnSave->setToolTip("Save the game.");

  mnuMain2 = new MainPicture(this, "frmMain_mnuMain2");
  mnuMain2->setScaledContents(true);
  mnuMain1 = new MainPicture(this, "frmMain_mnuMain1");
  mnuMain3 = new MainPicture(this, "frmMain_mnuMain3");
  mnuMain1->move(0, kMenuTop);
  mnuMain2->setGeometry(0, kMenuTop, 800, kMenuHeight);
  mnuMain3->move(800 - mnuMain3->width(), kMenuTop);

  // Stacking, fixed here once: static entries, then the highlights, then the current-page markers.
  const int entryLeft[4] = {43, 163, 283, 403};
  MainPicture** statics[4] = {&Image1, &Image2, &Image3, &Image6};
  const char* staticNames[4] = {"frmMain_Image1", "frmMain_Image2", "frmMain_Image3", "frmMain_Image6"};
  MainPicture** highlights[4] = {&mnuHome, &mnuMarket, &mnuShop, &mnuSetting};
  const char* highlightNames[4] = {"frmMain_mnuHome", "frmMain_mnuMarket", "frmMain_mnuShop",
                                   "frmMain_mnuSetting"};
  MainPicture** markers[4] = {&mnuHomeX, &mnuMarketX, &mnuShopX, &mnuSettingX};
  const char* markerNames[4] = {"frmMain_mnuHomeX", "frmMain_mnuMarketX", "frmMain_mnuShopX",
                                "frmMain_mnuSettingX"};
  for (int i = 0; i < 4; ++i) {
    *statics[i] = new MainPicture(this, staticNames[i]);
    (*statics[i])->setGeometry(entryLeft[i], kMenuTop, 120, 40);
    (*statics[i])->setMouseTracking(true);
  }
  for (int i = 0; i < 4; ++i) {
    *highlights[i] = new MainPicture(this, highlightNames[i]);
    (*highlights[i])->setGeometry(entryLeft[i], kMenuTop, 120, 40);
    (*highlights[i])->setCursor(Qt::PointingHandCursor);
    (*highlights[i])->hide();
    // Leaving the menu takes the highlight away.
    connect(*highlights[i], &MainPicture::left, *highlights[i], &QWidget::hide);
  }
  for (int i = 0; i < 4; ++i) {
    // No handler: a click on the current page's entry ends here.
    *markers[i] = new MainPicture(this, markerNames[i]);
    (*markers[i])->setGeometry(entryLeft[i], kMenuTop, 120, 40);
    (*markers[i])->hide();
  }
  connect(Image1, &MainPicture::mouseMoved, this, &TfrmMain::Image1MouseMove);
  connect(Image2, &MainPicture::mouseMoved, this, &TfrmMain::Image2MouseMove);
  connect(Image3, &MainPicture::mouseMoved, this, &TfrmMain::Image3MouseMove);
  connect(Image6, &MainPicture::mouseMoved, this, &TfrmMain::Image6MouseMove);
  connect(mnuHome, &MainPicture::clicked, this, &TfrmMain::mnuHomeClick);
  connect(mnuMarket, &MainPicture::clicked, this, &TfrmMain::mnuMarketClick);
  connect(mnuShop, &MainPicture::clicked, this, &TfrmMain::mnuShopClick);
  connect(mnuSetting, &MainPicture::clicked, this, &TfrmMain::mnuSettingClick);

  lblBudgetHeader = new MainPicture(this);
  lblBudgetHeader->setFont(windowFont(16, true));
  setTextColour(lblBudgetHeader, QColor(236, 214, 150));
  lblBudgetHeader->setCursor(Qt::PointingHandCursor);
  lblBudgetHeader->setText(kBudgetPrefixes[0]);
  lblBudgetHeader->adjustSize();
  lblBudgetHeader->move(0, kMenuTop + 2);

  lblClock = new MainPicture(this);
  lblClock->setFont(windowFont(13, true));
  lblClock->setAutoFillBackground(true);
  {
    QPalette palette = lblClock->palette();
    palette.setColor(QPalette::Window, QColor(241, 248, 243));
    lblClock->setPalette(palette);
  }
  lblClock->setContentsMargins(6, 0, 6, 0);
  setTextColour(lblClock, kRunningText);
  lblClock->setText("Your first day (0/20)");
  lblClock->adjustSize();
  lblClock->move(0, kMenuTop + 20);

  pieClock = new desk::ClockPie(this);
  pieClock->resize(32, 32);
  pieClock->setLook(kRunningPen, 1, kRunningBrush);
  pieClock->setToolTip("Count down timer. Click here to pause/resume the environments.");
  connect(pieClock, &desk::ClockPie::clicked, this, &TfrmMain::pieClockClick);

  mnuSpeedSlow = new MainPicture(this, "frmMain_mnuSpeedSlow");
  mnuSpeedMedium = new MainPicture(this, "frmMain_mnuSpeedMedium");
  mnuSpeedFast = new MainPicture(this, "frmMain_mnuSpeedFast");
  for (MainPicture* picture : {mnuSpeedSlow, mnuSpeedMedium, mnuSpeedFast}) {
    picture->setCursor(Qt::PointingHandCursor);
    picture->setToolTip("Game speed");
    connect(picture, &MainPicture::clicked, this, &TfrmMain::mnuSpeedSlowClick);
  }
  mnuSpeed = new QMenu(this);
  Slow1 = mnuSpeed->addAction("Slow");
  Medium1 = mnuSpeed->addAction("Medium");
  Fast1 = mnuSpeed->addAction("Fast");
  connect(Slow1, &QAction::triggered, this, &TfrmMain::Slow1Click);
  connect(Medium1, &QAction::triggered, this, &TfrmMain::Medium1Click);
  connect(Fast1, &QAction::triggered, this, &TfrmMain::Fast1Click);

  // The game's display shows from its first update on, once a game runs (updateClock).
  for (QWidget* display : gameDisplay())
    display->hide();

  imgProcessing1 = new MainPicture(this, "frmMain_imgProcessing1");
  imgProcessing1->hide();
  imgRefreshing = new MainPicture(this, "frmMain_imgRefreshing");
  imgRefreshing->hide();

  wndClient = new QWidget(this);
  wndClient->hide();
  wndClient->setGeometry(0, kClientTop, 800, 780);

  timerClock = new QTimer(this);
  timerClock->setInterval(2200);
  connect(timerClock, &QTimer::timeout, this, &TfrmMain::timerClockTimer);

  connect(btnClose, &QPushButton::clicked, this, &TfrmMain::btnClose0Click);
  btnMin->installEventFilter(this);
  connect(btnSave, &MainPicture::clicked, this, &TfrmMain::btnSaveClick);
  connect(btnFeedback, &MainPicture::clicked, this, &TfrmMain::btnFeedbackXClick);
  connect(lblTitle, &MainPicture::clicked, this, &TfrmMain::lblTitleClick);
  connect(lblBudgetHeader, &MainPicture::clicked, this, &TfrmMain::lblBudgetHeaderClick);

  // Key preview: key releases anywhere in this window reach FormKeyUp first.
  qApp->installEventFilter(this);
  layoutControls();
}

TfrmMain::~TfrmMain() {
  qApp->removeEventFilter(this);
  freeGame();
  if (frmMain == this) frmMain = nullptr;
}

// --- Layout ------------------------------------------------------------------------------------------

void TfrmMain::layoutControls() {
  const int W = width();
  const int H = height();
  imgBK->setGeometry(0, 0, W, H);
  if (!background_.isNull() && imgBK->pixmap().size() != QSize(W, H))
    imgBK->setPixmap(QPixmap::fromImage(desk::stretched(background_, W, H)));
  bkTop->resize(W, bkTop->height());
  btnClose->move(W - btnClose->width() - 7, btnClose->y());
  btnMin->move(btnClose->x() - btnClose->width() - 3, btnMin->y());
  lblTitle->move((W - lblTitle->width()) / 2, lblTitle->y());
  btnFeedback->move(btnMin->x() - btnFeedback->width() - 7, btnFeedback->y());
  btnFeedbackX->move(btnFeedback->x(), btnFeedbackX->y());
  btnSave->move(btnFeedback->x() - btnSave->width() - 1, btnSave->y());
  btnSaveX->move(btnSave->x(), btnSaveX->y());
  mnuMain3->move(W - mnuMain3->width(), mnuMain3->y());
  mnuMain2->resize(W, mnuMain2->height());
  lblBudgetHeader->move(mnuMain3->x() - lblBudgetHeader->width() - 110, lblBudgetHeader->y());
  lblClock->move(lblBudgetHeader->x(), lblClock->y());
  wndClient->setGeometry(0, wndClient->y(), W, H - 20);
  // The pie sits in the gap between the header and the right cap; the speed display and the busy
  // pictures at its place go on the top bar, left of the save button.
  pieClock->move(mnuMain3->x() - 110 + (110 - pieClock->width()) / 2,
                 kMenuTop + (kMenuHeight - pieClock->height()) / 2);
  for (QWidget* picture : {static_cast<QWidget*>(mnuSpeedSlow), static_cast<QWidget*>(mnuSpeedMedium),
                           static_cast<QWidget*>(mnuSpeedFast), static_cast<QWidget*>(imgProcessing1),
                           static_cast<QWidget*>(imgRefreshing)})
    picture->move(btnSave->x() - picture->width() - 12, (kTopBarHeight - picture->height()) / 2);
}

QRect TfrmMain::pageGeometry() const {
  const QRect client = wndClient->geometry();
  return {0, client.top() + 3, client.width() - 10, client.height() - 9};
}

void TfrmMain::placePage(QWidget* page) const {
  page->setGeometry(pageGeometry());
  page->show();
  page->raise();
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layoutControls();
}

void TfrmMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) QMetaObject::invokeMethod(this, &TfrmMain::FormShow, Qt::QueuedConnection);
}

void TfrmMain::FormShow() {
  if (QScreen* screen = this->screen()) setGeometry(screen->geometry());
  if (Tag == 0 && frmLoadGame != nullptr && frmNewGame != nullptr) runStartLoop();
  if (currentPage == 0 && Tag == 255) mnuHomeClick();
}

void TfrmMain::runStartLoop() {
  while (Tag == 0 && core) {
    QString savePath;
    const TfrmLoadGame::Choice choice = frmLoadGame->run(&savePath);
    if (choice == TfrmLoadGame::Choice::Quit) {
      close();
      return;
    }
    if (choice == TfrmLoadGame::Choice::NewGame) {
      QString name;
      if (frmNewGame->run(&name, core.get()) == TfrmNewGame::Choice::Quit) {
        close();
        return;
      }
      bool created = false;
      guarded("createGame", [&] { created = core->createGame(name.toStdString()); });
      if (!created) {
        message("Cannot start a new game");
        close();
        return;
      }
    } else {
      bool loaded = false;
      guarded("loadGame", [&] { loaded = core->loadGame(savePath.toStdString()); });
      if (!loaded) {
        message("Incompatible save file format.");
        continue;
      }
    }
    enableTimer(timerClock, true);
    Tag = 255;
    updateClock(false, true);
  }
}

// --- Close -------------------------------------------------------------------------------------------

void TfrmMain::btnClose0Click() {
  const bool wasRunning = timerClock->isActive();
  enableTimer(timerClock, false);
  const auto answer =
      QMessageBox::question(this, "Exit", "Close Qorvex?", QMessageBox::Yes | QMessageBox::No);
  if (answer == QMessageBox::Yes) {
    close();
    return;
  }
  enableTimer(timerClock, wasRunning);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TfrmMain::FormClose() {
  if (formClosed_) return;
  formClosed_ = true;
  freeGame();
  emit gameClosed();
}

void TfrmMain::freeGame() {
  // From here on no clock period, pause toggle or gesture starts a tick.
  closing_ = true;
  timerClock->stop();
  while (isProcessing || runningMasters_ > 0) {
    // The master still hands work to this thread: serve it until the tick has ended.
    QEventLoop wait;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &wait, [&] {
      if (!isProcessing && runningMasters_ == 0) wait.quit();
    });
    poll.start(5);
    wait.exec();
  }
  std::lock_guard lock(gameLock_);
  core.reset();
}
