// The main window: the frame of the game, its menu, header and clock, the owner of the game core, the
// game lock and the busy flags. It is the core's host: the tick master hands its window work to it.

#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "Qorvex6class.h"
#include "qxHost.h"

class QMenu;
class QAction;
class QPushButton;

namespace desk {

// A picture of the main window: emits clicked on a left-button release inside it, mouseMoved while the
// mouse moves over it, entered and left on hover.
class MainPicture : public QLabel {
  Q_OBJECT

 public:
  explicit MainPicture(QWidget* parent, const QString& skinName = {});

 signals:
  void clicked();
  void mouseMoved();
  void entered();
  void left();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
};

// The count-down pie of the clock: a full disc at the start of a cycle, a tenth less per tick.
class ClockPie : public QWidget {
  Q_OBJECT

 public:
  explicit ClockPie(QWidget* parent);

  void setStep(int step, int steps);
  int spanDegrees() const { return spanDegrees_; }
  void setLook(QColor pen, int penWidth, QColor brush);
  QColor penColor() const { return pen_; }
  QColor brushColor() const { return brush_; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int spanDegrees_ = 360;
  QColor pen_;
  int penWidth_ = 1;
  QColor brush_;
};

}  // namespace desk

class TfrmMain : public QWidget, public Qorvex6::qxHost {
  Q_OBJECT

 public:
  static constexpr int PAGE_HOME = 2;
  static constexpr int PAGE_MARKET = 3;
  static constexpr int PAGE_SHOP = 4;
  static constexpr int PAGE_SETTING = 15;

  static constexpr int SPEED_SLOW = 0;
  static constexpr int SPEED_MEDIUM = 16;
  static constexpr int SPEED_FAST = 32;

  explicit TfrmMain(QWidget* parent = nullptr);
  ~TfrmMain() override;

  // The clock period of a speed; an unknown speed keeps the current one.
  static int clockInterval(int speed, int current);
  // Whether the tick started now ends with a save.
  static bool autoSaveDue(int frequency, int daycount, int clockTick, int lastClockTick);
  // The day display without the cycle suffix: "Your first day", "1 day so far", "1 year 2 months 3 days".
  static QString dayText(int daycount);

  // --- qxHost ---------------------------------------------------------------------------------------
  void postPopup(const std::string& title, const std::string& text, int stars) override;
  std::recursive_mutex& gameLock() override { return gameLock_; }
  void tickStarted() override;
  void repaint() override;
  void setWriting(bool on) override;
  void cycleFinished() override;
  void tickFinished(bool newCycle, bool autoSave) override;

  // --- State ----------------------------------------------------------------------------------------
  std::atomic<bool> isProcessing{false};
  std::atomic<bool> isWritingData{false};
  std::unique_ptr<Qorvex6::QorvexCore> core;
  int currentPage = 0;
  int Tag = 0;  // 0 until a game runs, 255 afterwards

  // Where a page lies: over the client area, below the menu.
  QRect pageGeometry() const;
  // Places a page there and brings it to the front.
  void placePage(QWidget* page) const;

  // The Market page's market selector index, once that page is there; unset or -1 counts as 0.
  std::function<int()> selectedMarket;
  // Swaps the main window for the desktop gadget, once that window is there.
  std::function<void()> showGadget;
  // Called on the GUI thread with the name of each tick hand-off as it runs (diagnostics and tests).
  std::function<void(std::string_view)> handOffObserver;

