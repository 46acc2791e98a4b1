// The program: creates every window once, shows the main window after a short hold and runs the
// event loop until the main window has freed the game.

#include <clocale>
#include <exception>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "Forms.h"
#include "f_About.h"
#include "f_LoadGame.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "f_NewGame.h"

namespace {

// The time the program waits before it shows the main window.
constexpr int kHoldMs = 1230;

void showFailure(const char* what) {
  QMessageBox::critical(nullptr, "Qorvex", QString::fromUtf8(what));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Number texts (SQL, exports) must never follow the user's locale; QApplication has just set it.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName("qorvex");
  QApplication::setApplicationDisplayName("Qorvex");
  // The main window hides while the gadget shows; the program ends when the game is freed.
  QApplication::setQuitOnLastWindowClosed(false);

  try {
    desk::createForms();
    QObject::connect(frmMain, &TfrmMain::gameClosed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    QTimer::singleShot(kHoldMs, frmMain, [] { frmMain->show(); });

    const int result = app.exec();

    desk::freeForms();
    return result;
  } catch (const std::exception& e) {
    showFailure(e.what());
  } catch (...) {
    showFailure("");
  }
  return 0;
}
