#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QImage>
#include <QTest>

#include "DoubleClick.h"
#include "GameWindowTest.h"
#include "f_CWShop.h"

namespace {

constexpr int USD = 4;

class ShopPageTest : public GameWindowTest {
 protected:
  void SetUp() override {
    GameWindowTest::SetUp();
    shop_ = new TfrmCwShop(main_.get());  // freed with the main window
    frmCwShop = shop_;
  }

  int belongingsOnDisk() { return onDisk("SELECT COUNT(*) FROM belonging").at(0, 0).asInteger(); }
  std::vector<bool> shownSlots() const {
    std::vector<bool> shown;
    for (int n = 0; n < TfrmCwShop::kSlots; ++n) {
      const bool all = shop_->product[n]->isVisibleTo(shop_) && shop_->Label[n]->isVisibleTo(shop_) &&
                       shop_->buy[n]->isVisibleTo(shop_) && shop_->Shape[n]->isVisibleTo(shop_);
      const bool none = !shop_->product[n]->isVisibleTo(shop_) && !shop_->Label[n]->isVisibleTo(shop_) &&
                        !shop_->buy[n]->isVisibleTo(shop_) && !shop_->Shape[n]->isVisibleTo(shop_);
      EXPECT_TRUE(all || none) << "slot " << n + 1 << " is shown in part";
      shown.push_back(all);
    }
    return shown;
  }
  QImage picture(int n) const {
    return shop_->product[n]->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  }

  TfrmCwShop* shop_ = nullptr;
};

TEST_F(ShopPageTest, TheMenuShowsTheVehiclesWithPicturesAndTheBudget) {
  main_->mnuShopClick();
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_SHOP);
  EXPECT_TRUE(shop_->isVisibleTo(main_.get()));
  EXPECT_EQ(shownSlots(), (std::vector<bool>{true, true, true, true, true, true, true, true, false, false}));
  EXPECT_EQ(shop_->Label[0]->text(), "Scooter 125\n$ 1,850");
  EXPECT_EQ(shop_->Label[7]->text(), "Cruiser 42\n$ 780,000");
  EXPECT_EQ(shop_->lblBudget->text(), "US Budget : USD 4,500.00");
  ASSERT_FALSE(shop_->imlProduct[7].isNull());
  EXPECT_EQ(picture(7), shop_->imlProduct[7].toImage().convertToFormat(QImage::Format_RGB32));
  EXPECT_TRUE(shop_->hil1->isVisibleTo(shop_));

  main_->mnuHomeClick();
  EXPECT_FALSE(shop_->isVisibleTo(main_.get()));
}

