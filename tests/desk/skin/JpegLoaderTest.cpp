#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "JpegLoader.h"
#include "SkinList.h"

namespace {

const QString kSkinDir = QStringLiteral(QORVEX_SKIN_DIR);

QString skinPath(const char* name) {
  return kSkinDir + "/" + name + ".jpg";
}

QByteArray readAll(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return file.readAll();
}

int largestChannelDifference(const QImage& a, const QImage& b) {
  int worst = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                        std::abs(qBlue(p) - qBlue(q))});
    }
  return worst;
}

TEST(JpegLoader, EveryListedSkinIsBuiltAtItsSize) {
  for (const skins::Skin& skin : skins::kSkins) {
    SCOPED_TRACE(skin.name);
    QString error;
    const auto image = desk::loadJpeg(skinPath(skin.name), &error);
    ASSERT_TRUE(image) << error.toStdString();
    EXPECT_EQ(image->size(), QSize(skin.width, skin.height));
    EXPECT_EQ(image->format(), QImage::Format_RGB888);
  }
}

// Qt's own JPEG plugin serves as the oracle for the decoded pixels.
TEST(JpegLoader, DecodesLikeAnIndependentDecoder) {
  const QString path = skinPath("frmMsgPopup_Image1");
  const auto ours = desk::loadJpeg(path);
  ASSERT_TRUE(ours);
  const QImage reference(path, "JPG");
  ASSERT_FALSE(reference.isNull());
  ASSERT_EQ(ours->size(), reference.size());
  EXPECT_LE(largestChannelDifference(*ours, reference), 2);
}

TEST(JpegLoader, ExpandsGreyscaleToRgb) {
  QTemporaryDir dir;
  QImage grey(64, 32, QImage::Format_Grayscale8);
  for (int y = 0; y < grey.height(); ++y)
    for (int x = 0; x < grey.width(); ++x)
      grey.scanLine(y)[x] = uchar(x * 4);
  const QString path = dir.filePath("grey.jpg");
  ASSERT_TRUE(grey.save(path, "JPG", 95));
  const auto image = desk::loadJpeg(path);
  ASSERT_TRUE(image);
  ASSERT_EQ(image->size(), grey.size());
  for (int x : {0, 20, 63}) {
    const QRgb p = image->pixel(x, 10);
    EXPECT_EQ(qRed(p), qGreen(p));
    EXPECT_EQ(qGreen(p), qBlue(p));
    EXPECT_NEAR(qRed(p), x * 4, 6);
  }
}

TEST(JpegLoader, BadFilesAreErrorsNotExits) {
  QTemporaryDir dir;
  const QByteArray good = readAll(skinPath("frmLoadGame_imgBK"));
  ASSERT_GT(good.size(), 1000);
  struct Case {
    const char* file;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"half.jpg", good.left(good.size() / 2)},  // ends inside the picture data
      {"header.jpg", good.left(200)},            // ends inside the headers
      {"text.jpg", "This is a note, not a picture.\n"},
      {"empty.jpg", ""},
      {"bad_marker.jpg", QByteArray("\xFF\xD8\xFF\x01garbage", 11) + good.mid(11, 500)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const QString path = dir.filePath(c.file);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.bytes);
    file.close();
    QString error;
    EXPECT_FALSE(desk::loadJpeg(path, &error));
    EXPECT_TRUE(error.startsWith(path)) << error.toStdString();
    EXPECT_GT(error.size(), path.size() + 2) << "no reason given";
  }
  QString error;
  EXPECT_FALSE(desk::loadJpeg(dir.filePath("missing.jpg"), &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(JpegLoader, SkinComesFromTheResourceFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath("skins"));
  ASSERT_TRUE(QFile::copy(skinPath("frmMsgPopup_star"), dir.filePath("skins/frmMsgPopup_star.jpg")));
  QFile broken(dir.filePath("skins/broken.jpg"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write(readAll(skinPath("frmMsgPopup_star")).left(300));
  broken.close();

  qputenv("QORVEX_RESOURCE_DIR", dir.path().toLocal8Bit());
  const QImage star = desk::skin("frmMsgPopup_star");
  const QImage missing = desk::skin("frmMsgPopup_Image1");  // present in the build tree, not here
  const QImage bad = desk::skin("broken");
  qunsetenv("QORVEX_RESOURCE_DIR");

  EXPECT_EQ(star.size(), QSize(32, 32));
  EXPECT_TRUE(missing.isNull());
  EXPECT_TRUE(bad.isNull());
}

// The shaped dialogs take their outline from the white of their picture: white all around the shape,
// and none of it under the controls placed inside.
TEST(Skins, DialogShapesKeepWhiteOutside) {
  const int white = skins::kShapeWhiteThreshold;
  const auto isWhite = [white](QRgb p) {
    return qRed(p) >= white && qGreen(p) >= white && qBlue(p) >= white;
  };
  struct Dialog {
    const char* name;
    QList<QRect> controls;
  };
  const Dialog dialogs[] = {
      {"frmLoadGame_imgBK",
       {QRect(303, 144, 280, 130), QRect(624, 167, 120, 72), QRect(672, 8, 25, 25),
        QRect(303, 280, 300, 50)}},
      {"frmNewGame_imgBK", {QRect(387, 184, 178, 21), QRect(579, 180, 120, 34), QRect(675, 8, 25, 25)}},
  };
  for (const Dialog& d : dialogs) {
    SCOPED_TRACE(d.name);
    const auto image = desk::loadJpeg(skinPath(d.name));
    ASSERT_TRUE(image);
    for (const QPoint corner : {QPoint(0, 0), QPoint(774, 0), QPoint(0, 402), QPoint(774, 402), QPoint(2, 2)})
      EXPECT_TRUE(isWhite(image->pixel(corner)));
    int whiteInside = 0;
    for (const QRect& r : d.controls)
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
          whiteInside += isWhite(image->pixel(x, y));
    EXPECT_EQ(whiteInside, 0);
  }
}

// The popup's stars are its only stars: its footer holds none that would read as a rating.
TEST(Skins, ThePopupFooterHoldsNoStar) {
  const auto image = desk::loadJpeg(skinPath("frmMsgPopup_Image1"));
  ASSERT_TRUE(image);
  const int h = image->height();
  int gold = 0;
  for (int y = h - 36; y < h - 5; ++y)
    for (int x = 6; x < 60; ++x) {
      const QRgb p = image->pixel(x, y);
      gold += qRed(p) > 150 && qRed(p) - qBlue(p) > 80;
    }
  EXPECT_EQ(gold, 0);
}

}  // namespace
