// The Market page: one exchange at a time, chosen in a selector, with its index, capitalisation, hours and
// index chart on top and, below, the stock table, the market statistics or the player's pending orders;
// a stock's details and its 90-day candles on two further panels. What the table, statistics and queue
// show is written by the display refresh; the handlers here open details, toggle the wishlist and start
// bids and offers through the bid/offer dialog.

#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QUrl>
#include <QWidget>

#include "Indicator.h"
#include "PageWidgets.h"

class TfrmMain;
class QCheckBox;

namespace desk {
class MainPicture;
class RateSparkline;
class PriceHistoryChart;
class AmountBars;
}  // namespace desk

class TfrmCwMarket : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kStateCount = 7;
  static constexpr int VIEW_TABLE = 1;
  static constexpr int VIEW_STATS = 2;
  static constexpr int VIEW_QUEUE = 4;
  static constexpr int ORIGIN_HOME = 2;
  static constexpr int ORIGIN_TABLE = 3;
  // The table's columns: the state picture, then the sub-items.
  enum Column { COL_IMAGE, COL_SYMBOL, COL_PRICE, COL_CHANGE, COL_CLOSE, COL_AMOUNT, COL_HIGH, COL_LOW };

  explicit TfrmCwMarket(TfrmMain* main);
  ~TfrmCwMarket() override;

  // The market index the page shows: the selector's item, no selection counting as 0.
  int marketIndex() const;
  // Places and shows the page; starts no refresh.
  void showPage();
  // Asks for a refresh of the page (refused with a note while the tick master writes).
  void requestRefresh(bool full);
  // Whether the player may bid for or offer the stock now; avgPrice gets the holding's average buy price.
  void canTrade(const std::string& symbol, bool& canBid, bool& canOffer, float& avgPrice);
  // The stock table's background: the exchange open or closed.
  void setTableColour(const QColor& colour);
  QColor tableColour() const { return tableColour_; }
  // Fills the details panel; false when refused (writing) or when the symbol is empty, nothing changed.
  bool fillStockDetails(const std::string& symbol);
  // Fills the details of the symbol, brings the details panel to the front and selects the symbol; a
  // refused fill changes nothing.
  void showStockDetails(const std::string& symbol);
  // The Home page's jump to a stock's details, the main window already on this page.
  void showHomeStock(const std::string& symbol);

  std::string selectedSymbol;
  bool symbolFromList = false;
  int viewMode = 0;
  int detailsOrigin = 0;
  // The candles of the stock on the candle panel, loaded by a click on the price chart.
  std::vector<DailyPriceMarker> candles;
  float candlePrice = 0;
  // What the index chart shows: market, sample count and newest sample; a refresh redraws it on a change.
  struct IndexChartKey {
    int market = -1;
    int count = -1;
    float newest = 0;
    bool operator==(const IndexChartKey&) const = default;
  } indexChartKey;

  std::array<QPixmap, kStateCount> imlStates;
  std::array<QPixmap, 2> imlQueue;

  // Opens a web page; QDesktopServices by default. False when it could not be opened.
  std::function<bool(const QUrl&)> openUrl;
  // Runs the bid/offer dialog modally; frmBidOffer->exec() by default.
  std::function<void()> runBidOffer;
  // Runs the add-stock dialog modally; frmAddStock->exec() by default.
  std::function<void()> runAddStock;

  // --- Controls ---------------------------------------------------------------------------------------
  QWidget* panelTop;
  QComboBox* selMarket;
  QLabel* lblIndex;
  QLabel* lblAmount;
  QLabel* lblMarketStatus;
  QLabel* imgIndexUp;
  QLabel* imgIndexDown;
  desk::RateSparkline* chartIndex;

  desk::MainPicture* submnuTable;
  desk::MainPicture* submnuStats;
  desk::MainPicture* submnuQueue;
  desk::MainPicture* hil1;
  desk::MainPicture* hil2;
  desk::MainPicture* hil3;

  QStackedWidget* panelBody;
  QWidget* panelTable;
  QWidget* panelStats;
  QWidget* panelQueue;
  QWidget* panelStockDetails;
  QWidget* panelIndicator;

  QTreeWidget* lstTable;
  QComboBox* selSector;
  QLabel* lblTableHint;
  desk::MainPicture* btnBid;
  desk::MainPicture* btnBidX;
  desk::MainPicture* btnOffer;
  desk::MainPicture* btnOfferx;

  QLabel* lblMktCap;
  QLabel* lbl52WkHigh;
  QLabel* lbl52WkLow;
  std::array<QLabel*, 3> lblMostRiser{};
  std::array<QLabel*, 3> lblMostRiserVal{};
  std::array<QLabel*, 3> lblMostFaller{};
  std::array<QLabel*, 3> lblMostFallerVal{};
  std::array<QLabel*, 3> lblActive{};
  std::array<QLabel*, 3> lblActiveVal{};

  QTreeWidget* lstQueue;

  QLabel* lblSymbol;
  QLabel* lblPrice;
  QLabel* lblClose;
  QLabel* lblHL;
  QLabel* lblHL52wk;
  QLabel* lblDivRate;
  QLabel* lblDivLeft;
  QLabel* lblParValue;
  QLabel* lblPE;
  QLabel* lblEPS;
  QLabel* lblVol;
  QLabel* lblTradedAmount;
  QLabel* lblCompany;
  QLabel* lblSection;
  QLabel* lblBalance;
  QLabel* lblPortLabel;
  QLabel* imgStatusH;
  QLabel* imgStatusSP;
  QLabel* imgStatusXD;
  QLabel* imgFav;
  QCheckBox* chkWishlist;
  desk::PriceHistoryChart* chartStock;
  desk::AmountBars* chartAmount;
  desk::MainPicture* Image2;
  desk::MainPicture* btnBid2X;
  desk::MainPicture* Image3;
  desk::MainPicture* btnOffer2X;
  QLabel* Label38;
  QLabel* Label40;
  QLabel* Label42;
  QPushButton* Button1;

  QWidget* MyCanvas;
  QLabel* lblStockTitleIndicator;
  QPushButton* Button2;

 public slots:
  void submnuTableClick();
  void submnuStatsClick();
  void submnuQueueClick();
  void selMarketChange();
  void selSectorClick();
  void lstTableClick();
  void lstTableDblClick();
  void lstTableColumnClick(int column);
  // Sorts the table by the column last clicked (none before the first click).
  void sortTable();
  void lblMostRiser1Click(QLabel* label);
  void btnBidClick();
  void btnOfferClick();
  void Button1Click();
  void Button2Click();
  void chkWishlistMouseUp();
  void Label38Click();
  void Label40Click();
  void Label42Click();
  void chartStockClick();
  void MyCanvasPaint(QPainter& painter);
  // A mouse press on the details: with Ctrl held the add-stock dialog; then a refresh. No control
  // carries it.
  void btnDetailsMouseDown(Qt::KeyboardModifiers modifiers);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildTop();
  void buildMenu();
  void buildTable();
  void buildStats();
  void buildQueue();
  void buildDetails();
  void buildIndicator();
  void FormResize();
  void selectSubPage(int index);
  // Bid (true) or offer: the order buttons' shared steps.
  void placeOrder(bool bid);
  void fillPriceChart(const std::string& symbol, int currency, float avgPrice, bool held);
  void fillAmountChart(const std::string& symbol, int currency);
  void openLink(const char* path);
  void popup(const QString& title, const QString& text);
  void note(const QString& text);

  TfrmMain* main_;
  bool shown_ = false;
  // The exchange the page showed when the details were last filled.
  int detailsMarket_ = -1;
  QColor tableColour_;
  desk::PageBackground background_;
};

extern TfrmCwMarket* frmCwMarket;
