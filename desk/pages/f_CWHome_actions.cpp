// The Home page's handlers: sub-page menu, list, inbox, selling, transfer and renaming.

#include <mutex>
#include <string>

#include <QInputDialog>
#include <QMessageBox>
#include <QMouseEvent>

#include "ClockHold.h"
#include "ListSort.h"
#include "NameMessages.h"
#include "NumberText.h"
#include "Qorvex6class.h"
#include "SkinWidgets.h"
#include "f_CWHome.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "qx_RefreshDisp.h"

namespace {

QTimer* clockTimer() {
  return frmMain != nullptr ? frmMain->timerClock : nullptr;
}

}  // namespace

void TfrmCwHome::showPage() {
  if (main_ == nullptr) return;
  if (!main_->core || !main_->core->isBusy()) {
    main_->updateBudgetHeader();
    qxRefreshDisp::request(false);
  }
  Button1->setEnabled(static_cast<bool>(runTransfer));
  main_->placePage(this);
}

void TfrmCwHome::refreshInbox() {
  const bool any = !inbox.empty();
  Button2->setVisible(any);
  lblInbox->setVisible(any);
  Shape11->setVisible(any);
  if (any)
    lblInbox->setText("INBOX #" + QString::number(inbox.size()) + "\n" +
                      QString::fromStdString(inbox.top().second));
}

// --- Sub-pages ----------------------------------------------------------------------------------------

void TfrmCwHome::selectSubPage(int index) {
  desk::MainPicture* const highlights[5] = {hil1, hil2, hil3, hil4, hil5};
  QWidget* const panels[5] = {panelPort, panelStats, panelMoney, panelLife, panelMilestone};
  for (int i = 0; i < 5; ++i)
    highlights[i]->setVisible(i == index);
  highlights[index]->raise();
  panelBody->setCurrentWidget(panels[index]);
}

void TfrmCwHome::submnuPortClick() {
  selectSubPage(0);
}
void TfrmCwHome::submnuStatsClick() {
  selectSubPage(1);
}
void TfrmCwHome::submnuMoneyClick() {
  selectSubPage(2);
}
void TfrmCwHome::submnuLifeClick() {
  selectSubPage(3);
}
void TfrmCwHome::submnuMilestoneClick() {
  selectSubPage(4);
}

// --- List -------------------------------------------------------------------------------------------

void TfrmCwHome::lstPortFolioDblClick() {
  if (main_ == nullptr) return;
  if (main_->isWritingData) {
    note("WRITING DATA: Please wait.");
    return;
  }
  const QTreeWidgetItem* row = lstPortFolio->currentItem();
  if (row == nullptr || !row->isSelected()) return;
  const std::string symbol = row->text(1).toStdString();
  QString failure;
  try {
    main_->mnuMarketClick();
    if (showStockDetails) showStockDetails(symbol);
  } catch (const std::exception& e) {
    failure = QString::fromUtf8(e.what());
  }
  if (!failure.isEmpty() && showMessage) showMessage(failure);
}

void TfrmCwHome::lstPortFolioColumnClick(int column) {
  desk::sortByColumn(lstPortFolio, column);
}

void TfrmCwHome::chkWishlistClick() {
  showPage();
}

// --- Actions that change the game -------------------------------------------------------------------

bool TfrmCwHome::refusedWhileProcessing() {
  if (main_ == nullptr || !main_->core) return true;
  if (!main_->isProcessing) return false;
  note("PROCESSING: Please wait.");
  return true;
}

void TfrmCwHome::Button1Click() {
  if (refusedWhileProcessing() || !runTransfer) return;
  bool transferred = false;
  {
    desk::ClockHold stopped(clockTimer());
    transferred = runTransfer();
    if (transferred) {
      showPage();
      // Posted, so it lands after the popups of milestones the transfer awarded, not under them.
      if (frmMsgPopup != nullptr)
        frmMsgPopup->postPopup("Transaction Completed",
                               "You money transfer is completed, check you account balance.", 0);
    }
  }
}

