#include "ResourceFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace desk {

QString resourceFolder() {
  const QString fromEnvironment = qEnvironmentVariable("QORVEX_RESOURCE_DIR");
  if (!fromEnvironment.isEmpty()) return QDir::cleanPath(fromEnvironment);
  const QString exeDir = QCoreApplication::applicationDirPath();
  const QString installed = QDir::cleanPath(exeDir + "/../share/qorvex");
  if (QFileInfo(installed).isDir()) return installed;
  return exeDir;
}

QString userFolder() {
  const QString fromEnvironment = qEnvironmentVariable("QORVEX_USER_DIR");
  if (!fromEnvironment.isEmpty()) return QDir::cleanPath(fromEnvironment);
  // Named explicitly so the folder does not follow the application or organisation name.
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/qorvex";
}

Qorvex6::CoreFolders coreFolders() {
  Qorvex6::CoreFolders folders;
  folders.resources = QFile::encodeName(resourceFolder()).toStdString();
  folders.user = QFile::encodeName(userFolder()).toStdString();
  folders.saveChecker.program =
      QFile::encodeName(QCoreApplication::applicationDirPath() + "/qorvex_savecheck").toStdString();
  return folders;
}

QString saveFolder() {
  return QFile::decodeName(Qorvex6::QorvexCore::saveFolderIn(coreFolders().user).string().c_str());
}

}  // namespace desk
