#include "f_MsgPopup.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include "Colors.h"
#include "JpegLoader.h"
#include "SkinWidgets.h"

TfrmMsgPopup* frmMsgPopup = nullptr;

namespace {

QLabel* pictureLabel(QWidget* parent, const QImage& picture, const QRect& place) {
  auto* label = new QLabel(parent);
  label->setGeometry(place);
  label->setPixmap(QPixmap::fromImage(picture));
  return label;
}

QLabel* textLabel(QWidget* parent, const QRect& place, int pixelHeight, bool bold) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(place);
  label->setFont(desk::windowFont(pixelHeight, bold));
  desk::setTextColour(label, desk::fromTColor(desk::kMessageText));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

bool isModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
      return true;
    default:
      return false;
  }
}

bool isClick(QObject* watched, QEvent* event) {
  return event->type() == QEvent::MouseButtonRelease &&
         desk::isLeftReleaseInside(static_cast<QWidget*>(watched), static_cast<QMouseEvent*>(event));
}

}  // namespace

TfrmMsgPopup::TfrmMsgPopup(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool) {
  setWindowTitle("Qorvex");
  const QImage background = desk::skin("frmMsgPopup_Image1");
  const QSize size = background.isNull() ? desk::skinSize("frmMsgPopup_Image1") : background.size();
  setFixedSize(size);
  setFocusPolicy(Qt::StrongFocus);

  Image1 = pictureLabel(this, background, QRect(QPoint(0, 0), size));
  Image2 = pictureLabel(this, desk::skin("frmMsgPopup_Image2"),
                        QRect(desk::spotOf(skins::kPopupIcon), desk::skinSize("frmMsgPopup_Image2")));
  lblTitle = textLabel(this, QRect(58, 8, size.width() - 58 - 10, 30), 24, true);
  const QPixmap star = QPixmap::fromImage(desk::skin("frmMsgPopup_star"));
  for (int i = 0; i < 5; ++i) {
    stars[i] = new QLabel(this);
    stars[i]->setGeometry(QRect(desk::spotOf(skins::kPopupFirstStar) + QPoint(i * skins::kPopupStarStep, 0),
                                desk::skinSize("frmMsgPopup_star")));
    stars[i]->setPixmap(star);
    stars[i]->hide();
  }
  lblMsg = textLabel(this, QRect(58, 74, 256, 139), 19, false);
  lblMsg->setWordWrap(true);

  Image1->installEventFilter(this);
  lblMsg->installEventFilter(this);
}

void TfrmMsgPopup::showPopup(const QString& title, const QString& text, int stars) {
  lblTitle->setText(title);
  lblMsg->setText(text);
  for (QLabel* s : this->stars)
    s->hide();
  // Taken as unsigned: a negative count shows no star, like any count above five.
  const unsigned count = static_cast<unsigned>(stars);
  if (count >= 1 && count <= 5)
    for (unsigned i = 0; i < count; ++i)
      this->stars[i]->show();

  desk::centreOnScreen(this);
  show();
  raise();
  activateWindow();
  setFocus();
}

void TfrmMsgPopup::postPopup(QString title, QString text, int stars) {
  QMetaObject::invokeMethod(
      this,
      [this, title = std::move(title), text = std::move(text), stars] { showPopup(title, text, stars); },
      Qt::QueuedConnection);
}

void TfrmMsgPopup::FormKeyUp() {
  close();
}
void TfrmMsgPopup::Image1Click() {
  close();
}
void TfrmMsgPopup::lblMsgClick() {
  close();
}

void TfrmMsgPopup::keyReleaseEvent(QKeyEvent* event) {
  // X11 repeats a held key as release/press pairs; only the real release counts. Letting go of a
  // modifier is the end of a shortcut (Alt+P shows its popup before Alt is released), not a key.
  if (event->isAutoRepeat() || isModifierKey(event->key())) return QWidget::keyReleaseEvent(event);
  FormKeyUp();
}

bool TfrmMsgPopup::eventFilter(QObject* watched, QEvent* event) {
  if (isClick(watched, event)) {
    if (watched == Image1) Image1Click();
    if (watched == lblMsg) lblMsgClick();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}
