#include "QorvexApplication.h"

#include <clocale>
#include <exception>

#include <QMessageBox>

#include "Qorvex6class.h"

namespace desk {

QorvexApplication::QorvexApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Number texts (SQL, exports) never follow the user's locale; QApplication has just set it.
  std::setlocale(LC_NUMERIC, "C");
  showException = [](const QString& text) { QMessageBox::critical(nullptr, "Qorvex", text); };
  Qorvex6::QorvexCore::setTraceSink(
      [](std::string_view line) { qInfo("%.*s", static_cast<int>(line.size()), line.data()); });
}

QorvexApplication::~QorvexApplication() {
  Qorvex6::QorvexCore::setTraceSink(nullptr);
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
