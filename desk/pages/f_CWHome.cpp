#include "f_CWHome.h"

#include <algorithm>

#include <QEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>

#include "Colors.h"
#include "JpegLoader.h"
#include "PageLook.h"
#include "PageWidgets.h"
#include "RateSparkline.h"
#include "SkinWidgets.h"
#include "f_Main.h"

TfrmCwHome* frmCwHome = nullptr;

namespace {

using desk::fromTColor;
using desk::windowFont;

constexpr std::uint32_t kTitleColour = 0x113127;
constexpr std::uint32_t kValueColour = 0x2B7942;
constexpr std::uint32_t kNameColour = 0x318A45;
constexpr std::uint32_t kListBackground = 0x92E7C2;
constexpr std::uint32_t kChartLine = 0x0000FF;

using namespace desk::pageFrame;
constexpr int kInboxWidth = 470;
constexpr int kSlotWidth = 140;
constexpr int kSlotHeight = 194;
constexpr int kSlotStepX = 152;
constexpr int kSlotStepY = 202;

QLabel* label(QWidget* parent, const QString& caption, QRect at, int pixels, std::uint32_t colour,
              bool bold = false) {
  return desk::plainLabel(parent, caption, at, pixels, colour, bold);
}

QLabel* title(QWidget* parent, const QString& caption, QPoint at) {
  return desk::pageTitle(parent, caption, at);
}

using desk::bodyPanel;

QPushButton* button(QWidget* parent, const QString& caption, QRect at) {
  return desk::pageButton(parent, caption, at);
}

}  // namespace

TfrmCwHome::TfrmCwHome(TfrmMain* main) : QWidget(main, Qt::FramelessWindowHint), main_(main) {
  resize(1007, 701);
  setFont(windowFont(15));
  for (int i = 3; i < kStateCount; ++i)
    imlStates[i] = QPixmap::fromImage(desk::skin(QString("imlStates_%1").arg(i)));
  for (int i = 0; i < kProductCount; ++i)
    imlProduct[i] = QPixmap::fromImage(desk::skin(QString("imlProduct_%1").arg(i)));
  slotBelonging.fill(-1);
  askText = [this](const QString& caption, const QString& prompt,
                   const QString& text) -> std::optional<QString> {
    bool accepted = false;
    const QString answer = QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, text, &accepted);
    if (!accepted) return std::nullopt;
    return answer;
  };
  showMessage = [this](const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, "Qorvex", text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
  };

  buildHeader();
  buildMenu();
  panelBody = new QStackedWidget(this);
  panelBody->setGeometry(kBodyLeft, kBodyTop, 797, 531);
  buildPort();
  buildStats();
  buildMoney();
  buildLife();
  buildMilestone();
  refreshInbox();
  FormResize();
  hide();

  if (main_ != nullptr)
    connect(main_, &TfrmMain::pageChanged, this, [this](int page) {
      if (page != TfrmMain::PAGE_HOME) hide();
    });
}

TfrmCwHome::~TfrmCwHome() {
  if (frmCwHome == this) frmCwHome = nullptr;
}

void TfrmCwHome::buildHeader() {
  panelTop = new QWidget(this);
  panelTop->setObjectName("panelTop");
  desk::panelLook(panelTop, 200);
  panelTop->setGeometry(kBodyLeft, kTopTop, 797, kTopHeight);
  imgAvatar = desk::skinPicture(panelTop, "frmCwHome_imgAvatar", QPoint(10, 8));
  imgAvatar->resize(32, 32);
  lblUsername = label(panelTop, QString(), QRect(50, 2, 300, 38), 31, kNameColour);
  lblUsername->setCursor(Qt::IBeamCursor);
  lblUsername->installEventFilter(this);
  lblLevel = label(panelTop, QString(), QRect(52, 44, 330, 24), 17, kNameColour);
  Shape11 = new QFrame(panelTop);
  Shape11->setObjectName("Shape11");
  Shape11->setStyleSheet(
      QString("QFrame#Shape11 { background: %1; border: 2px solid %2; border-radius: 4px; }")
          .arg(desk::cssColour(desk::kInboxFill), desk::cssColour(desk::kFrameGreen)));
  lblInbox = label(panelTop, QString(), QRect(0, 0, 10, 10), 13, kValueColour);
  lblInbox->setWordWrap(true);
  lblInbox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblInbox->installEventFilter(this);
  Button2 = button(panelTop, "Next >", QRect(0, 0, 72, 24));
  connect(Button2, &QPushButton::clicked, this, &TfrmCwHome::Button2Click);
}

