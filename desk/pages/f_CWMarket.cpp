#include "f_CWMarket.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

#include "Colors.h"
#include "JpegLoader.h"
#include "PriceHistoryChart.h"
#include "RateSparkline.h"
#include "SkinShape.h"
#include "SkinWidgets.h"
#include "f_AddStock.h"
#include "f_BidOffer.h"
#include "f_Main.h"

TfrmCwMarket* frmCwMarket = nullptr;

namespace {

using desk::fromTColor;
using desk::kPageTitleColour;
using desk::kPageValueColour;
using desk::pageLabel;
using desk::windowFont;

constexpr std::uint32_t kLinkColour = 0x8A5A1C;
constexpr std::uint32_t kIndexLine = 0x0000FF;

using namespace desk::pageFrame;
constexpr int kListTop = 44;
constexpr int kCaptionLeft = 20;
constexpr int kValueLeft = 175;
constexpr int kChartLeft = 440;

// A small picture of the page, its white surround masked away so it sits on any colour.
QPixmap maskedSkin(const QString& name) {
  const QImage image = desk::skin(name);
  if (image.isNull()) return {};
  QPixmap pixmap = QPixmap::fromImage(image);
  const QRegion shape = desk::shapeOf(image);
  QBitmap mask(pixmap.size());
  mask.fill(Qt::color0);
  QPainter painter(&mask);
  painter.setClipRegion(shape);
  painter.fillRect(mask.rect(), Qt::color1);
  painter.end();
  pixmap.setMask(mask);
  return pixmap;
}

QLabel* maskedPicture(QWidget* parent, const QString& name, QPoint at) {
  auto* label = new QLabel(parent);
  const QPixmap pixmap = maskedSkin(name);
  label->setPixmap(pixmap);
  label->setGeometry(QRect(at, pixmap.isNull() ? QSize(20, 20) : pixmap.size()));
  return label;
}

QTreeWidget* reportList(QWidget* parent, const QStringList& headers, const std::vector<int>& widths) {
  auto* list = new QTreeWidget(parent);
  list->setColumnCount(static_cast<int>(headers.size()));
  list->setHeaderLabels(headers);
  for (std::size_t c = 0; c < widths.size(); ++c) {
    list->setColumnWidth(static_cast<int>(c), widths[c]);
    if (c >= 2) list->headerItem()->setTextAlignment(static_cast<int>(c), Qt::AlignRight | Qt::AlignVCenter);
  }
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setIconSize(QSize(20, 20));
  list->setFont(windowFont(15));
  list->setSortingEnabled(false);
  list->header()->setStretchLastSection(true);
  QPalette palette = list->palette();
  palette.setColor(QPalette::Text, fromTColor(kPageValueColour));
  list->setPalette(palette);
  return list;
}

QComboBox* selector(QWidget* parent, const QString& placeholder, const QStringList& items, QRect at) {
  auto* box = new QComboBox(parent);
  box->setEditable(false);
  box->addItems(items);
  box->setPlaceholderText(placeholder);
  box->setCurrentIndex(-1);
  box->setFont(windowFont(15));
  box->setGeometry(at);
  box->setMaxVisibleItems(static_cast<int>(items.size()));
  return box;
}

// A text that acts on a click: a symbol of the rankings, a link.
QLabel* clickable(QLabel* label, QObject* filter, std::uint32_t colour) {
  desk::setTextColour(label, fromTColor(colour));
  label->setCursor(Qt::PointingHandCursor);
  label->installEventFilter(filter);
  return label;
}

}  // namespace

TfrmCwMarket::TfrmCwMarket(TfrmMain* main) : QWidget(main, Qt::FramelessWindowHint), main_(main) {
  resize(1007, 701);
  setFont(windowFont(15));
  for (int i = 0; i < kStateCount; ++i)
    imlStates[static_cast<std::size_t>(i)] = maskedSkin(QString("frmCwMarket_imlStates_%1").arg(i));
  for (int i = 0; i < 2; ++i)
    imlQueue[static_cast<std::size_t>(i)] = maskedSkin(QString("frmCwMarket_imlQueue_%1").arg(i));
  openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  runBidOffer = [] {
    if (frmBidOffer != nullptr) frmBidOffer->exec();
  };
  runAddStock = [] {
    if (frmAddStock != nullptr) frmAddStock->exec();
  };

  buildTop();
  buildMenu();
  panelBody = new QStackedWidget(this);
  panelBody->setGeometry(kBodyLeft, kBodyTop, 797, 531);
  buildTable();
  buildStats();
  buildQueue();
  buildDetails();
  buildIndicator();
  FormResize();
  hide();

  if (main_ != nullptr) {
    main_->selectedMarket = [this] { return marketIndex(); };
    connect(main_, &TfrmMain::pageChanged, this, [this](int page) {
      if (page != TfrmMain::PAGE_MARKET) hide();
    });
  }
}

