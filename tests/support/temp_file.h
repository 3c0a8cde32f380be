// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>

#include <QString>
#include "support/qt_printers.h"

namespace orx::testing {

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes a file or folder immutable for its lifetime, so that even root cannot change it.
// `active()` is false where the file system or the user cannot set the flag.
class Immutable {
 public:
  explicit Immutable(QString path) : path_(std::move(path)) {
    active_ = QProcess::execute("chattr", {"+i", path_}) == 0;
  }
  ~Immutable() {
    if (active_) QProcess::execute("chattr", {"-i", path_});
  }
  Immutable(const Immutable&) = delete;
  Immutable& operator=(const Immutable&) = delete;
  bool active() const { return active_; }

 private:
  QString path_;
  bool active_ = false;
};

}  // namespace orx::testing