void TfrmCwHome::Button2Click() {
  if (refusedWhileProcessing() || inbox.empty()) return;
  const int id = inbox.top().first;
  inbox.pop();
  {
    std::lock_guard lock(main_->gameLock());
    try {
      main_->core->markInboxRead(id);
    } catch (const std::exception& e) {
      qWarning("marking inbox message %d read: %s", id, e.what());
    }
  }
  refreshInbox();
}

void TfrmCwHome::sellClick(int slot) {
  if (refusedWhileProcessing()) return;
  sellBelonging(slot - 1);
}

void TfrmCwHome::sellBelonging(int slot) {
  if (main_ == nullptr || !main_->core) return;
  const int id = slot >= 0 && slot < kSlots ? slotBelonging[slot] : -1;
  if (id < 0) {
    popup("DENIED", "You don't have any stuff to sell.");
    return;
  }
  const Qorvex6::BelongingSale sale = main_->core->sellBelonging(id);
  switch (sale.outcome) {
    case Qorvex6::BelongingSale::Sold:
      popup("ITEM SOLD", QString::fromStdString(platform::formatNumber("You gain $ %0.0n.", sale.gained)));
      main_->updateClock(false, false);
      break;
    case Qorvex6::BelongingSale::NotOwned:
      popup("DENIED", "You don't have any stuff to sell.");
      break;
    case Qorvex6::BelongingSale::Failed:
      popup("DENIED", "The sale could not be written. Nothing was changed.");
      break;
  }
}

// --- Renaming ---------------------------------------------------------------------------------------

void TfrmCwHome::lblUsernameClick() {
  if (refusedWhileProcessing()) return;
  const QString current = QString::fromUtf8(main_->core->database->profile.playerName);
  std::optional<QString> answer;
  {
    desk::ClockHold stopped(clockTimer());
    answer = askText("Change your name", ">>", current);
  }
  if (!answer || *answer == current) return;
  const Qorvex6::RenameResult result = main_->core->renamePlayer(answer->toStdString());
  if (result == Qorvex6::RenameResult::Renamed)
    showPage();
  else if (result == Qorvex6::RenameResult::Failed)
    showMessage("Your name could not be changed. \nPlease try again.");
  else
    showNameRefusal(result);
}

void TfrmCwHome::showNameRefusal(Qorvex6::RenameResult result) {
  if (result == Qorvex6::RenameResult::Invalid) showMessage(desk::kNameNotValid);
  if (result == Qorvex6::RenameResult::Taken) showMessage(desk::kNameTaken);
}

void TfrmCwHome::lblUsernameMouseDown(Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::AltModifier) {
    if (refusedWhileProcessing()) return;
    std::optional<QString> answer;
    {
      desk::ClockHold stopped(clockTimer());
      answer = askText("Enter your new name",
                       "New name :", QString::fromUtf8(main_->core->database->profile.playerName));
    }
    // In memory only: the refresh below reloads the stored name unless the profile is written first.
    if (answer) showNameRefusal(main_->core->setPlayerNameInMemory(answer->toStdString()));
  }
  showPage();
}

bool TfrmCwHome::eventFilter(QObject* watched, QEvent* event) {
  if (watched != lblUsername && watched != lblInbox) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    gestureOnPress_ = (mouse->modifiers() & Qt::AltModifier) != 0;
    lblUsernameMouseDown(mouse->modifiers());
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease && watched == lblUsername) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool click = !gestureOnPress_ && desk::isLeftReleaseInside(lblUsername, mouse);
    gestureOnPress_ = false;
    if (click) lblUsernameClick();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// --- Messages ---------------------------------------------------------------------------------------

void TfrmCwHome::popup(const QString& title, const QString& text) {
  if (frmMsgPopup != nullptr) frmMsgPopup->showPopup(title, text, 0);
}

void TfrmCwHome::note(const QString& text) {
  if (frmMsgQuote != nullptr) frmMsgQuote->showQuote(text);
}