TEST_F(ShopPageTest, CategoriesSwitchTheGoodsAndTheHighlight) {
  main_->mnuShopClick();
  shop_->cateVehicleClick(shop_->submnuJew);
  EXPECT_EQ(shop_->categoryCode, TfrmCwShop::kJewellery);
  EXPECT_EQ(shop_->Label[0]->text(), "Silver Bangle\n$ 480");
  EXPECT_EQ(picture(0), shop_->imlProduct[16].toImage().convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(std::vector<bool>({shop_->hil1->isVisibleTo(shop_), shop_->hil2->isVisibleTo(shop_),
                               shop_->hil3->isVisibleTo(shop_)}),
            (std::vector<bool>{false, false, true}));

  // Neither a highlight nor another object is a category.
  for (QObject* sender : {static_cast<QObject*>(shop_->hil1), static_cast<QObject*>(shop_->lblBudget),
                          static_cast<QObject*>(nullptr)}) {
    shop_->cateVehicleClick(sender);
    EXPECT_EQ(shop_->categoryCode, TfrmCwShop::kJewellery);
  }

  QTest::mouseClick(shop_->submnuCar, Qt::LeftButton);
  EXPECT_EQ(shop_->categoryCode, TfrmCwShop::kVehicles);
  EXPECT_EQ(shop_->Label[0]->text(), "Scooter 125\n$ 1,850");
  EXPECT_TRUE(shop_->hil1->isVisibleTo(shop_));
  EXPECT_FALSE(shop_->hil3->isVisibleTo(shop_));

  // The category survives a page switch.
  shop_->cateVehicleClick(shop_->submnuAsset);
  main_->mnuHomeClick();
  main_->mnuShopClick();
  EXPECT_EQ(shop_->Label[0]->text(), "Parking Bay\n$ 9,500");
}

TEST_F(ShopPageTest, ShowsAtMostTenProductsAndBlanksTheRest) {
  db().connection->executeScript(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12) "
      "INSERT INTO product (ID, brandserie, saleprice, category) SELECT 100 + i, 'Item ' || i, i, 4096 FROM "
      "n;"
      "UPDATE product SET category = 8192 WHERE ID IN (4, 5);"
      "INSERT INTO product (ID, brandserie, saleprice, category) VALUES (200, 'Other', 6, 8192);");
  main_->mnuShopClick();
  shop_->categoryCode = 4096;
  shop_->renderPage();
  EXPECT_EQ(shownSlots(), std::vector<bool>(10, true));
  EXPECT_EQ(shop_->Label[9]->text(), "Item 10\n$ 10");

  shop_->categoryCode = 8192;
  shop_->renderPage();
  EXPECT_EQ(shownSlots(),
            (std::vector<bool>{true, true, true, false, false, false, false, false, false, false}));
  EXPECT_EQ(picture(0), shop_->imlProduct[4].toImage().convertToFormat(QImage::Format_RGB32));
  QImage white(105, 105, QImage::Format_RGB32);
  white.fill(Qt::white);
  EXPECT_EQ(picture(1), shop_->imlProduct[5].toImage().convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(picture(2), white) << "a product without a picture";
  EXPECT_EQ(picture(5), white) << "a blanked slot";
}

TEST_F(ShopPageTest, BuyingNeedsMoreThanThePrice) {
  main_->mnuShopClick();
  db().profile.budget[USD] = 1850;
  QTest::mouseClick(shop_->buy[0], Qt::LeftButton);
  EXPECT_EQ(
      popupText(),
      "TOO EXPENSIVE|You cannot afford to buy this stuff because you have only $ 1,850 in your account.");
  EXPECT_EQ(belongingsOnDisk(), 0);

  db().profile.budget[USD] = 1851;
  QTest::mouseClick(shop_->buy[0], Qt::LeftButton);
  EXPECT_EQ(popupText(), "BUY COMPLETED|You bought Zephrel Scooter 125 for $ 1,850.");
  EXPECT_EQ(db().profile.budget[USD], 1);
  EXPECT_EQ(shop_->lblBudget->text(), "US Budget : USD 1.00");
  EXPECT_EQ(belongingsOnDisk(), 1);
  EXPECT_TRUE(main_->core->isMilestonePassed(11));
  QCoreApplication::processEvents();
  EXPECT_EQ(popupText(), "Achievement|Buy a vehicle in the shop.");
}

TEST_F(ShopPageTest, ADoubleClickOnBuyBuysOnce) {
  main_->mnuShopClick();
  db().profile.budget[USD] = 100000;
  doubleClick(shop_->buy[0]);
  QCoreApplication::processEvents();
  EXPECT_EQ(belongingsOnDisk(), 1);
  EXPECT_EQ(db().profile.budget[USD], 100000 - 1850);
}

TEST_F(ShopPageTest, TheEleventhBuyIsDeniedAndAFailedWriteChargesNothing) {
  main_->mnuShopClick();
  db().profile.budget[USD] = 100000;
  shop_->cateVehicleClick(shop_->submnuJew);
  db().connection->executeScript(
      "CREATE TRIGGER full BEFORE INSERT ON belonging BEGIN SELECT RAISE(ABORT, 'full'); END;");
  shop_->buyItem(0);
  EXPECT_EQ(popupText(), "BUY FAILED|The purchase could not be saved; nothing was bought.");
  EXPECT_EQ(db().profile.budget[USD], 100000);
  EXPECT_EQ(shop_->lblBudget->text(), "US Budget : USD 100,000.00");
  db().connection->executeScript("DROP TRIGGER full;");

  for (int i = 0; i < 10; ++i)
    shop_->buyItem(0);
  ASSERT_EQ(belongingsOnDisk(), 10);
  shop_->cateVehicleClick(shop_->submnuCar);
  shop_->buyItem(0);
  EXPECT_EQ(
      popupText(),
      "DENIED|You cannot buy more than 10 stuffs. If you want to buy this item, try selling the unwanted "
      "item from 'Life' page in 'Home' menu.");
  EXPECT_EQ(belongingsOnDisk(), 10);
  EXPECT_EQ(db().profile.budget[USD], 100000 - 10 * 480);
}

TEST_F(ShopPageTest, RefusedWhileATickRunsOrTheMasterWrites) {
  main_->mnuShopClick();
  main_->isProcessing = true;
  shop_->buyClick(1);
  EXPECT_EQ(quote_->lblMsg->text(), "PROCESSING: Please wait.");
  EXPECT_EQ(belongingsOnDisk(), 0);
  main_->isProcessing = false;

  main_->isWritingData = true;
  shop_->cateVehicleClick(shop_->submnuJew);
  EXPECT_EQ(quote_->lblMsg->text(), "WRITING DATA: Please wait.");
  EXPECT_EQ(shop_->Label[0]->text(), "Scooter 125\n$ 1,850") << "the page keeps what it showed";
  main_->isWritingData = false;
  shop_->renderPage();
  EXPECT_EQ(shop_->Label[0]->text(), "Silver Bangle\n$ 480");
}

}  // namespace