void TfrmCwHome::buildMenu() {
  const char* const names[5] = {"Port", "Stats", "Money", "Life", "Milestone"};
  desk::MainPicture** entries[5] = {&submnuPort, &submnuStats, &submnuMoney, &submnuLife, &submnuMilestone};
  desk::MainPicture** highlights[5] = {&hil1, &hil2, &hil3, &hil4, &hil5};
  for (int i = 0; i < 5; ++i) {
    const QPoint at(kMenuLeft, kMenuTop + i * kMenuStep);
    *entries[i] = new desk::MainPicture(this, QString("frmCwHome_submnu") + names[i]);
    *highlights[i] = new desk::MainPicture(this, QString("frmCwHome_hil%1").arg(i + 1));
    for (desk::MainPicture* picture : {*entries[i], *highlights[i]}) {
      picture->move(at);
      if (picture->pixmap().isNull()) picture->resize(170, 40);
      picture->setCursor(Qt::PointingHandCursor);
      connect(picture, &desk::MainPicture::clicked, this, [this, i] { selectSubPage(i); });
    }
    (*highlights[i])->setVisible(i == 0);
  }
}

void TfrmCwHome::buildPort() {
  panelPort = bodyPanel(panelBody, "panelPort");
  lblPortValue = label(panelPort, QString(), QRect(12, 8, 700, 28), 20, kTitleColour, true);
  chkWishlist = new QCheckBox("Display my wishlist", panelPort);
  chkWishlist->setFont(windowFont(15));
  desk::setTextColour(chkWishlist, fromTColor(kTitleColour));
  chkWishlist->setGeometry(14, 40, 220, 24);
  connect(chkWishlist, &QCheckBox::clicked, this, &TfrmCwHome::chkWishlistClick);

  lstPortFolio = new QTreeWidget(panelPort);
  lstPortFolio->setGeometry(10, 70, 760, 440);
  lstPortFolio->setColumnCount(7);
  lstPortFolio->setHeaderLabels(
      {QString(), "Symbol", "Value", "Current Price", "Profit/Loss", "Quantity", "Duration (days)"});
  const int widths[7] = {53, 117, 128, 128, 139, 128, 107};
  for (int c = 0; c < 7; ++c) {
    lstPortFolio->setColumnWidth(c, widths[c]);
    if (c >= 2 && c <= 5) lstPortFolio->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  }
  lstPortFolio->setRootIsDecorated(false);
  lstPortFolio->setUniformRowHeights(true);
  lstPortFolio->setSelectionMode(QAbstractItemView::SingleSelection);
  lstPortFolio->setSelectionBehavior(QAbstractItemView::SelectRows);
  lstPortFolio->setIconSize(QSize(20, 20));
  lstPortFolio->setFont(windowFont(15));
  lstPortFolio->setToolTip("Double click a stock to see further details.");
  lstPortFolio->setSortingEnabled(false);
  lstPortFolio->header()->setSectionsClickable(true);
  lstPortFolio->header()->setStretchLastSection(true);
  QPalette palette = lstPortFolio->palette();
  palette.setColor(QPalette::Base, fromTColor(kListBackground));
  palette.setColor(QPalette::Text, fromTColor(kValueColour));
  lstPortFolio->setPalette(palette);
  connect(lstPortFolio->header(), &QHeaderView::sectionClicked, this, &TfrmCwHome::lstPortFolioColumnClick);
  connect(lstPortFolio, &QTreeWidget::itemDoubleClicked, this, [this] { lstPortFolioDblClick(); });
}

