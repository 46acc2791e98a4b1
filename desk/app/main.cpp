// The program: locks the player's folder, creates every window once, shows the invisible start-up window
// (which shows the main window after a short hold) and runs the event loop until the main window has freed
// the game.

#include <cstdio>
#include <exception>

#include <QMessageBox>

#include "Forms.h"
#include "QorvexApplication.h"
#include "UserFolderLock.h"
#include "f_Main.h"
#include "f_splash.h"

namespace {

// The exit status of a start refused because the player folder cannot be locked.
constexpr int kRefusedStart = 3;

}  // namespace

int main(int argc, char** argv) {
  // The gadget's stay-on-top and placement need X11 (XWayland included): with a display, use it.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  desk::QorvexApplication app(argc, argv);
  QApplication::setApplicationName("qorvex");
  // The main window hides while the gadget shows; the program ends when the game is freed.
  QApplication::setQuitOnLastWindowClosed(false);

  // Taken before any file of the player folder is touched, and held until the process ends.
  platform::FolderLock folderLock;
  if (const std::optional<QString> refusal = desk::lockUserFolder(folderLock)) {
    std::fprintf(stderr, "%s\n", qPrintable(*refusal));
    std::fflush(stderr);
    QMessageBox::critical(nullptr, "Qorvex", *refusal);
    return kRefusedStart;
  }

  try {
    desk::createForms();
    QObject::connect(frmMain, &TfrmMain::gameClosed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    frmSplash->show();
    app.exec();
  } catch (const std::exception& e) {
    app.showException(QString::fromUtf8(e.what()));
  } catch (...) {
    app.showException({});
  }
  desk::freeForms();
  return 0;
}