TfrmCwMarket::~TfrmCwMarket() {
  if (main_ != nullptr && frmMain == main_) main_->selectedMarket = nullptr;
  if (frmCwMarket == this) frmCwMarket = nullptr;
}

int TfrmCwMarket::marketIndex() const {
  const int index = selMarket->currentIndex();
  return index < 0 ? 0 : index;
}

// --- Building -----------------------------------------------------------------------------------------

void TfrmCwMarket::buildTop() {
  panelTop = new QWidget(this);
  panelTop->setObjectName("panelTop");
  panelTop->setAttribute(Qt::WA_StyledBackground);
  panelTop->setStyleSheet(
      QString("QWidget#panelTop { background: rgba(244, 250, 236, 200); border: 1px solid %1; border-radius: "
              "6px; }")
          .arg(desk::cssColour(desk::kFrameGreen)));
  panelTop->setGeometry(kBodyLeft, kTopTop, 797, kTopHeight);
  selMarket = selector(panelTop, "Thai", {" Thai", " London", " Japan", " Singapore", " NewYork"},
                       QRect(10, 8, 150, 28));
  connect(selMarket, &QComboBox::activated, this, [this] { selMarketChange(); });
  lblMarketStatus = pageLabel(panelTop, QString(), QRect(10, 42, 170, 26), 15, kPageTitleColour, true);
  imgIndexUp = maskedPicture(panelTop, "frmCwMarket_imgIndexUp", QPoint(176, 12));
  imgIndexDown = maskedPicture(panelTop, "frmCwMarket_imgIndexDown", QPoint(176, 12));
  imgIndexUp->hide();
  imgIndexDown->hide();
  lblIndex = pageLabel(panelTop, QString(), QRect(202, 6, 360, 30), 22, kPageTitleColour, true);
  lblAmount = pageLabel(panelTop, QString(), QRect(202, 42, 360, 26), 15, kPageValueColour);
  chartIndex = new desk::RateSparkline(panelTop, fromTColor(kIndexLine));
  chartIndex->setGeometry(560, 4, 230, 68);
}

void TfrmCwMarket::buildMenu() {
  const char* const names[3] = {"Table", "Stats", "Queue"};
  desk::MainPicture** entries[3] = {&submnuTable, &submnuStats, &submnuQueue};
  desk::MainPicture** highlights[3] = {&hil1, &hil2, &hil3};
  for (int i = 0; i < 3; ++i) {
    const QPoint at(kMenuLeft, kMenuTop + i * kMenuStep);
    *entries[i] = new desk::MainPicture(this, QString("frmCwMarket_submnu") + names[i]);
    *highlights[i] = new desk::MainPicture(this, QString("frmCwMarket_hil%1").arg(i + 1));
    for (desk::MainPicture* picture : {*entries[i], *highlights[i]}) {
      picture->move(at);
      if (picture->pixmap().isNull()) picture->resize(170, 40);
      picture->setCursor(Qt::PointingHandCursor);
      connect(picture, &desk::MainPicture::clicked, this, [this, i] {
        if (i == 0) submnuTableClick();
        if (i == 1) submnuStatsClick();
        if (i == 2) submnuQueueClick();
      });
    }
    (*highlights[i])->setVisible(i == 0);
  }
}

namespace {

// An order picture and its hover picture: moving over the picture shows the hover one, leaving that
// hides it; a click on either runs `click`.
void orderPair(QWidget* parent, desk::MainPicture*& base, desk::MainPicture*& hover, const char* baseName,
               const char* hoverName, const QString& hint, const std::function<void()>& click) {
  base = new desk::MainPicture(parent, baseName);
  hover = new desk::MainPicture(parent, hoverName);
  base->setMouseTracking(true);
  base->setCursor(Qt::PointingHandCursor);
  hover->setCursor(Qt::PointingHandCursor);
  base->setToolTip(hint);
  hover->setToolTip(hint);
  hover->hide();
  desk::MainPicture* shown = hover;
  QObject::connect(base, &desk::MainPicture::mouseMoved, hover, [shown] {
    shown->show();
    shown->raise();
  });
  QObject::connect(hover, &desk::MainPicture::left, hover, &QWidget::hide);
  QObject::connect(base, &desk::MainPicture::clicked, parent, click);
  QObject::connect(hover, &desk::MainPicture::clicked, parent, click);
}

}  // namespace

