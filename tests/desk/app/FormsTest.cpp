// Every window of the program as the start creates it: once each, in the program's order, each top-level
// window with its own caption.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QWidget>

#include "Forms.h"
#include "ScopedEnv.h"
#include "TestDatabase.h"
#include "f_About.h"
#include "f_AddStock.h"
#include "f_BidOffer.h"
#include "f_CWHome.h"
#include "f_CWMarket.h"
#include "f_CWSetting.h"
#include "f_CWShop.h"
#include "f_ClientWindow.h"
#include "f_Feedback.h"
#include "f_Gadget.h"
#include "f_LoadGame.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "f_NewGame.h"
#include "f_TestAlgo.h"
#include "f_Transfer.h"
#include "f_splash.h"

// Qt's hook table for tools: entry 3 is called with every QObject as its construction begins.
extern quintptr qtHookData[];

namespace {

constexpr int kAddQObjectHook = 3;
std::vector<const QObject*>* constructed = nullptr;

void recordConstruction(QObject* object) {
  constructed->push_back(object);
}

TEST(Forms, AreCreatedInTheProgramsOrderWithTheirCaptions) {
  ASSERT_GT(qtHookData[1], static_cast<quintptr>(kAddQObjectHook)) << "Qt's hook table is too short";
  ASSERT_EQ(qtHookData[kAddQObjectHook], 0u) << "another tool holds the hook";
  testsupport::TempDir user;
  ScopedEnv userEnv("QORVEX_USER_DIR", QByteArray::fromStdString(user.path().string()));
  ScopedEnv resourceEnv("QORVEX_RESOURCE_DIR", QCoreApplication::applicationDirPath().toUtf8());

  std::vector<const QObject*> objects;
  constructed = &objects;
  qtHookData[kAddQObjectHook] = reinterpret_cast<quintptr>(&recordConstruction);
  desk::createForms();
  qtHookData[kAddQObjectHook] = 0;
  constructed = nullptr;

  // caption nullptr: a window docked in the main window, which has none of its own.
  struct Form {
    const char* name;
    const QWidget* window;
    const char* caption;
  };
  const Form forms[] = {
      {"frmSplash", frmSplash, "Qorvex"},
      {"frmMain", frmMain, "Qorvex"},
      {"frmClientWindow", frmClientWindow, nullptr},
      {"frmCwHome", frmCwHome, nullptr},
      {"frmCwSetting", frmCwSetting, nullptr},
      {"frmCwMarket", frmCwMarket, nullptr},
      {"frmCwShop", frmCwShop, nullptr},
      {"frmLoadGame", frmLoadGame, "Qorvex"},
      {"frmNewGame", frmNewGame, "Qorvex"},
      {"frmAddStock", frmAddStock, "Add Stock"},
      {"frmAbout", frmAbout, "Qorvex"},
      {"frmBidOffer", frmBidOffer, "Qorvex"},
      {"Form1", Form1, "Form1"},
      {"frmMsgPopup", frmMsgPopup, "Qorvex"},
      {"frmMsgQuote", frmMsgQuote, "Qorvex"},
      {"frmGadget", frmGadget, "Qorvex"},
      {"frmTransfer", frmTransfer, "Qorvex"},
      {"frmFeedback", frmFeedback, "Qorvex"},
  };

  // A form's construction is the last one begun at its address: nothing else lives there while it does.
  auto begunAt = [&](const QWidget* window) {
    const auto last = std::find(objects.rbegin(), objects.rend(), static_cast<const QObject*>(window));
    return last == objects.rend() ? -1 : static_cast<int>(objects.rend() - last);
  };
  std::vector<std::pair<int, std::string>> byConstruction;
  std::vector<std::string> expected;
  for (const Form& f : forms) {
    expected.push_back(f.name);
    ASSERT_NE(f.window, nullptr) << f.name;
    byConstruction.emplace_back(begunAt(f.window), f.name);
    if (f.caption == nullptr) {
      EXPECT_FALSE(f.window->isWindow()) << f.name;
    } else {
      EXPECT_TRUE(f.window->isWindow()) << f.name;
      EXPECT_EQ(f.window->windowTitle().toStdString(), f.caption) << f.name;
    }
  }
  std::sort(byConstruction.begin(), byConstruction.end());
  std::vector<std::string> order;
  for (const auto& [at, name] : byConstruction)
    order.push_back(name);
  EXPECT_EQ(order, expected);
  EXPECT_GE(byConstruction.front().first, 0);

  desk::freeForms();
}

}  // namespace
