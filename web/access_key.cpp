// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "access_key.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <array>

#include "settings/file_replacement.h"
#include "settings/native_path.h"
#include "ui/system_reason.h"

namespace orx::web {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr qsizetype kKeyLength = 22;  // 128 bits in base64url, without padding

QByteArray NewKey() {
  std::array<quint32, AccessKey::kRandomBytes / 4> words{};
  QRandomGenerator::system()->fillRange(words.data(), words.size());
  return QByteArray(reinterpret_cast<const char*>(words.data()), AccessKey::kRandomBytes)
      .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

// The folder and an empty file are made for the owner alone before the key is written, so that
// the key is never readable by anyone else, not even for a moment.
QString Prepare(const QString& file) {
  const QFileInfo info(file);
  QDir folder = info.absoluteDir();
  if (!folder.exists()) {
    if (!QDir().mkpath(folder.absolutePath()))
      return QStringLiteral("mape %1 ni mogoče narediti").arg(folder.absolutePath());
    QFile::setPermissions(folder.absolutePath(), kOwnerOnly | QFileDevice::ExeOwner);
  }
  if (!info.exists()) {
    QFile empty(file);
    if (!empty.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return empty.errorString();
  }
  if (!QFile::setPermissions(file, kOwnerOnly))
    return QStringLiteral("dovoljenj datoteke ni mogoče omejiti na lastnika");
  return QString();
}

QString Failure(const QString& file, const QString& why) {
  return QStringLiteral("Ključa za spletno stran v %1 ni mogoče shraniti: %2").arg(file, why);
}

}  // namespace

bool AccessKey::WellFormed(QByteArrayView key) {
  return key.size() == kKeyLength && std::all_of(key.begin(), key.end(), [](char c) {
           return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                  c == '-' || c == '_';
         });
}

bool AccessKey::Matches(QByteArrayView presented, QByteArrayView key) {
  // Only the length may be learnt from the time taken, and every key has the same length.
  if (key.isEmpty() || presented.size() != key.size()) return false;
  unsigned char difference = 0;
  for (qsizetype i = 0; i < key.size(); ++i)
    difference |= static_cast<unsigned char>(presented[i] ^ key[i]);
  return difference == 0;
}

AccessKey::Loaded AccessKey::LoadOrCreate(const QString& file, bool renew) {
  const auto path = settings::NativePath(file);
  const settings::FileRead read = settings::ReadWholeFile(path);
  if (read.outcome == settings::FileRead::Outcome::kFailed) {
    return {{},
            QStringLiteral("Ključa za spletno stran v %1 ni mogoče prebrati: %2")
                .arg(file, ui::SystemReason(read.error.value(),
                                            QString::fromStdString(read.error.message())))};
  }
  if (read.outcome == settings::FileRead::Outcome::kRead && !renew) {
    const QByteArray stored = QByteArray::fromStdString(read.bytes).trimmed();
    if (WellFormed(stored)) return {stored, QString()};
    return {{},
            QStringLiteral("Datoteka %1 ne vsebuje ključa za spletno stran; ni spremenjena (nov "
                           "ključ naredi --web-new-key).")
                .arg(file)};
  }
  if (const QString why = Prepare(file); !why.isEmpty()) return {{}, Failure(file, why)};
  const QByteArray key = NewKey();
  if (const std::error_code error = settings::ReplaceFile(path, (key + '\n').toStdString()))
    return {
        {},
        Failure(file, ui::SystemReason(error.value(), QString::fromStdString(error.message())))};
  return {key, QString()};
}

}  // namespace orx::web
