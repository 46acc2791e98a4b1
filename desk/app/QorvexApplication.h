// The program's application object: an exception that escapes an event handler is shown to the player
// and the program goes on; a double click on a control that acts on clicks is one click.

#pragma once

#include <functional>

#include <QApplication>
#include <QString>

#include "DoubleClickGuard.h"

namespace desk {

class QorvexApplication : public QApplication {
  Q_OBJECT

 public:
  // Also sends the game core's diagnostics, from any thread, to Qt's message log (category
  // "qorvex.core", debug level).
  QorvexApplication(int& argc, char** argv);
  ~QorvexApplication() override;

  bool notify(QObject* receiver, QEvent* event) override;

  // Shows the text of an escaped exception (empty for one that is no std::exception); a message box
  // unless replaced.
  std::function<void(const QString&)> showException;

 private:
  DoubleClickGuard doubleClicks_;
};

}  // namespace desk
