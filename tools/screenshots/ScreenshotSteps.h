// The screenshot tool's sequences of window pictures, each run after the one before.

#pragma once

#include <functional>

class QWidget;

namespace shots {

using Save = std::function<void(QWidget* window, const char* name)>;

// Pictures the Market page's views and the bid/offer dialog on a game with a made-up NewYork history,
// then calls `done`.
void marketPages(const Save& save, std::function<void()> done);

}  // namespace shots
