// The main window as the core's host: messages, traces and hand-offs to the window's thread.

#include "f_Main.h"

#include <condition_variable>
#include <memory>
#include <mutex>

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include "f_Gadget.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "f_NewGame.h"

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace {

#if defined(__SANITIZE_THREAD__)
void annotateRelease(void* address) {
  __tsan_release(address);
}
void annotateAcquire(void* address) {
  __tsan_acquire(address);
}
#else
void annotateRelease(void*) {}
void annotateAcquire(void*) {}
#endif

// A piece of work another thread hands to the window's thread, and waits for.
class HandOffEvent : public QEvent {
 public:
  static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 601);
  struct Done {
    std::mutex lock;
    std::condition_variable ended;
    bool finished = false;
  };
  HandOffEvent() : QEvent(kType) {}
  std::function<void()> run;
  std::shared_ptr<Done> done = std::make_shared<Done>();
};

}  // namespace

// --- Messages ----------------------------------------------------------------------------------------

void TfrmMain::popup(const QString& title, const QString& text) {
  if (frmMsgPopup != nullptr)
    frmMsgPopup->showPopup(title, text, 0);
  else
    trace("popup " + title.toStdString() + ": " + text.toStdString());
}

void TfrmMain::note(const QString& text) {
  if (frmMsgQuote != nullptr)
    frmMsgQuote->showQuote(text);
  else
    trace("note: " + text.toStdString());
}

void TfrmMain::message(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, "Qorvex", text, QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

// --- Host --------------------------------------------------------------------------------------------

void TfrmMain::postPopup(const std::string& title, const std::string& text, int stars) {
  if (frmMsgPopup != nullptr)
    frmMsgPopup->postPopup(QString::fromStdString(title), QString::fromStdString(text), stars);
  else
    trace("popup " + title + ": " + text);
}

void TfrmMain::trace(std::string_view line) {
  qInfo("%.*s", static_cast<int>(line.size()), line.data());
}

void TfrmMain::guarded(const char* what, const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    trace(std::string(what) + ": " + e.what());
  } catch (...) {
    trace(std::string(what) + ": an unknown failure");
  }
}

void TfrmMain::onGuiThread(const char* name, const std::function<void()>& fn) {
  auto run = [this, name, &fn] {
    guarded(name, [&] {
      if (handOffObserver) handOffObserver(name);
      fn();
    });
  };
  if (QThread::currentThread() == thread()) {
    run();
    return;
  }
  // A blocking queued call, built on std:: primitives and annotated so race checkers see the hand-over
  // through the event queue.
  auto* job = new HandOffEvent;
  job->run = run;
  auto done = job->done;
  annotateRelease(&handOffSync_);
  QCoreApplication::postEvent(this, job);
  std::unique_lock lock(done->lock);
  done->ended.wait(lock, [&] { return done->finished; });
}

bool TfrmMain::event(QEvent* event) {
  // Before the event is read: a hand-off event was written by the thread that posted it.
  annotateAcquire(&handOffSync_);
  if (event->type() != HandOffEvent::kType) return QWidget::event(event);
  auto* job = static_cast<HandOffEvent*>(event);
  job->run();
  std::lock_guard lock(job->done->lock);
  job->done->finished = true;
  job->done->ended.notify_all();
  return true;
}

void TfrmMain::tickStarted() {
  onGuiThread("tickStarted", [this] {
    isProcessing = true;
    imgProcessing1->raise();
    imgProcessing1->show();
    if (frmGadget != nullptr) frmGadget->setClockBusy(true);
  });
}

void TfrmMain::repaint() {
  onGuiThread("repaint", [this] { update(); });
}

void TfrmMain::setWriting(bool on) {
  onGuiThread(on ? "setWriting on" : "setWriting off", [this, on] { isWritingData = on; });
}

void TfrmMain::cycleFinished() {
  onGuiThread("cycleFinished", [] {
    if (frmGadget != nullptr) frmGadget->refreshAfterCycle();
  });
}

void TfrmMain::tickFinished(bool newCycle, bool autoSave) {
  onGuiThread("tickFinished", [this, newCycle, autoSave] {
    guarded("updating the clock", [&] { updateClock(false, !newCycle); });
    // Busy off whatever the display did, or the clock would never tick again.
    imgProcessing1->hide();
    isProcessing = false;
    if (frmGadget != nullptr) frmGadget->setClockBusy(false);
    if (autoSave) btnSaveClick();
  });
}
