#include "Forms.h"

#include "f_About.h"
#include "f_BidOffer.h"
#include "f_CWHome.h"
#include "f_CWMarket.h"
#include "f_LoadGame.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "f_NewGame.h"
#include "f_splash.h"

namespace desk {

void createForms() {
  frmSplash = new TfrmSplash;
  frmMain = new TfrmMain;
  frmCwHome = new TfrmCwHome(frmMain);
  frmCwMarket = new TfrmCwMarket(frmMain);
  frmCwHome->showStockDetails = [](const std::string& symbol) {
    if (frmCwMarket != nullptr) frmCwMarket->showHomeStock(symbol);
  };
  frmBidOffer = new TfrmBidOffer;
  frmLoadGame = new TfrmLoadGame;
  frmNewGame = new TfrmNewGame;
  frmAbout = new TfrmAbout;
  frmMsgPopup = new TfrmMsgPopup;
  frmMsgQuote = new TfrmMsgQuote;
}

void freeForms() {
  // The main window goes first while the popups it may still post to exist: it waits for a running
  // tick and frees the game.
  delete frmMain;  // frees its pages with it
  frmMain = nullptr;
  delete frmBidOffer;
  frmBidOffer = nullptr;
  delete frmMsgQuote;
  frmMsgQuote = nullptr;
  delete frmMsgPopup;
  frmMsgPopup = nullptr;
  delete frmAbout;
  frmAbout = nullptr;
  delete frmNewGame;
  frmNewGame = nullptr;
  delete frmLoadGame;
  frmLoadGame = nullptr;
  delete frmSplash;
  frmSplash = nullptr;
}

}  // namespace desk