void TfrmCwHome::buildStats() {
  panelStats = bodyPanel(panelBody, "panelStats");
  title(panelStats, "Lifetime Records", QPoint(24, 16));
  const char* const captions[5] = {"Highest profit", "Highest loss", "Highest Budget", "Highest Port Value",
                                   "Longest Holding"};
  QLabel** values[5] = {&lblStatHighestProfit, &lblStatHighestLoss, &lblStatHighestBudget,
                        &lblStatHighestPortVal, &lblStatLongestHolding};
  for (int i = 0; i < 5; ++i) {
    const int y = 64 + i * 44;
    label(panelStats, captions[i], QRect(30, y, 210, 28), 18, kTitleColour);
    *values[i] = label(panelStats, "--", QRect(250, y, 520, 28), 18, kValueColour, true);
  }
}

void TfrmCwHome::buildMoney() {
  panelMoney = bodyPanel(panelBody, "panelMoney");
  title(panelMoney, "Exchange Rates (USD)", QPoint(24, 16));
  const char* const currencies[5] = {"GBP", "JPY", "THB", "SGD", "HKD"};
  QLabel** rates[5] = {&lblExGBP, &lblExJPY, &lblExTHB, &lblExSGD, &lblExHKD};
  desk::RateSparkline** charts[5] = {&chartRateLondon, &chartRateJapan, &chartRateThai, &chartRateSingapore,
                                     &chartRateHongkong};
  for (int i = 0; i < 5; ++i) {
    const int y = 62 + i * 40;
    label(panelMoney, currencies[i], QRect(30, y, 50, 26), 17, kTitleColour);
    *rates[i] = label(panelMoney, "--", QRect(84, y, 80, 26), 17, kValueColour, true);
    (*rates[i])->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    *charts[i] = new desk::RateSparkline(panelMoney, fromTColor(kChartLine));
    (*charts[i])->setGeometry(180, y, 89, 27);
  }

  title(panelMoney, "Accounts", QPoint(330, 16));
  const char* const accounts[6] = {"Thai", "New York", "Singapore", "London", "Japan", "Hongkong"};
  QLabel** balances[6] = {&lblAccTHB, &lblAccUSD, &lblAccSGD, &lblAccGBP, &lblAccJPY, &lblAccHKD};
  for (int i = 0; i < 6; ++i) {
    const int y = 62 + i * 34;
    label(panelMoney, accounts[i], QRect(336, y, 110, 26), 17, kTitleColour);
    *balances[i] = label(panelMoney, QString(), QRect(450, y, 230, 26), 17, kValueColour, true);
  }
  Button1 = button(panelMoney, "Transfer between a/c", QRect(336, 62 + 6 * 34 + 10, 200, 30));
  connect(Button1, &QPushButton::clicked, this, &TfrmCwHome::Button1Click);

  // Written by every refresh, shown by nothing.
  pnlFactors = new QWidget(panelMoney);
  pnlFactors->setGeometry(24, 330, 420, 150);
  title(pnlFactors, "Global Factors", QPoint(0, 0));
  const char* const factors[4] = {"World Economic Stability", "Public Health", "Politic Stability",
                                  "World Season"};
  QLabel** factorValues[4] = {&lblFactorEcon, &lblFactorHealth, &lblFactorPolitic, &lblFactorSeas};
  for (int i = 0; i < 4; ++i) {
    label(pnlFactors, factors[i], QRect(6, 32 + i * 28, 220, 24), 15, kTitleColour);
    *factorValues[i] = label(pnlFactors, QString(), QRect(236, 32 + i * 28, 120, 24), 15, kValueColour);
  }
  pnlFactors->hide();
}

void TfrmCwHome::buildLife() {
  panelLife = bodyPanel(panelBody, "panelLife");
  title(panelLife, "My Stuffs", QPoint(24, 10));
  for (int n = 0; n < kSlots; ++n) {
    const QPoint at(24 + (n % 5) * kSlotStepX, 42 + (n / 5) * kSlotStepY);
    Shape[n] = desk::slotFrame(panelLife, QRect(at, QSize(kSlotWidth, kSlotHeight)));
    product[n] = new QLabel(panelLife);
    product[n]->setGeometry(at.x() + (kSlotWidth - 112) / 2, at.y() + 4, 112, 112);
    product[n]->setAlignment(Qt::AlignCenter);
    L[n] = label(panelLife, QString(), QRect(at.x() + 4, at.y() + 118, kSlotWidth - 8, 40), 14, kValueColour);
    L[n]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    L[n]->setWordWrap(true);
    sell[n] =
        button(panelLife, "sell", QRect(at.x() + (kSlotWidth - 70) / 2, at.y() + kSlotHeight - 30, 70, 24));
    connect(sell[n], &QPushButton::clicked, this, [this, n] { sellClick(n + 1); });
    for (QWidget* w : {static_cast<QWidget*>(Shape[n]), static_cast<QWidget*>(product[n]),
                       static_cast<QWidget*>(L[n]), static_cast<QWidget*>(sell[n])})
      w->hide();
  }
}

