// JPEG decoding through libjpeg, and the window pictures (skins) of the resource folder.

#pragma once

#include <optional>

#include <QByteArray>
#include <QImage>
#include <QString>

namespace desk {

// Decodes a baseline or progressive JPEG (RGB or greyscale) into a Format_RGB888 image. A broken,
// truncated or non-JPEG input gives no image and, when error is given, the reason. Safe on any thread.
std::optional<QImage> decodeJpeg(const QByteArray& data, QString* error = nullptr);

// Reads and decodes a JPEG file; a missing or unreadable file is an error like a broken one.
std::optional<QImage> loadJpeg(const QString& path, QString* error = nullptr);

// The picture <resource folder>/skins/<name>.jpg. A missing or broken picture is logged with
// qWarning and gives a null image.
QImage skin(const QString& name);

}  // namespace desk
