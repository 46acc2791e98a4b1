#include "PlainMessage.h"

#include <QMessageBox>

namespace desk {

void PlainMessage::operator()(QWidget* parent, const QString& text) const {
  if (recorder) {
    recorder(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, "Qorvex", text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace desk
