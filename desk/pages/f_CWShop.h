// The Shop page: goods for US dollars in three categories, up to ten of a category at once, each with
// its picture, name, price and buy button.

#pragma once

#include <array>

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

#include "PageLook.h"

class TfrmMain;

namespace desk {
class MainPicture;
}

class TfrmCwShop : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSlots = 10;
  static constexpr int kProductCount = 24;
  static constexpr int kVehicles = 256;
  static constexpr int kAssets = 1536;
  static constexpr int kJewellery = 2048;

  explicit TfrmCwShop(TfrmMain* main);
  ~TfrmCwShop() override;

  // Renders the current category, then places and shows the page.
  void showPage();
  // Shows the products of `categoryCode` and the USD budget; refused while the tick master writes.
  void renderPage();
  // Buys the product of slot 0..9.
  void buyItem(int slot);

  int categoryCode = kVehicles;
  // The product pictures (105x105) by product ID, the same the Home page shows for owned goods.
  std::array<QPixmap, kProductCount> imlProduct;

  // --- Controls ---------------------------------------------------------------------------------------
  QWidget* panelTop;
  QLabel* lblBudget;
  desk::MainPicture* submnuCar;
  desk::MainPicture* submnuAsset;
  desk::MainPicture* submnuJew;
  desk::MainPicture* hil1;
  desk::MainPicture* hil2;
  desk::MainPicture* hil3;
  QWidget* panelBody;
  QWidget* panelStore;
  // Slot k (1..10) is element k - 1; buy6..buy10 are children of the page itself.
  std::array<QLabel*, kSlots> product{};
  std::array<QFrame*, kSlots> Shape{};
  std::array<QLabel*, kSlots> Label{};
  std::array<QPushButton*, kSlots> buy{};

 public slots:
  // Bound to the three category pictures: the sender picks the category.
  void cateVehicleClick(QObject* sender);
  // buy1Click .. buy10Click: refused while a tick runs.
  void buyClick(int k);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildHeader();
  void buildStore();
  void placeOuterButtons();
  void FormResize();
  void popup(const QString& title, const QString& text);
  void note(const QString& text);

  TfrmMain* main_;
  std::array<QPixmap, kSlots> bitmaps_;
  desk::PageBackground background_;
};

extern TfrmCwShop* frmCwShop;
