// The Home page: the player's name, rank and inbox over five sub-pages (Port folio, Stats, Money, Life,
// Milestone). What it shows is written by the display refresh; its handlers change the game and then ask
// for a refresh.

#pragma once

#include <array>
#include <functional>
#include <optional>
#include <stack>
#include <string>
#include <utility>

#include <QCheckBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QWidget>

#include "PageLook.h"
#include "PageWidgets.h"

class TfrmMain;
namespace Qorvex6 {
enum class RenameResult;
}
class QScrollArea;

namespace desk {
class MainPicture;
class RateSparkline;
}  // namespace desk

class TfrmCwHome : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSlots = 10;
  // The pictures of the holdings list's state column, by index (0..2 unused).
  static constexpr int kStateCount = 12;
  static constexpr int kProductCount = 24;

  explicit TfrmCwHome(TfrmMain* main);
  ~TfrmCwHome() override;

  // Requests a Home refresh (unless the gadget is rendering), then places and shows the page.
  void showPage();
  // Shows the top of the inbox stack in the header, or hides the inbox block when it is empty.
  void refreshInbox();
  // Sells the belonging shown in slot 0..9.
  void sellBelonging(int slot);

  // The unread inbox messages (ID, text); the top is the one the header shows.
  std::stack<std::pair<int, std::string>> inbox;
  // The belonging ID each Life slot shows; -1 for an empty slot.
  std::array<int, kSlots> slotBelonging{};
  // The state pictures of the list and the shop's product pictures (105x105), by index.
  std::array<QPixmap, kStateCount> imlStates;
  std::array<QPixmap, kProductCount> imlProduct;

  // --- Ways out to windows of other pages; empty until those windows exist ---------------------------
  // Opens the Market page's details of a stock (the main window has switched to the Market page).
  std::function<void(const std::string& symbol)> showStockDetails;
  // Runs the transfer dialog modally; true when a transfer was made.
  std::function<bool()> runTransfer;
  // Asks for a text (caption, prompt, default); none when cancelled. A modal input box by default.
  std::function<std::optional<QString>(const QString&, const QString&, const QString&)> askText;
  // Shows a modal message box.
  std::function<void(const QString&)> showMessage;

  // --- Controls ---------------------------------------------------------------------------------------
  QWidget* panelTop;
  QLabel* imgAvatar;
  QLabel* lblUsername;
  QLabel* lblLevel;
  QFrame* Shape11;
  QLabel* lblInbox;
  QPushButton* Button2;

  desk::MainPicture* submnuPort;
  desk::MainPicture* submnuStats;
  desk::MainPicture* submnuMoney;
  desk::MainPicture* submnuLife;
  desk::MainPicture* submnuMilestone;
  desk::MainPicture* hil1;
  desk::MainPicture* hil2;
  desk::MainPicture* hil3;
  desk::MainPicture* hil4;
  desk::MainPicture* hil5;

  QStackedWidget* panelBody;
  QWidget* panelPort;
  QWidget* panelStats;
  QWidget* panelMoney;
  QWidget* panelLife;
  QWidget* panelMilestone;

  QLabel* lblPortValue;
  QCheckBox* chkWishlist;
  QTreeWidget* lstPortFolio;

  QLabel* lblStatHighestProfit;
  QLabel* lblStatHighestLoss;
  QLabel* lblStatHighestBudget;
  QLabel* lblStatHighestPortVal;
  QLabel* lblStatLongestHolding;

  QLabel* lblExGBP;
  QLabel* lblExJPY;
  QLabel* lblExTHB;
  QLabel* lblExSGD;
  QLabel* lblExHKD;
  desk::RateSparkline* chartRateLondon;
  desk::RateSparkline* chartRateJapan;
  desk::RateSparkline* chartRateThai;
  desk::RateSparkline* chartRateSingapore;
  desk::RateSparkline* chartRateHongkong;
  QLabel* lblAccTHB;
  QLabel* lblAccUSD;
  QLabel* lblAccSGD;
  QLabel* lblAccGBP;
  QLabel* lblAccJPY;
  QLabel* lblAccHKD;
  QPushButton* Button1;
  QWidget* pnlFactors;
  QLabel* lblFactorEcon;
  QLabel* lblFactorHealth;
  QLabel* lblFactorPolitic;
  QLabel* lblFactorSeas;

  std::array<QFrame*, kSlots> Shape{};
  std::array<QLabel*, kSlots> product{};
  std::array<QLabel*, kSlots> L{};
  std::array<QPushButton*, kSlots> sell{};

  QLabel* imgStar;
  QLabel* lblStar;
  QLabel* Label25;
  QScrollArea* scrollMilestone;
  QLabel* lblMilestone;

 public slots:
  void submnuPortClick();
  void submnuStatsClick();
  void submnuMoneyClick();
  void submnuLifeClick();
  void submnuMilestoneClick();
  void lstPortFolioDblClick();
  void lstPortFolioColumnClick(int column);
  void chkWishlistClick();
  void Button1Click();
  void Button2Click();
  void sellClick(int slot);
  void lblUsernameClick();
  void lblUsernameMouseDown(Qt::KeyboardModifiers modifiers);
  // Places Label25 after the star total.
  void placeStarText();
  // Shows the player's name in lblUsername, elided where it would reach the inbox block.
  void showPlayerName(const QString& name);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildHeader();
  void buildMenu();
  void buildPort();
  void buildStats();
  void buildMoney();
  void buildLife();
  void buildMilestone();
  void selectSubPage(int index);
  void FormResize();
  void placePlayerName();
  // The refusal of a game-changing action while a tick runs; true when refused.
  bool refusedWhileProcessing();
  // The rename's message for a name the game did not take; none for any other result.
  void showNameRefusal(Qorvex6::RenameResult result);
  void popup(const QString& title, const QString& text);
  void note(const QString& text);

  TfrmMain* main_;
  bool gestureOnPress_ = false;  // the press on the name was the Alt gesture, so its release is no click
  QString playerName_;
  // The page itself was hidden (or never shown), not just the main window around it.
  bool pageWasHidden_ = true;
  desk::PageBackground background_;
};

extern TfrmCwHome* frmCwHome;
