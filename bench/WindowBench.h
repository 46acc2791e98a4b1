// What the window benchmarks share beyond timing: an offscreen program in a throwaway user folder, and a
// clock played at Fast while a 10 ms timer measures how late the event loop serves it.

#pragma once

#include <QTemporaryDir>

namespace bench {

// Sets the offscreen platform, a temporary user folder (kept while the object lives) and the build's
// resource folder; call before the application object is made.
class OffscreenGame {
 public:
  OffscreenGame();

 private:
  QTemporaryDir user_;
};

// Plays `cycles` cycles at Fast in the event loop with the page that is current, then prints the worst
// lateness of a 10 ms timer. Quitting closes the windows: the main window frees the game.
void playAtFast(int cycles);

}  // namespace bench
