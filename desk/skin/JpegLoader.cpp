#include "JpegLoader.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QtGlobal>

#include <jpeglib.h>

#include "ResourceFolders.h"

namespace desk {
namespace {

// Larger pictures than any window needs are refused before their pixels are allocated.
constexpr JDIMENSION kMaxSide = 16384;
constexpr unsigned long long kMaxPixels = 64ull * 1024 * 1024;

// libjpeg's default error handler prints and calls exit(); this one keeps the message and jumps
// back to the decoder, which then gives up the picture. Warnings (a truncated file, corrupt data)
// are treated as errors too: libjpeg would otherwise fill the rest of the picture with grey.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf resume;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failDecode(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
  manager->base.format_message(cinfo, manager->message);
  std::longjmp(manager->resume, 1);
}

void onMessage(j_common_ptr cinfo, int level) {
  if (level < 0) failDecode(cinfo);  // a warning; trace messages (level >= 0) are ignored
}

// Only plain C data lives in this frame, so jumping back into it skips no destructor. The picture
// is written through a pointer to the caller's object.
bool decodeInto(const unsigned char* data, unsigned long size, QImage* image, char* message) {
  jpeg_decompress_struct cinfo;
  ErrorManager manager;
  cinfo.err = jpeg_std_error(&manager.base);
  manager.base.error_exit = failDecode;
  manager.base.emit_message = onMessage;
  manager.message[0] = '\0';
  if (setjmp(manager.resume)) {
    std::memcpy(message, manager.message, JMSG_LENGTH_MAX);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, size);
  jpeg_read_header(&cinfo, TRUE);
  switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
      cinfo.out_color_space = JCS_GRAYSCALE;
      break;
    case JCS_YCbCr:
    case JCS_RGB:
      cinfo.out_color_space = JCS_RGB;
      break;
    default:
      std::snprintf(message, JMSG_LENGTH_MAX, "unsupported colour space %d", int(cinfo.jpeg_color_space));
      jpeg_destroy_decompress(&cinfo);
      return false;
  }
  jpeg_calc_output_dimensions(&cinfo);
  if (cinfo.output_width == 0 || cinfo.output_height == 0 || cinfo.output_width > kMaxSide ||
      cinfo.output_height > kMaxSide ||
      static_cast<unsigned long long>(cinfo.output_width) * cinfo.output_height > kMaxPixels) {
    std::snprintf(message, JMSG_LENGTH_MAX, "picture size %ux%u out of range", unsigned(cinfo.output_width),
                  unsigned(cinfo.output_height));
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  *image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB888);
  if (image->isNull()) {
    std::snprintf(message, JMSG_LENGTH_MAX, "out of memory for a %ux%u picture", unsigned(cinfo.output_width),
                  unsigned(cinfo.output_height));
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_start_decompress(&cinfo);
  const bool grey = cinfo.output_components == 1;
  while (cinfo.output_scanline < cinfo.output_height) {
    unsigned char* row = image->scanLine(int(cinfo.output_scanline));
    JSAMPROW rows[1] = {row};
    jpeg_read_scanlines(&cinfo, rows, 1);
    if (grey) {
      // Expand in place from the end, so no source byte is overwritten before it is read.
      for (int x = int(cinfo.output_width) - 1; x >= 0; --x)
        row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = row[x];
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

std::optional<QImage> decodeJpeg(const QByteArray& data, QString* error) {
  if (data.isEmpty()) {
    if (error) *error = QStringLiteral("empty file");
    return std::nullopt;
  }
  QImage image;
  char message[JMSG_LENGTH_MAX] = {};
  if (!decodeInto(reinterpret_cast<const unsigned char*>(data.constData()),
                  static_cast<unsigned long>(data.size()), &image, message)) {
    if (error) *error = QString::fromLocal8Bit(message);
    return std::nullopt;
  }
  return image;
}

std::optional<QImage> loadJpeg(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = path + ": " + file.errorString();
    return std::nullopt;
  }
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = path + ": " + file.errorString();
    return std::nullopt;
  }
  QString reason;
  auto image = decodeJpeg(data, &reason);
  if (!image && error) *error = path + ": " + reason;
  return image;
}

QImage skin(const QString& name) {
  const QString path = QDir(resourceFolder()).filePath("skins/" + name + ".jpg");
  QString error;
  if (auto image = loadJpeg(path, &error)) return *image;
  qWarning("missing picture %s: %s", qUtf8Printable(name), qUtf8Printable(error));
  return {};
}

}  // namespace desk
