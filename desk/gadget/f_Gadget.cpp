#include "f_Gadget.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <string>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "Qorvex6data.h"
#include "SkinWidgets.h"
#include "f_Main.h"

TfrmGadget* frmGadget = nullptr;

namespace desk {

void GadgetLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (isLeftReleaseInside(this, event)) emit clicked();
  event->accept();
}

}  // namespace desk

namespace {

constexpr int kWidth = 210;
constexpr int kCreatedHeight = 174;
constexpr int kTitleTop = 34;
constexpr int kBottomMargin = 26;
constexpr int kRightGap = 20;
constexpr int kBottomGap = 64;
constexpr int kFadeStep = 2;

// Starts a stopped timer; a running one keeps its period.
void enableTimer(QTimer* timer, bool on) {
  if (on && !timer->isActive()) timer->start();
  if (!on && timer->isActive()) timer->stop();
}

QColor shifted(const QColor& c, int by) {
  return QColor(std::clamp(c.red() + by, 0, 255), std::clamp(c.green() + by, 0, 255),
                std::clamp(c.blue() + by, 0, 255));
}

QString joinedLines(const std::vector<pGadgetDisplayUnit>& lines) {
  QString text;
  for (const pGadgetDisplayUnit& line : lines)
    text += QString::fromStdString(line.text) + "\n";
  return text;
}

}  // namespace

TfrmGadget::TfrmGadget(TfrmMain* main)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      main_(main) {
  setWindowTitle("Qorvex");
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  resize(kWidth, kCreatedHeight);

  lblClock = new desk::GadgetLabel(this);
  lblClock->setGeometry(8, 8, 194, 16);
  lblClock->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblClock->setTextFormat(Qt::PlainText);
  lblClock->setFont(desk::windowFont(13, true));
  lblClock->setCursor(Qt::PointingHandCursor);
  desk::setTextColour(lblClock, kIdleClock);

  lblTitle = new desk::GadgetLabel(this);
  lblTitle->setGeometry(8, kTitleTop, 198, 17);
  lblTitle->setWordWrap(true);
  lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblTitle->setTextFormat(Qt::PlainText);
  lblTitle->setFont(desk::windowFont(13));
  lblTitle->setCursor(Qt::PointingHandCursor);
  setTitleColour(kNormal);

  // The trend pictures stay hidden: the lines carry the change themselves.
  const char* arrows[5] = {"\u21C8", "\u2191", "\u2192", "\u2193", "\u21CA"};
  QLabel** pictures[5] = {&imgStateUp2, &imgStateUp1, &imgState0, &imgStateDown1, &imgStateDown2};
  for (int i = 0; i < 5; ++i) {
    *pictures[i] = new QLabel(QString::fromUtf8(arrows[i]), this);
    (*pictures[i])->setGeometry(21, 8, 20, 20);
    (*pictures[i])->hide();
  }

  timerFadeIn = new QTimer(this);
  timerFadeOut = new QTimer(this);
  timerToggle = new QTimer(this);
  for (QTimer* fade : {timerFadeIn, timerFadeOut}) {
    fade->setInterval(10);
    fade->setTimerType(Qt::PreciseTimer);
  }
  timerToggle->setInterval(3500);
  connect(timerFadeIn, &QTimer::timeout, this, &TfrmGadget::timerFadeInTimer);
  connect(timerFadeOut, &QTimer::timeout, this, &TfrmGadget::timerFadeOutTimer);
  connect(timerToggle, &QTimer::timeout, this, &TfrmGadget::timerToggleTimer);
  connect(lblTitle, &desk::GadgetLabel::clicked, this, &TfrmGadget::lblTitleClick);
  connect(lblClock, &desk::GadgetLabel::clicked, this, &TfrmGadget::lblTitleClick);
}

QRect TfrmGadget::placement(QSize size, QRect screen, QRect available) {
  const int w = std::min(size.width(), available.width());
  const int h = std::min(size.height(), available.height());
  const int left =
      std::clamp(screen.right() + 1 - w - kRightGap, available.left(), available.right() + 1 - w);
  const int top =
      std::clamp(screen.bottom() + 1 - h - kBottomGap, available.top(), available.bottom() + 1 - h);
  return {left, top, w, h};
}

void TfrmGadget::setTitleColour(const QColor& colour) {
  titleColour_ = colour;
  desk::setTextColour(lblTitle, colour);
}

void TfrmGadget::stopTimers() {
  for (QTimer* timer : {timerFadeIn, timerFadeOut, timerToggle})
    enableTimer(timer, false);
}

void TfrmGadget::keepOnScreen() {
  const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  const QRect now = geometry();
  const int left =
      std::clamp(now.left(), available.left(), std::max(available.left(), available.right() + 1 - width()));
  const int top =
      std::clamp(now.top(), available.top(), std::max(available.top(), available.bottom() + 1 - height()));
  if (left != now.left() || top != now.top()) move(left, top);
}

