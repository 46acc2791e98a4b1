#include <gtest/gtest.h>

#include <QFrame>
#include <QImage>

#include "Colors.h"
#include "GameWindowTest.h"
#include "f_CWHome.h"

namespace {

TEST(Colors, FormColoursAreBlueGreenRed) {
  const struct {
    std::uint32_t form;
    QColor rgb;
  } cases[] = {
      {0x98EBDE, QColor(222, 235, 152)}, {0x318A45, QColor(69, 138, 49)}, {0x0000FF, QColor(255, 0, 0)},
      {0xFF0000, QColor(0, 0, 255)},     {3103558, QColor(70, 91, 47)},   {0x00F3F8F1, QColor(241, 248, 243)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(desk::fromTColor(c.form), c.rgb) << std::hex << c.form;
    EXPECT_EQ(desk::cssColour(c.form), c.rgb.name()) << std::hex << c.form;
  }
}

// The colour of one pixel of a widget as drawn.
QColor pixelOf(QWidget* widget, QPoint at) {
  return widget->grab().toImage().pixelColor(at);
}

class HomeColoursTest : public GameWindowTest {};

TEST_F(HomeColoursTest, TheInboxFrameAndTheSlotFramesWearTheirFormColours) {
  TfrmCwHome page(main_.get());
  QFrame* inbox = page.Shape11;
  EXPECT_EQ(pixelOf(inbox, inbox->rect().center()), QColor(222, 235, 152));
  EXPECT_EQ(pixelOf(inbox, QPoint(0, inbox->height() / 2)), QColor(141, 202, 104)) << "its pen";
  QFrame* slot = page.Shape[0];
  EXPECT_EQ(pixelOf(slot, QPoint(0, slot->height() / 2)), QColor(69, 138, 49));
  EXPECT_EQ(pixelOf(slot, slot->rect().center()), QColor(Qt::white));
}

}  // namespace
