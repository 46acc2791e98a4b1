#include "QorvexApplication.h"

#include <clocale>
#include <exception>

#include <QMessageBox>

namespace desk {

QorvexApplication::QorvexApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Number texts (SQL, exports) never follow the user's locale; QApplication has just set it.
  std::setlocale(LC_NUMERIC, "C");
  showException = [](const QString& text) { QMessageBox::critical(nullptr, "Qorvex", text); };
}

bool QorvexApplication::notify(QObject* receiver, QEvent* event) {
  QString failure;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    failure = QString::fromUtf8(e.what());
  } catch (...) {
  }
  if (showException) showException(failure);
  return false;
}

}  // namespace desk
