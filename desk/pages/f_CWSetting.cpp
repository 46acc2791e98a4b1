#include "f_CWSetting.h"

#include "SkinWidgets.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"

TfrmCwSetting* frmCwSetting = nullptr;

namespace {

constexpr std::uint32_t kTitleColour = 0x113127;
constexpr int kCaptionLeft = 80;
constexpr int kControlLeft = 330;
// panelPort lies where the other pages' bodies begin.
constexpr QPoint kPortAt(181, 90);

QComboBox* dropDown(QWidget* parent, const QStringList& items, QRect at) {
  auto* list = new QComboBox(parent);
  list->addItems(items);
  list->setGeometry(at);
  desk::dropDownLook(list, 17);
  return list;
}

// A hidden flag: its caption and its check box.
QCheckBox* hiddenFlag(QWidget* parent, QLabel** caption, const QString& text, int y) {
  *caption = desk::plainLabel(parent, text, QRect(kCaptionLeft, y, 240, 28), 18, kTitleColour);
  auto* box = new QCheckBox(parent);
  box->setGeometry(kControlLeft, y, 28, 28);
  (*caption)->hide();
  box->hide();
  return box;
}

}  // namespace

TfrmCwSetting::TfrmCwSetting(TfrmMain* main) : QWidget(main, Qt::FramelessWindowHint), main_(main) {
  resize(1007, 701);
  setFont(desk::windowFont(15));
  panelBody = new QWidget(this);
  panelBody->setGeometry(9, 0, 978, 621);
  panelPort = new QWidget(panelBody);
  panelPort->setObjectName("panelPort");
  desk::panelLook(panelPort, 225);
  panelPort->setGeometry(QRect(kPortAt, QSize(736, 327)));

  imgIcon = desk::skinPicture(panelPort, "frmCwSetting_imgIcon", QPoint(24, 22));
  Label4 = desk::plainLabel(panelPort, "Auto Save", QRect(kCaptionLeft, 28, 240, 30), 19, kTitleColour, true);
  selAutoSave =
      dropDown(panelPort, {"Never", "Daily", "Weekly", "Monthly"}, QRect(kControlLeft, 28, 330, 30));
  Label1 = desk::plainLabel(panelPort, "Timeline", QRect(kCaptionLeft, 78, 240, 30), 19, kTitleColour, true);
  selTimeline = dropDown(panelPort, {"Realtime (20 ticks per day)", "Swift (5 ticks per day)"},
                         QRect(kControlLeft, 78, 330, 30));
  chkAutoUpdate = hiddenFlag(panelPort, &Label2, "Automatically check for updates", 128);
  chkLargeDB = hiddenFlag(panelPort, &Label3, "Enable large database", 162);
  chkWizard = hiddenFlag(panelPort, &Label5, "Enable Guide-to-Use Wizard", 196);
  Button1 = desk::pageButton(panelPort, "Apply", QRect(736 - 24 - 110, 327 - 24 - 32, 110, 32));
  connect(Button1, &QPushButton::clicked, this, &TfrmCwSetting::Button1Click);
  FormResize();
  hide();

  if (main_ != nullptr)
    connect(main_, &TfrmMain::pageChanged, this, [this](int page) {
      if (page != TfrmMain::PAGE_SETTING) hide();
    });
}

TfrmCwSetting::~TfrmCwSetting() {
  if (frmCwSetting == this) frmCwSetting = nullptr;
}

void TfrmCwSetting::showPage() {
  if (main_ == nullptr) return;
  loaded_ = false;
  setGeometry(main_->pageGeometry());
  loadSettings();
  show();
  raise();
}

void TfrmCwSetting::loadSettings() {
  if (main_ == nullptr || !main_->core) return;
  if (main_->isWritingData) {
    note("WRITING DATA: Please wait.");
    return;
  }
  const Qorvex6::GameSettings s = main_->core->settings();
  chkAutoUpdate->setChecked(s.autoUpdate);
  chkLargeDB->setChecked(s.enableLargeDB);
  chkWizard->setChecked(s.enableWizard);
  selAutoSave->setCurrentIndex(s.autoSaveFreq >= 0 && s.autoSaveFreq <= 3 ? s.autoSaveFreq : 0);
  selTimeline->setCurrentIndex(s.timelineMode);
  loaded_ = true;
}

void TfrmCwSetting::Button1Click() {
  if (main_ == nullptr || !main_->core) return;
  if (main_->isProcessing) {
    note("PROCESSING: Please wait.");
    return;
  }
  // Controls that were never loaded hold no settings of the player's: they are loaded, not written.
  if (!loaded_) {
    loadSettings();
    return;
  }
  const int autoSave = selAutoSave->currentIndex();
  const Qorvex6::GameSettings wanted{chkAutoUpdate->isChecked(), chkLargeDB->isChecked(),
                                     chkWizard->isChecked(), autoSave >= 0 && autoSave <= 3 ? autoSave : 0,
                                     selTimeline->currentIndex()};
  if (!main_->core->applySettings(wanted)) {
    if (frmMsgPopup != nullptr)
      frmMsgPopup->showPopup("APPLY FAILED", "The settings could not be saved; nothing was changed.", 0);
    loadSettings();
  }
}

void TfrmCwSetting::FormResize() {
  panelBody->resize(width() - panelBody->x() - 20, height() - panelBody->y() - 80);
}

void TfrmCwSetting::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TfrmCwSetting::paintEvent(QPaintEvent*) {
  background_.paint(this);
}

void TfrmCwSetting::note(const QString& text) {
  if (frmMsgQuote != nullptr) frmMsgQuote->showQuote(text);
}
