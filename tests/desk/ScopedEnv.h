#pragma once

#include <QByteArray>
#include <QtGlobal>

// Restores an environment variable when the object dies; the second constructor also sets it.
class ScopedEnv {
 public:
  explicit ScopedEnv(const char* name)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {}
  ScopedEnv(const char* name, const QByteArray& value) : ScopedEnv(name) { qputenv(name, value); }
  ~ScopedEnv() {
    if (had_)
      qputenv(name_, old_);
    else
      qunsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};