void TfrmCwHome::buildMilestone() {
  panelMilestone = bodyPanel(panelBody, "panelMilestone");
  title(panelMilestone, "Achievement Milestone", QPoint(24, 14));
  label(panelMilestone, "You have", QRect(28, 56, 80, 26), 18, kTitleColour);
  imgStar = desk::skinPicture(panelMilestone, "frmCwHome_star", QPoint(104, 57));
  imgStar->resize(24, 24);
  lblStar = label(panelMilestone, "0", QRect(134, 56, 20, 26), 18, kTitleColour, true);
  Label25 =
      label(panelMilestone, "total achievement stars so far.", QRect(151, 56, 320, 26), 18, kTitleColour);
  scrollMilestone = new QScrollArea(panelMilestone);
  scrollMilestone->setGeometry(24, 96, 740, 400);
  scrollMilestone->setFrameShape(QFrame::NoFrame);
  scrollMilestone->setStyleSheet("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }");
  lblMilestone = label(nullptr, "--", QRect(0, 0, 700, 30), 16, kValueColour);
  lblMilestone->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scrollMilestone->setWidget(lblMilestone);
}

void TfrmCwHome::showPlayerName(const QString& name) {
  playerName_ = name;
  placePlayerName();
}

void TfrmCwHome::placePlayerName() {
  constexpr int kGapBeforeInbox = 12;
  const int room = std::max(0, Shape11->x() - kGapBeforeInbox - lblUsername->x());
  const QString shown = lblUsername->fontMetrics().elidedText(playerName_, Qt::ElideRight, room);
  lblUsername->setText(shown);
  lblUsername->setToolTip(shown == playerName_ ? QString() : playerName_);
  lblUsername->adjustSize();
  if (lblUsername->width() > room) lblUsername->resize(room, lblUsername->height());
}

void TfrmCwHome::placeStarText() {
  // Past a wide star total the text moves further right instead of overlapping it.
  Label25->move(lblStar->x() + std::max(17, lblStar->sizeHint().width() + 6), Label25->y());
}

// --- Layout and painting ------------------------------------------------------------------------------

void TfrmCwHome::FormResize() {
  const int w = width();
  const int h = height();
  panelTop->resize(w - panelTop->x() - 20, panelTop->height());
  panelBody->setGeometry(panelBody->x(), panelBody->y(), w - panelTop->x() - 20, h - panelBody->y() - 80);
  const QSize panel = panelBody->size();
  lstPortFolio->resize(panel.width() - 9 - lstPortFolio->x(), panel.height() - 18 - lstPortFolio->y());
  scrollMilestone->resize(panel.width() - 9 - scrollMilestone->x(),
                          panel.height() - 18 - scrollMilestone->y());
  lblMilestone->setFixedWidth(scrollMilestone->width() - 20);
  const int inboxLeft = panelTop->width() - kInboxWidth - 8;
  Shape11->setGeometry(inboxLeft, 5, kInboxWidth, kTopHeight - 10);
  lblInbox->setGeometry(inboxLeft + 8, 8, kInboxWidth - 96, kTopHeight - 16);
  Button2->move(inboxLeft + kInboxWidth - Button2->width() - 8, kTopHeight - 10 - Button2->height() - 2);
  placePlayerName();
}

void TfrmCwHome::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TfrmCwHome::paintEvent(QPaintEvent*) {
  background_.paint(this);
}

void TfrmCwHome::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The main window coming back (from the gadget) shows the page as it was left.
  if (!event->spontaneous() && pageWasHidden_) panelBody->setCurrentWidget(panelPort);
  pageWasHidden_ = false;
}

void TfrmCwHome::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (isHidden()) pageWasHidden_ = true;
}
