// The framework message of the forms: a modal box with an OK button that shows its text as plain text,
// which a test replaces by a recorder.

#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace desk {

class PlainMessage {
 public:
  // Shows the text over `parent`, or hands it to the recorder when one is set.
  void operator()(QWidget* parent, const QString& text) const;

  std::function<void(const QString&)> recorder;
};

}  // namespace desk