void TfrmCwMarket::buildTable() {
  panelTable = desk::bodyPanel(panelBody, "panelTable");
  QStringList sectors = {"[All sectors]",
                         "Sector: Industry",
                         "Sector: Agriculture & Food",
                         "Sector: Mining",
                         "Sector: Medical",
                         "Sector: Commerce",
                         "Sector: Assurance",
                         "Sector: Technologies Product",
                         "Sector: Property",
                         "Sector: Bank & Finance",
                         "Sector: Communication",
                         "Sector: Power",
                         "Sector: Vehicles",
                         "Sector: Media Publication",
                         "Sector: Textile",
                         "Sector: Transportation"};
  selSector = selector(panelTable, "[Sector Filter]", sectors, QRect(10, 8, 260, 28));
  connect(selSector, &QComboBox::activated, this, [this] { selSectorClick(); });
  lblTableHint = pageLabel(panelTable, "Double click symbol to see its details", QRect(284, 10, 340, 24), 15,
                           kPageTitleColour);
  lstTable = reportList(
      panelTable, {QString(), "Symbol", "Price", "Change", "Last Close", "Traded Amount", "High", "Low"},
      {40, 90, 90, 90, 100, 130, 130, 130});
  lstTable->header()->setStretchLastSection(false);
  lstTable->setGeometry(10, kListTop, 600, 460);
  lstTable->header()->setSectionsClickable(true);
  connect(lstTable->header(), &QHeaderView::sectionClicked, this, &TfrmCwMarket::lstTableColumnClick);
  connect(lstTable, &QTreeWidget::itemClicked, this, [this] { lstTableClick(); });
  connect(lstTable, &QTreeWidget::itemDoubleClicked, this, [this] { lstTableDblClick(); });
  orderPair(panelTable, btnBid, btnBidX, "frmCwMarket_btnBid", "frmCwMarket_btnBidX",
            "Buy the selected share.", [this] { btnBidClick(); });
  orderPair(panelTable, btnOffer, btnOfferx, "frmCwMarket_btnOffer", "frmCwMarket_btnOfferx",
            "Sell the selected share.", [this] { btnOfferClick(); });
  btnBid->move(640, kListTop);
  btnBidX->move(640, kListTop);
  btnOffer->move(640, kListTop + 44);
  btnOfferx->move(640, kListTop + 44);
  // Shown from the start, until the mouse first leaves it.
  btnOfferx->show();
}

void TfrmCwMarket::buildStats() {
  panelStats = desk::bodyPanel(panelBody, "panelStats");
  desk::pageTitle(panelStats, "Stats", QPoint(24, 12));
  const char* const captions[3] = {"MarketCap", "52-week High", "52-week Low"};
  QLabel** values[3] = {&lblMktCap, &lbl52WkHigh, &lbl52WkLow};
  for (int i = 0; i < 3; ++i) {
    const int y = 52 + i * 30;
    pageLabel(panelStats, captions[i], QRect(30, y, 140, 26), 17, kPageTitleColour);
    *values[i] = pageLabel(panelStats, "--", QRect(180, y, 420, 26), 17, kPageValueColour, true);
  }
  const char* const rankings[3] = {"Top 3 Risers", "Top 3 Fallers", "Top 3 Most Active"};
  std::array<QLabel*, 3>* symbols[3] = {&lblMostRiser, &lblMostFaller, &lblActive};
  std::array<QLabel*, 3>* amounts[3] = {&lblMostRiserVal, &lblMostFallerVal, &lblActiveVal};
  for (int c = 0; c < 3; ++c) {
    const int x = 30 + c * 250;
    pageLabel(panelStats, rankings[c], QRect(x, 162, 230, 28), 19, kPageTitleColour, true);
    for (int r = 0; r < 3; ++r) {
      const int y = 198 + r * 58;
      QLabel* symbol = pageLabel(panelStats, "--", QRect(x, y, 230, 26), 18, kLinkColour, true);
      (*symbols[c])[static_cast<std::size_t>(r)] = clickable(symbol, this, kLinkColour);
      (*amounts[c])[static_cast<std::size_t>(r)] =
          pageLabel(panelStats, QString(), QRect(x, y + 25, 230, 24), 15, kPageValueColour);
    }
  }
}

