// The main window's menu, page switching, budget header and keyboard.

#include "f_Main.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUrl>

#include "MainLook.h"
#include "ResourceFolders.h"
#include "f_About.h"
#include "f_CWHome.h"
#include "f_CWMarket.h"
#include "f_CWSetting.h"
#include "f_CWShop.h"
#include "f_MsgPopup.h"
#include "f_NewGame.h"

namespace {

using desk::MainPicture;
using namespace desk::mainLook;

}  // namespace

// --- Menu and header ---------------------------------------------------------------------------------

void TfrmMain::hoverEntry(MainPicture* highlight) {
  for (MainPicture* entry : {mnuHome, mnuMarket, mnuShop, mnuSetting})
    entry->setVisible(entry == highlight);
}

void TfrmMain::Image1MouseMove() {
  hoverEntry(mnuHome);
}
void TfrmMain::Image2MouseMove() {
  hoverEntry(mnuMarket);
}
void TfrmMain::Image3MouseMove() {
  hoverEntry(mnuShop);
}
void TfrmMain::Image6MouseMove() {
  hoverEntry(mnuSetting);
}

void TfrmMain::showPage(int page, MainPicture* marker) {
  // Every page switch comes here: a hover picture left up would light a second tab.
  hoverEntry(nullptr);
  for (MainPicture* m : {mnuHomeX, mnuMarketX, mnuShopX, mnuSettingX})
    m->setVisible(m == marker);
  currentPage = page;
  emit pageChanged(page);
}

void TfrmMain::mnuHomeClick() {
  showPage(PAGE_HOME, mnuHomeX);
  if (frmCwHome != nullptr) {
    frmCwHome->submnuPortClick();
    frmCwHome->showPage();
  }
}
void TfrmMain::mnuMarketClick() {
  showPage(PAGE_MARKET, mnuMarketX);
  if (frmCwMarket != nullptr) {
    frmCwMarket->submnuTableClick();
    frmCwMarket->showPage();
  }
}
void TfrmMain::mnuShopClick() {
  showPage(PAGE_SHOP, mnuShopX);
  if (frmCwShop != nullptr) frmCwShop->showPage();
}
void TfrmMain::mnuSettingClick() {
  showPage(PAGE_SETTING, mnuSettingX);
  if (frmCwSetting != nullptr) frmCwSetting->showPage();
}

void TfrmMain::updateBudgetHeader() {
  int i = selectedMarket ? selectedMarket() : 0;
  if (i < 0 || i > 5) i = 0;
  QString text = kBudgetPrefixes[i];
  if (core) text += QString::fromStdString(core->formatMoney(core->database->profile.budget[i], i, false));
  lblBudgetHeader->setText(text);
  lblBudgetHeader->adjustSize();
  lblBudgetHeader->move(mnuMain3->x() - lblBudgetHeader->width() - 110, lblBudgetHeader->y());
  lblClock->move(lblBudgetHeader->x(), lblClock->y());
}

void TfrmMain::lblBudgetHeaderClick() {
  mnuHomeClick();
  if (frmCwHome != nullptr) frmCwHome->submnuMoneyClick();
}

void TfrmMain::lblTitleClick() {
  if (frmAbout != nullptr) frmAbout->exec();
}

void TfrmMain::btnMinMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  const bool boost =
      button == Qt::RightButton && (modifiers & Qt::AltModifier) && (modifiers & Qt::ShiftModifier);
  if (!boost) {
    if (showGadget) {
      hide();
      showGadget();
    } else {
      showMinimized();
    }
    return;
  }
  if (isProcessing) {
    note("PROCESSING: Please wait.");
    return;
  }
  if (!core) return;
  {
    std::lock_guard lock(gameLock_);
    core->database->boostPrices();
  }
  message("Boosted!");
}

void TfrmMain::btnFeedbackXClick() {
  const QString page = desk::resourceFolder() + "/Qorvex/Feedback/index.html";
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
    popup("Feedback", "The feedback page cannot be opened: " + page);
}

bool TfrmMain::isAltP(QKeyEvent* key) {
  if (key->key() != Qt::Key_P || !(key->modifiers() & Qt::AltModifier)) return false;
  if (!key->isAutoRepeat()) FormKeyUp();
  return true;
}

void TfrmMain::keyReleaseEvent(QKeyEvent* event) {
  if (isAltP(event)) return;
  QWidget::keyReleaseEvent(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  // Key preview for the window's children and for the popup, which takes the keys while it is up; the
  // window's own keys arrive in keyReleaseEvent. The events other threads post to the window itself are
  // never looked at here.
  if (watched != this && watched->isWidgetType() && event->type() == QEvent::KeyRelease) {
    const QWidget* window = static_cast<QWidget*>(watched)->window();
    const bool previewed = window == this || (frmMsgPopup != nullptr && window == frmMsgPopup);
    if (previewed && isAltP(static_cast<QKeyEvent*>(event))) return true;
  }
  if (watched == btnMin && event->type() == QEvent::MouseButtonRelease) {
    // Any button's release, wherever the mouse has gone since the press.
    auto* mouse = static_cast<QMouseEvent*>(event);
    btnMin->setDown(false);
    btnMinMouseUp(mouse->button(), mouse->modifiers());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}