  // --- Controls -------------------------------------------------------------------------------------
  QLabel* imgBK;
  QWidget* bkTop;
  desk::MainPicture* lblTitle;
  desk::MainPicture* btnSave;
  desk::MainPicture* btnSaveX;
  desk::MainPicture* btnFeedback;
  desk::MainPicture* btnFeedbackX;
  QPushButton* btnMin;
  QPushButton* btnClose;
  desk::MainPicture* mnuMain1;
  desk::MainPicture* mnuMain2;
  desk::MainPicture* mnuMain3;
  desk::MainPicture* Image1;
  desk::MainPicture* Image2;
  desk::MainPicture* Image3;
  desk::MainPicture* Image6;
  desk::MainPicture* mnuHome;
  desk::MainPicture* mnuMarket;
  desk::MainPicture* mnuShop;
  desk::MainPicture* mnuSetting;
  desk::MainPicture* mnuHomeX;
  desk::MainPicture* mnuMarketX;
  desk::MainPicture* mnuShopX;
  desk::MainPicture* mnuSettingX;
  desk::MainPicture* lblBudgetHeader;
  desk::MainPicture* lblClock;
  desk::ClockPie* pieClock;
  desk::MainPicture* mnuSpeedSlow;
  desk::MainPicture* mnuSpeedMedium;
  desk::MainPicture* mnuSpeedFast;
  QMenu* mnuSpeed;
  QAction* Slow1;
  QAction* Medium1;
  QAction* Fast1;
  desk::MainPicture* imgProcessing1;
  desk::MainPicture* imgRefreshing;
  QWidget* wndClient;
  QTimer* timerClock;

 signals:
  // A page wants its display refreshed (after a cycle, a sale, a purchase); full redraws the charts.
  void displayRefreshRequested(bool full);
  // The page shown in the client area changed.
  void pageChanged(int page);
  // The game is freed and the program is to end.
  void gameClosed();

 public slots:
  void FormShow();
  void layoutControls();
  void btnClose0Click();
  void FormClose();
  void Image1MouseMove();
  void Image2MouseMove();
  void Image3MouseMove();
  void Image6MouseMove();
  void mnuHomeClick();
  void mnuMarketClick();
  void mnuShopClick();
  void mnuSettingClick();
  void updateBudgetHeader();
  void lblBudgetHeaderClick();
  void lblTitleClick();
  void btnMinMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void btnFeedbackXClick();
  void timerClockTimer();
  void updateClock(bool fullRefresh, bool noRefresh);
  void btnSaveClick();
  void pieClockClick();
  void mnuSpeedSlowClick();
  void Slow1Click();
  void Medium1Click();
  void Fast1Click();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void FormKeyUp();
  // The one pause switch of the clock: stops or starts the timer and gives the pie and the day text the
  // paused or running look.
  void setClockPaused(bool paused);
  // Alt+P released: toggles the clock unless the release is a held key's repeat. True for any Alt+P.
  bool isAltP(QKeyEvent* key);
  void runStartLoop();
  void showPage(int page, desk::MainPicture* marker);
  void hoverEntry(desk::MainPicture* highlight);
  void setSpeed(int speed);
  // The budget header, the clock, the pie and the speed pictures: hidden until a game runs.
  std::array<QWidget*, 6> gameDisplay() const;
  // Starts the tick master; false when no thread could be had.
  bool startTick(bool autoSave);
  // A diagnostic line of the window, into Qt's message log.
  static void trace(std::string_view line);
  // Runs fn; a failure it throws is traced under `what` and goes no further.
  void guarded(const char* what, const std::function<void()>& fn);
  // Runs fn on the GUI thread and returns when it is done.
  void onGuiThread(const char* name, const std::function<void()>& fn);
  void popup(const QString& title, const QString& text);
  void note(const QString& text);
  void message(const QString& text);
  // Stops the clock, lets a running tick end while events are served, then frees the core.
  void freeGame();

  std::recursive_mutex gameLock_;
  std::atomic<int> runningMasters_{0};
  bool closing_ = false;
  bool formClosed_ = false;
  int lastClockTick_ = 0;
  QString dayText_;  // the day text the last clock update wrote, which the pie's words cover for a while
  QImage background_;
  char handOffSync_ = 0;  // the address race checkers synchronise the hand-offs on
};

extern TfrmMain* frmMain;