void TfrmCwMarket::buildQueue() {
  panelQueue = desk::bodyPanel(panelBody, "panelQueue");
  pageLabel(panelQueue, "Your pending bid/offer", QRect(12, 10, 400, 26), 19, kPageTitleColour, true);
  lstQueue =
      reportList(panelQueue, {QString(), "Symbol", "Asking Price", "Qty", "ID"}, {40, 110, 180, 150, 80});
  lstQueue->setGeometry(10, kListTop, 600, 460);
  QPalette palette = lstQueue->palette();
  palette.setColor(QPalette::Base, fromTColor(0xF3F8F1));
  lstQueue->setPalette(palette);
}

void TfrmCwMarket::buildDetails() {
  panelStockDetails = desk::bodyPanel(panelBody, "panelStockDetails");
  QWidget* p = panelStockDetails;
  lblSymbol = pageLabel(p, QString(), QRect(kCaptionLeft, 8, 200, 34), 28, kPageTitleColour, true);
  imgStatusH = maskedPicture(p, "frmCwMarket_imgStatusH", QPoint(230, 16));
  imgStatusSP = maskedPicture(p, "frmCwMarket_imgStatusSP", QPoint(230, 16));
  imgStatusXD = maskedPicture(p, "frmCwMarket_imgStatusXD", QPoint(230, 16));
  for (QLabel* status : {imgStatusH, imgStatusSP, imgStatusXD})
    status->hide();
  imgFav = maskedPicture(p, "frmCwMarket_imgFav", QPoint(272, 16));
  imgFav->hide();
  chkWishlist = new QCheckBox("Wishlist", p);
  chkWishlist->setFont(windowFont(15));
  chkWishlist->setFocusPolicy(Qt::NoFocus);
  desk::setTextColour(chkWishlist, fromTColor(kPageTitleColour));
  chkWishlist->setGeometry(298, 14, 110, 24);
  connect(chkWishlist, &QCheckBox::clicked, this, [this] { chkWishlistMouseUp(); });
  lblCompany = pageLabel(p, QString(), QRect(kCaptionLeft, 44, 410, 22), 16, kPageTitleColour, true);
  lblSection = pageLabel(p, QString(), QRect(kCaptionLeft, 66, 410, 20), 14, kPageValueColour);

  struct Row {
    const char* caption;
    QLabel** value;
    QLabel** link;
  };
  const Row rows[] = {{"Current Price", &lblPrice, nullptr},
                      {"Last Close", &lblClose, nullptr},
                      {"High/Low (Today)", &lblHL, nullptr},
                      {"High/Low (52-wk)", &lblHL52wk, nullptr},
                      {"Dividend Rate (%)", &lblDivRate, nullptr},
                      {"Volume", &lblVol, nullptr},
                      {"Traded Amt. Today", &lblTradedAmount, nullptr},
                      {"Par Value", &lblParValue, &Label38},
                      {"PE Ratio", &lblPE, &Label40},
                      {"Earning Per Share", &lblEPS, &Label42},
                      {"Balance", &lblBalance, nullptr}};
  int y = 94;
  for (const Row& row : rows) {
    QLabel* caption = pageLabel(p, row.caption, QRect(kCaptionLeft, y, 150, 24), 15, kPageTitleColour);
    if (row.link != nullptr) {
      *row.link = clickable(caption, this, kLinkColour);
      QFont underlined = caption->font();
      underlined.setUnderline(true);
      caption->setFont(underlined);
    }
    *row.value = pageLabel(p, "--", QRect(kValueLeft, y, 255, 24), 15, kPageValueColour, true);
    y += 27;
  }
  // Filled with the dividend's days left, shown by nothing.
  auto* divCaption = pageLabel(p, "Dividend  Payment", QRect(kCaptionLeft, y, 150, 24), 15, kPageTitleColour);
  divCaption->hide();
  lblDivLeft = pageLabel(p, "--", QRect(kValueLeft, y, 255, 24), 15, kPageValueColour, true);
  lblDivLeft->hide();
  pageLabel(p, "In your port", QRect(kCaptionLeft, y + 6, 150, 24), 15, kPageTitleColour);
  lblPortLabel = pageLabel(p, "--", QRect(kValueLeft, y + 6, 255, 44), 15, kPageValueColour, true);
  lblPortLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Button1 = desk::pageButton(p, "< Back", QRect(kCaptionLeft, y + 62, 90, 28));
  connect(Button1, &QPushButton::clicked, this, &TfrmCwMarket::Button1Click);

  chartStock = new desk::PriceHistoryChart(p, "Price History");
  chartStock->setGeometry(kChartLeft, 8, 327, 230);
  connect(chartStock, &desk::PriceHistoryChart::clicked, this, &TfrmCwMarket::chartStockClick);
  chartAmount = new desk::AmountBars(p, "Amount History");
  chartAmount->setGeometry(kChartLeft, 244, 327, 160);
  orderPair(p, Image2, btnBid2X, "frmCwMarket_btnBid", "frmCwMarket_btnBidX", "Buy this share.",
            [this] { btnBidClick(); });
  orderPair(p, Image3, btnOffer2X, "frmCwMarket_btnOffer", "frmCwMarket_btnOfferx", "Sell this share.",
            [this] { btnOfferClick(); });
  Image2->move(kChartLeft, 414);
  btnBid2X->move(Image2->pos());
  Image3->move(kChartLeft + 124, 414);
  btnOffer2X->move(Image3->pos());
}

