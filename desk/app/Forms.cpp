#include "Forms.h"

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

namespace desk {

void createForms() {
  frmSplash = new TfrmSplash;
  frmMain = new TfrmMain;
  frmClientWindow = new TfrmClientWindow(frmMain);
  frmCwHome = new TfrmCwHome(frmMain);
  frmCwSetting = new TfrmCwSetting(frmMain);
  frmCwMarket = new TfrmCwMarket(frmMain);
  frmCwShop = new TfrmCwShop(frmMain);
  frmLoadGame = new TfrmLoadGame;
  frmNewGame = new TfrmNewGame;
  frmAddStock = new TfrmAddStock;
  frmAbout = new TfrmAbout;
  frmBidOffer = new TfrmBidOffer;
  // A window of the start dialog's own, so that it takes input while that dialog is modal.
  Form1 = new TForm1(frmLoadGame);
  frmMsgPopup = new TfrmMsgPopup;
  frmMsgQuote = new TfrmMsgQuote;
  frmGadget = new TfrmGadget(frmMain);
  frmTransfer = new TfrmTransfer(frmMain);  // freed with the main window
  frmFeedback = new TfrmFeedback;

  frmCwHome->showStockDetails = [](const std::string& symbol) {
    if (frmCwMarket != nullptr) frmCwMarket->showHomeStock(symbol);
  };
  frmCwHome->runTransfer = [] { return frmTransfer != nullptr && frmTransfer->run(); };
  frmMain->showGadget = [] { frmGadget->showGadget(); };
  frmLoadGame->openTestBench = [] {
    Form1->show();
    Form1->raise();
    Form1->activateWindow();
  };
}

void freeForms() {
  // The main window goes first while the popups it may still post to exist: it waits for a running
  // tick and frees the game.
  delete frmMain;  // frees its pages with it
  frmMain = nullptr;
  frmClientWindow = nullptr;
  delete frmFeedback;
  frmFeedback = nullptr;
  delete frmGadget;
  frmGadget = nullptr;
  delete frmBidOffer;
  frmBidOffer = nullptr;
  delete frmMsgQuote;
  frmMsgQuote = nullptr;
  delete frmMsgPopup;
  frmMsgPopup = nullptr;
  delete Form1;
  Form1 = nullptr;
  delete frmAbout;
  frmAbout = nullptr;
  delete frmAddStock;
  frmAddStock = nullptr;
  delete frmNewGame;
  frmNewGame = nullptr;
  delete frmLoadGame;
  frmLoadGame = nullptr;
  delete frmSplash;
  frmSplash = nullptr;
}

}  // namespace desk