void TfrmGadget::showGadget() {
  setTitleColour(kNormal);
  const bool idle = main_ != nullptr && !main_->isWritingData && main_->core && !main_->core->isBusy();
  if (idle) refreshData();
  // Sized first, then placed: a window placed before it grows would run off the screen.
  renderText();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    setGeometry(placement(size(), screen->geometry(), screen->availableGeometry()));
  enableTimer(timerToggle, true);
  show();
  raise();
}

void TfrmGadget::refreshData() {
  if (main_ == nullptr || !main_->core) return;
  Qorvex6::QorvexCore& core = *main_->core;
  std::vector<pGadgetDisplayUnit> holdings;
  std::vector<pGadgetDisplayUnit> indices;
  try {
    std::lock_guard lock(main_->gameLock());
    const Qorvex6::pList<Qorvex6::qxShare> shares = core.getPortfolio();
    for (int i = 0; i < shares.count(); ++i) {
      const Qorvex6::qxShare share = shares.at(i);
      const char letter = Qorvex6::QorvexCore::getCurrencySymbol(Qorvex6::marketIndexOf(share.marketTitle));
      holdings.push_back(desk::gadget::holdingLine(share.symbol, letter, core.getCurrentPrice(share.symbol),
                                                   share.avg_price));
    }
    for (int market = 0; market < 6; ++market) {
      std::string title;
      Qorvex6::marketTitleOf(title, market);
      // The newest sample and the session's reference, compared as the Market page does.
      const Qorvex6::pList<Qorvex6::qxMktIndex> newestFirst =
          core.getIndexHistory(title, true, core.getSessionSamples(market) + 1);
      indices.push_back(desk::gadget::indexLine(title, newestFirst.at(0).index,
                                                core.getSessionChange(market, newestFirst)));
    }
  } catch (const std::exception& e) {
    qInfo("gadget refresh: %s", e.what());
    return;
  }
  portfolioLines = std::move(holdings);
  indexLines = std::move(indices);
  displayMode = MODE_INDICES;
}

void TfrmGadget::renderText() {
  Qorvex6::QorvexCore* core = main_ != nullptr ? main_->core.get() : nullptr;
  if (core != nullptr && core->isBusy()) return;
  if (core != nullptr) core->setBusy();
  const int n = static_cast<int>(portfolioLines.size());
  if (displayMode == MODE_HOLDINGS) {
    lblTitle->setText(portfolioLines.empty() ? QString("Empty port folio") : joinedLines(portfolioLines));
  } else if (displayMode == MODE_INDICES) {
    lblTitle->setText(joinedLines(indexLines));
  } else {
    displayMode = MODE_INDICES;
  }
  int titleHeight = desk::gadget::linesHeight(n);
  int windowHeight = kTitleTop + titleHeight + kBottomMargin;
  // A long portfolio is cut at the screen's height; the label clips the lines below.
  if (const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen()) {
    const int limit = screen->availableGeometry().height();
    if (windowHeight > limit) {
      windowHeight = limit;
      titleHeight = std::max(0, limit - kTitleTop - kBottomMargin);
    }
  }
  lblTitle->resize(lblTitle->width(), titleHeight);
  resize(kWidth, windowHeight);
  if (isVisible()) keepOnScreen();
  if (core != nullptr) core->clearBusy();
}

void TfrmGadget::refreshAfterCycle() {
  stopTimers();
  refreshData();
  renderText();
  // The turns run only while the gadget is on the screen.
  enableTimer(timerToggle, isVisible());
}

void TfrmGadget::setClockBusy(bool busy) {
  desk::setTextColour(lblClock, busy ? kBusyClock : kIdleClock);
}

void TfrmGadget::setDayText(const QString& text) {
  lblClock->setText(text);
}

void TfrmGadget::timerToggleTimer() {
  displayMode = displayMode == MODE_HOLDINGS ? MODE_INDICES : MODE_HOLDINGS;
  enableTimer(timerFadeOut, true);
  enableTimer(timerToggle, false);
}

void TfrmGadget::timerFadeOutTimer() {
  if (colourNumber(titleColour_) >= colourNumber(kFaded)) {
    setTitleColour(kFaded);
    enableTimer(timerFadeOut, false);
    renderText();
    enableTimer(timerFadeIn, true);
    enableTimer(timerToggle, true);
  } else {
    setTitleColour(shifted(titleColour_, kFadeStep));
  }
}

void TfrmGadget::timerFadeInTimer() {
  if (colourNumber(titleColour_) < colourNumber(kNormal)) {
    setTitleColour(kNormal);
    enableTimer(timerFadeIn, false);
    enableTimer(timerToggle, true);
  } else {
    setTitleColour(shifted(titleColour_, -kFadeStep));
  }
}

void TfrmGadget::lblTitleClick() {
  stopTimers();
  displayMode = MODE_LEFT;
  hide();
  if (main_ != nullptr) {
    main_->show();
    main_->raise();
    main_->activateWindow();
  }
}

void TfrmGadget::closeEvent(QCloseEvent* event) {
  event->ignore();
  lblTitleClick();
}
