#include "QorvexApplication.h"

#include <clocale>
#include <exception>

#include <QLoggingCategory>
#include <QMessageBox>

#include "Qorvex6class.h"

// The core's trace: a line per stock and step, so off unless QT_LOGGING_RULES="qorvex.core.debug=true".
Q_LOGGING_CATEGORY(coreTrace, "qorvex.core", QtInfoMsg)

namespace desk {

QorvexApplication::QorvexApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Number texts (SQL, exports) never follow the user's locale; QApplication has just set it.
  std::setlocale(LC_NUMERIC, "C");
  showException = [](const QString& text) { QMessageBox::critical(nullptr, "Qorvex", text); };
  Qorvex6::QorvexCore::setTraceSink(
      [](std::string_view line) { qCDebug(coreTrace, "%.*s", static_cast<int>(line.size()), line.data()); });
}

QorvexApplication::~QorvexApplication() {
  Qorvex6::QorvexCore::setTraceSink(nullptr);
}

bool QorvexApplication::notify(QObject* receiver, QEvent* event) {
  if (doubleClicks_.drops(receiver, event)) return true;
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
