#include <gtest/gtest.h>

#include "Colors.h"
#include "JpegLoader.h"
#include "SkinShape.h"

namespace {

TEST(SkinShape, WhiteAroundTheShapeIsCutAway) {
  QImage picture(40, 20, QImage::Format_RGB32);
  picture.fill(QColor(250, 248, 252));  // JPEG's near-white
  for (int y = 5; y < 15; ++y) {
    for (int x = 10; x < 30; ++x)
      picture.setPixelColor(x, y, QColor(20, 60, 70));
  }
  const QRegion shape = desk::shapeOf(picture);
  EXPECT_TRUE(shape.contains(QPoint(10, 5)));
  EXPECT_TRUE(shape.contains(QPoint(29, 14)));
  EXPECT_FALSE(shape.contains(QPoint(9, 5)));
  EXPECT_FALSE(shape.contains(QPoint(0, 0)));
  EXPECT_EQ(shape.boundingRect(), QRect(10, 5, 20, 10));
  EXPECT_TRUE(desk::shapeOf(QImage()).isEmpty());
}

TEST(SkinShape, TheStartDialogKeepsItsInsideWhole) {
  const QImage background = desk::skin("frmLoadGame_imgBK");
  ASSERT_FALSE(background.isNull());
  const QRegion shape = desk::shapeOf(background);
  EXPECT_FALSE(shape.contains(QPoint(0, 0)));
  EXPECT_TRUE(shape.contains(QPoint(400, 200))) << "the list area is inside the window";
  EXPECT_TRUE(shape.contains(QPoint(624 + 10, 167 + 10))) << "so is the New button";
}

TEST(Colors, BlueIsTheHighByte) {
  EXPECT_EQ(desk::fromTColor(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(desk::fromTColor(0x318A45), QColor(0x45, 0x8A, 0x31));
}

}  // namespace
