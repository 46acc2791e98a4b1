#include "UserFolderLock.h"

#include <QDir>
#include <QFile>

#include "ResourceFolders.h"

namespace desk {

std::optional<QString> lockUserFolder(platform::FolderLock& lock) {
  const QString folder = userFolder();
  std::error_code ec;
  if (lock.lock(QFile::encodeName(folder + "/" + kUserFolderLockName).toStdString(), ec)) return std::nullopt;
  if (ec == std::errc::resource_unavailable_try_again) return QString(kAlreadyRunning);
  return QString("Qorvex cannot lock the player folder %1: %2.")
      .arg(QDir::toNativeSeparators(folder), QString::fromLocal8Bit(ec.message().c_str()));
}

}  // namespace desk
