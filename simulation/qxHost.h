#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace Qorvex6 {

// What the game core needs of the window shell that runs it. The main window implements it; tests use
// a recording fake; temporary cores use qxNullHost.
class qxHost {
 public:
  virtual ~qxHost() = default;

  // Shows a popup with a title, a text and 0 to 5 stars, without waiting: callable from any thread,
  // also while the game lock is held.
  virtual void postPopup(const std::string& title, const std::string& text, int stars) = 0;

  // The game lock: held by the tick master while it writes, by the page refreshes and by saving.
  virtual std::recursive_mutex& gameLock() = 0;

  // The tick master's hand-offs to the main thread. Each runs there and returns when done; none is
  // called while the game lock is held.
  virtual void tickStarted() {}            // the busy picture and the gadget clock
  virtual void repaint() {}                // the main window repaints itself
  virtual void setWriting(bool /*on*/) {}  // the master writes: page fills are refused meanwhile
  virtual void cycleFinished() {}          // the gadget refreshes
  // The clock display (with a display refresh after a cycle), the busy state cleared and, when due,
  // the auto-save: one main-thread step, so no tick slips in between.
  virtual void tickFinished(bool /*newCycle*/, bool /*autoSave*/) {}
};

// A host without windows: popups are dropped.
class qxNullHost : public qxHost {
 public:
  void postPopup(const std::string&, const std::string&, int) override {}
  std::recursive_mutex& gameLock() override { return lock_; }

 private:
  std::recursive_mutex lock_;
};

}  // namespace Qorvex6