void TfrmCwMarket::buildIndicator() {
  panelIndicator = desk::bodyPanel(panelBody, "panelIndicator");
  lblStockTitleIndicator =
      pageLabel(panelIndicator, QString(), QRect(20, 8, 260, 34), 26, kPageTitleColour, true);
  pageLabel(panelIndicator, "90 days", QRect(290, 16, 120, 24), 17, kPageValueColour);
  MyCanvas = new QWidget(panelIndicator);
  MyCanvas->setGeometry(10, 50, 760, 400);
  MyCanvas->setFont(windowFont(13));
  MyCanvas->installEventFilter(this);
  Button2 = desk::pageButton(panelIndicator, "< Back", QRect(20, 460, 90, 28));
  connect(Button2, &QPushButton::clicked, this, &TfrmCwMarket::Button2Click);
}

void TfrmCwMarket::setTableColour(const QColor& colour) {
  if (colour == tableColour_) return;
  tableColour_ = colour;
  // The page's panels are styled, so the list takes its colour from a style sheet, not its palette.
  lstTable->setStyleSheet(QString("QTreeWidget { background: %1; }").arg(colour.name()));
}

// --- Layout and painting ------------------------------------------------------------------------------

void TfrmCwMarket::FormResize() {
  const int w = width();
  const int h = height();
  panelTop->resize(w - panelTop->x() - 20, panelTop->height());
  chartIndex->move(panelTop->width() - chartIndex->width() - 8, chartIndex->y());
  panelBody->setGeometry(panelBody->x(), panelBody->y(), w - panelTop->x() - 20, h - panelBody->y() - 80);
  const QSize panel(panelBody->width(), panelBody->height() - 7);
  for (QWidget* page : {panelTable, panelStats, panelQueue, panelStockDetails, panelIndicator})
    page->setFixedSize(panel);
  btnBid->move(panel.width() - 18 - btnBid->width(), btnBid->y());
  btnBidX->move(btnBid->x(), btnBidX->y());
  btnOffer->move(btnBid->x(), btnOffer->y());
  btnOfferx->move(btnOffer->x(), btnOfferx->y());
  lstTable->resize(btnBid->x() - 20 - lstTable->x(), panel.height() - lstTable->y() - 18);
  lstQueue->resize(lstTable->size());
  chartStock->resize(panel.width() - chartStock->x() - 30, chartStock->height());
  chartAmount->resize(chartStock->width(), chartAmount->height());
  MyCanvas->resize(panel.width() - 20, panel.height() - 120);
  Button2->move(Button2->x(), MyCanvas->y() + MyCanvas->height() + 14);
}

void TfrmCwMarket::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TfrmCwMarket::paintEvent(QPaintEvent*) {
  background_.paint(this);
}

void TfrmCwMarket::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Qt shows the page again after the gadget; only the first showing opens the table.
  if (event->spontaneous() || shown_) return;
  shown_ = true;
  submnuTableClick();
}

bool TfrmCwMarket::eventFilter(QObject* watched, QEvent* event) {
  if (watched == MyCanvas && event->type() == QEvent::Paint) {
    QPainter painter(MyCanvas);
    MyCanvasPaint(painter);
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* label = qobject_cast<QLabel*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (label == nullptr || !desk::isLeftReleaseInside(label, mouse))
      return QWidget::eventFilter(watched, event);
    if (label == Label38)
      Label38Click();
    else if (label == Label40)
      Label40Click();
    else if (label == Label42)
      Label42Click();
    else
      lblMostRiser1Click(label);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}
