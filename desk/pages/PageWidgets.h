// The pieces the docked pages are built from beyond the shared look: titles, value captions and the body
// panels of a page's sub-page stack.

#pragma once

#include <cstdint>

#include <QFrame>
#include <QLabel>
#include <QStackedWidget>

#include "PageLook.h"

namespace desk {

// The docked pages' frame at their design size: the sub-page menu on the left, the header band and the
// body beside it.
namespace pageFrame {
inline constexpr int kMenuLeft = 10;
inline constexpr int kMenuTop = 90;
inline constexpr int kMenuStep = 46;
inline constexpr int kBodyLeft = 190;
inline constexpr int kTopTop = 6;
inline constexpr int kTopHeight = 76;
inline constexpr int kBodyTop = 90;
}  // namespace pageFrame

inline constexpr std::uint32_t kPageTitleColour = 0x113127;
inline constexpr std::uint32_t kPageValueColour = 0x2B7942;
inline constexpr std::uint32_t kSlotFrameColour = 0x318A45;

// A plain-text label in the window font at `at`.
inline QLabel* pageLabel(QWidget* parent, const QString& caption, QRect at, int pixels, std::uint32_t colour,
                         bool bold = false) {
  return plainLabel(parent, caption, at, pixels, colour, bold);
}

// A sub-page's title.
QLabel* pageTitle(QWidget* parent, const QString& caption, QPoint at);

// The white frame of a belonging's or a product's slot, named "Shape".
QFrame* slotFrame(QWidget* parent, QRect at);

// A light, framed panel added to a page's body stack.
QWidget* bodyPanel(QStackedWidget* body, const char* name);

}  // namespace desk
